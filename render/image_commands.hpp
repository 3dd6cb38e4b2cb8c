#pragma once
// The image commands: rev.image, mag.image, mono.image, nega.image on the C-Buffer,
// rev.texture, sqr.rot.texture, nega.texture on the texture images, framebuffer and
// imagedisplay.

#include <span>

#include "script/command_table.hpp"

namespace rz::render {

std::span<const script::CommandRow> imageCommands();

}  // namespace rz::render
