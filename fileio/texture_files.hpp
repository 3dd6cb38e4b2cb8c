#pragma once
// The binary companions that carry map images: the texture image file (.MBF: every
// image descriptor and the whole texture buffer) and the single texture file (.TXF: one
// image).

#include <cstdint>

#include "db/database.hpp"
#include "fileio/binary_input.hpp"
#include "fileio/output_file.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::fileio {

// 0, or kFail after a report.
script::Result writeTextureImages(platform::MessageService& msg, const db::Database& db,
                                  OutputFile& out);
// Appends the file's images behind the model's (the file's reserved image 0 is not taken),
// with their offsets moved behind the texture bytes already in use. A refused file has
// stored nothing below the counts and left them as they were.
script::Result readTextureImages(platform::MessageService& msg, db::Database& db, BinaryInput& in);

script::Result writeSingleTexture(platform::MessageService& msg, const db::Database& db, int image,
                                  OutputFile& out);
// Appends one image; its number is the mapdata count - 1 afterwards.
script::Result readSingleTexture(platform::MessageService& msg, db::Database& db, BinaryInput& in);

}  // namespace rz::fileio
