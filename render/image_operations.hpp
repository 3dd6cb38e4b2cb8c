#pragma once
// Edits of the C-Buffer and of the texture images in place: mirror, magnify or shrink, grey,
// negative, quarter turn. The commands that take their arguments are in image_commands.

#include <cstdint>

#include "db/database.hpp"

namespace rz::render {

// Modes and planes of the image commands.
inline constexpr int kVertical = 1;
inline constexpr int kHolizontal = 2;
inline constexpr int kCounterClockwise = 2;  // C.CLOCKWIZE; any other direction turns clockwise

// Inclusive pixel bounds inside the C-Buffer.
struct ImageRect {
    std::int32_t x0 = 0;
    std::int32_t y0 = 0;
    std::int32_t x1 = -1;
    std::int32_t y1 = -1;
};

// The corners sorted, truncated and held inside a width x height buffer (NaN counts as 0).
ImageRect clampRect(double x0, double y0, double x1, double y1, std::int32_t width,
                    std::int32_t height);
ImageRect wholeImage(const db::ColorBuffer& cbuf);

// False for a mode that is neither VERTICAL nor HOLIZONTAL (nothing changes).
bool reverseImage(db::ColorBuffer& cbuf, const ImageRect& r, int mode);
void magnifyImage(db::ColorBuffer& cbuf, const ImageRect& r, std::int64_t factor);
void monoImage(db::ColorBuffer& cbuf, const ImageRect& r, int plane);
void negaImage(db::ColorBuffer& cbuf, const ImageRect& r, int plane);

enum class TextureEdit {
    Done,
    BadId,        // not one of the texture images
    BadFormat,    // a pixel format other than 1, 2 or 3, or pixels outside the pool
    NoFreeSpace,  // the pool has no room for the turned copy
};

TextureEdit reverseTexture(db::Database& db, std::int64_t id, int mode);
TextureEdit turnTexture(db::Database& db, std::int64_t id, int direction);
TextureEdit negaTexture(db::Database& db, std::int64_t id, int plane);

}  // namespace rz::render
