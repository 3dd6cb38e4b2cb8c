#include "workstation/command_providers.hpp"

#include <array>

#include "db/layer_commands.hpp"
#include "db/model_commands.hpp"
#include "db/record_commands_actor.hpp"
#include "db/record_commands_attribute.hpp"
#include "db/record_commands_block.hpp"
#include "db/record_commands_light.hpp"
#include "db/record_commands_mapimage.hpp"
#include "db/record_commands_mapping.hpp"
#include "db/record_commands_rigid.hpp"
#include "fileio/export_commands.hpp"
#include "fileio/file_commands.hpp"
#include "fileio/picture_files.hpp"
#include "geometry/commands.hpp"
#include "geometry/cursor_commands.hpp"
#include "geometry/model_copy.hpp"
#include "geometry/motion_commands.hpp"
#include "geometry/primitive_commands.hpp"
#include "render/camera_commands.hpp"
#include "render/draw_commands.hpp"
#include "render/gl_view_commands.hpp"
#include "render/image_commands.hpp"
#include "render/record_labels.hpp"
#include "render/render_commands.hpp"
#include "render/sample_draw.hpp"
#include "render/view_commands.hpp"
#include "script/declarations.hpp"
#include "script/language_commands.hpp"

namespace rz::workstation {

std::span<const script::CommandRows> coreCommandProviders() {
    static const std::array<script::CommandRows, 34> kProviders{
        script::languageCommands(),    script::declarationCommands(),
        db::blockCommands(),           db::attributeCommands(),
        db::lightCommands(),           db::mappingCommands(),
        db::mapimageCommands(),        db::rigidCommands(),
        db::actorCommands(),           db::layerCommands(),
        db::browseCommands(),          db::modelCommands(),
        geometry::rawRecordCommands(), geometry::matrixCommands(),
        geometry::affineCommands(),    geometry::blockGeometryCommands(),
        geometry::primitiveCommands(), geometry::modelCopyCommands(),
        geometry::boxCommands(),       geometry::cursorCommands(),
        geometry::gridCommands(),      geometry::motionCommands(),
        fileio::modelFileCommands(),   fileio::readWriteCommands(),
        fileio::exportCommands(),      fileio::pictureFileCommands(),
        render::cameraCommands(),      render::viewCommands(),
        render::drawCommands(),        render::glViewCommands(),
        render::labelCommands(),       render::renderCommands(),
        render::imageCommands(),       render::sampleCommands(),
    };
    return kProviders;
}

}  // namespace rz::workstation
