#pragma once
// The text data files: scripts of let statements and record commands that rebuild the
// data when they are run. Each writer prints the exact statement layout of its format
// and gives false when a write failed.

#include <string_view>

#include "fileio/output_file.hpp"
#include "script/interp.hpp"

namespace rz::fileio {

bool writeCameraScript(script::Interp& in, OutputFile& out);     // .CAM
bool writeLightScript(script::Interp& in, OutputFile& out);      // .LIG
bool writeAttributeScript(script::Interp& in, OutputFile& out);  // .ATR
bool writeMappingScript(script::Interp& in, OutputFile& out);    // .MAP
// .PTS, and with motion the .MMS that adds rigids, rlinks and actors. Like every record
// command, it leaves the last written block, attribute and mapinfo current.
bool writePartsScript(script::Interp& in, OutputFile& out, bool motion);

// The mapping lines of the current mapinfo's variables, with "let m.tex.id" when asked.
bool writeMappingLines(script::Interp& in, OutputFile& out, bool withImage);

// The up vector a camera file that sets none gets, from the camera record's eye and
// target; it is stored in the record and in c.upper.
void setDefaultCameraUp(script::Interp& in);

// Text variables of the records, by name.
std::string_view stringVariable(script::Interp& in, std::string_view name);

}  // namespace rz::fileio
