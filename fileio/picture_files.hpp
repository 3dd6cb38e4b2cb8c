#pragma once
// The image files of the C-Buffer (picload, picsave, tiffsave16) and the texture images
// loaded from BMP (colormapload, monomapload).

#include <span>
#include <string_view>

#include "script/command_table.hpp"
#include "script/interp.hpp"

namespace rz::fileio {

// What picload does with a name: the final name by the file-name rules, the format by its
// extension (rgb, raw, bmp, tif, png), and the whole file checked before the C-Buffer
// changes. An empty name does nothing. kOk, or kFail after the report.
script::Result loadPicture(script::Interp& in, std::string_view name);

std::span<const script::CommandRow> pictureFileCommands();

}  // namespace rz::fileio
