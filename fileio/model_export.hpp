#pragma once
// The exporters: the model as DXF 3D faces and as a VRML 1.0 scene. Both write straight
// into the output file's buffer and allocate nothing per vertex; parametric shapes are
// expanded at the end of the stores and the expansion is dropped after each shape.

#include <string_view>

#include "db/database.hpp"
#include "fileio/output_file.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::fileio {

// Every shape's faces on the one layer, each shape in its own matrix only (the block
// transform is left out), with the model's y written as DXF z. kFail when a shape could
// not be expanded or placed (reported); the caller checks the file for write errors.
script::Result writeDxf(db::Database& db, platform::MessageService& msg, OutputFile& out,
                        std::string_view layer);

// The blocks that are not hidden, each shape placed by its own matrix, the current matrix
// and its block's transform. With mapping on, normals and (for textured shapes) texture
// coordinates go with the points. kFail as for writeDxf.
script::Result writeVrml(db::Database& db, platform::MessageService& msg, OutputFile& out,
                         float scale, bool mapping);

}  // namespace rz::fileio
