#pragma once
// Grid model files: numbers only, one point grid per shape. ".mdl" files hold positions,
// ".mdf" files positions, normals and texture coordinates.

#include <string>

#include "script/interp.hpp"

namespace rz::fileio {

enum class GridForm { Positions, Full };

// Reads the file behind the model's records (after emptying the model when clearFirst).
// The whole file is checked before anything is stored: a file that is refused (reported,
// kFail) leaves the model as it was.
script::Result readGridModel(script::Interp& in, const std::string& path, GridForm form,
                             bool clearFirst);

}  // namespace rz::fileio
