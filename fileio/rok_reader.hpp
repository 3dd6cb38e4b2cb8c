#pragma once
// ROK shape files of an outside polygon modeller: a point list, faces coloured from a
// palette and the palette itself, read into one new block of polygon-mesh shapes (one per
// run of faces of one colour) with an attribute for every palette colour.

#include "platform/input_file.hpp"
#include "script/interp.hpp"

namespace rz::fileio {

// Appends the file's axes, patch entries, shapes, their matrices, the palette's attributes
// and the block. kFail after the report when the file is refused; what was appended by then
// is left for the caller to take back (LoadGuard).
script::Result readRok(script::Interp& in, platform::InputFile& file);

}  // namespace rz::fileio
