#include "render/image_operations.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

#include "db/capacity.hpp"

namespace rz::render {
namespace {

std::uint8_t* pixelAt(db::ColorBuffer& c, std::int64_t x, std::int64_t y) {
    return c.pixels.data() + (y * c.width + x) * 4;
}

std::int32_t clampCoordinate(double v, std::int32_t size) {
    if (!(v > 0.0)) return 0;
    if (v >= size - 1) return size - 1;
    return static_cast<std::int32_t>(v);
}

template <class Edit>
void forEachPixel(db::ColorBuffer& c, const ImageRect& r, Edit edit) {
    for (std::int32_t y = r.y0; y <= r.y1; ++y) {
        std::uint8_t* p = pixelAt(c, r.x0, y);
        for (std::int32_t x = r.x0; x <= r.x1; ++x, p += 4) edit(p);
    }
}

// A texture's pixels, once its record is known to be sound.
struct Texture {
    db::Mapdata* record = nullptr;
    std::span<std::uint8_t> pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bytesPerPixel = 0;
};

TextureEdit findTexture(db::Database& db, std::int64_t id, Texture& t) {
    const std::int64_t count = std::min<std::int64_t>(db.mapdataCount, db.mapdatas.size());
    if (id < 0 || id >= count) return TextureEdit::BadId;
    db::Mapdata& m = db.mapdatas[id];
    if (m.kind < 1 || m.kind > 3) return TextureEdit::BadFormat;
    const std::uint64_t bpp = db::bytesPerPixel(m.kind);
    const std::uint64_t bytes = std::uint64_t{m.width} * m.height * bpp;
    const std::int64_t used =
        std::clamp<std::int64_t>(db.textureBytesUsed, 0, db.textureBuffer.size());
    if (m.offset + bytes > static_cast<std::uint64_t>(used)) return TextureEdit::BadFormat;
    t = {&m,
         {db.textureBuffer.data() + m.offset, bytes},
         m.width,
         m.height,
         static_cast<std::int32_t>(bpp)};
    return TextureEdit::Done;
}

void swapPixels(std::uint8_t* a, std::uint8_t* b, std::int32_t n) {
    std::swap_ranges(a, a + n, b);
}

}  // namespace

ImageRect clampRect(double x0, double y0, double x1, double y1, std::int32_t width,
                    std::int32_t height) {
    const std::int32_t ax = clampCoordinate(x0, width);
    const std::int32_t bx = clampCoordinate(x1, width);
    const std::int32_t ay = clampCoordinate(y0, height);
    const std::int32_t by = clampCoordinate(y1, height);
    return {std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
}

ImageRect wholeImage(const db::ColorBuffer& cbuf) {
    return {0, 0, cbuf.width - 1, cbuf.height - 1};
}

bool reverseImage(db::ColorBuffer& c, const ImageRect& r, int mode) {
    const std::int32_t rowBytes = (r.x1 - r.x0 + 1) * 4;
    if (mode == kVertical) {
        for (std::int32_t a = r.y0, b = r.y1; a < b; ++a, --b)
            swapPixels(pixelAt(c, r.x0, a), pixelAt(c, r.x0, b), rowBytes);
        return true;
    }
    if (mode == kHolizontal) {
        for (std::int32_t y = r.y0; y <= r.y1; ++y)
            for (std::int32_t a = r.x0, b = r.x1; a < b; ++a, --b)
                swapPixels(pixelAt(c, a, y), pixelAt(c, b, y), 4);
        return true;
    }
    return false;
}

void magnifyImage(db::ColorBuffer& c, const ImageRect& r, std::int64_t k) {
    if (k > 1) {
        // From the bottom-right corner, so that each source is read before it is overwritten.
        for (std::int64_t y = r.y1; y >= r.y0; --y)
            for (std::int64_t x = r.x1; x >= r.x0; --x)
                std::memcpy(pixelAt(c, x, y),
                            pixelAt(c, r.x0 + (x - r.x0) / k, r.y0 + (y - r.y0) / k), 4);
    } else if (k < -1) {
        const std::int64_t m = -k;
        for (std::int64_t y = r.y0; y <= r.y1; y += m)
            for (std::int64_t x = r.x0; x <= r.x1; x += m)
                std::memcpy(pixelAt(c, r.x0 + (x - r.x0) / m, r.y0 + (y - r.y0) / m),
                            pixelAt(c, x, y), 4);
    }
}

void monoImage(db::ColorBuffer& c, const ImageRect& r, int plane) {
    if (plane >= 1 && plane <= 4) {
        const int from = plane - 1;
        forEachPixel(c, r, [from](std::uint8_t* p) { p[0] = p[1] = p[2] = p[from]; });
        return;
    }
    // 0.299, 0.587 and 0.114 in thousandths, so that white stays 255 exactly.
    forEachPixel(c, r, [](std::uint8_t* p) {
        const auto grey = static_cast<std::uint8_t>((299 * p[0] + 587 * p[1] + 114 * p[2]) / 1000);
        p[0] = p[1] = p[2] = grey;
    });
}

void negaImage(db::ColorBuffer& c, const ImageRect& r, int plane) {
    if (plane >= 1 && plane <= 4) {
        const int at = plane - 1;
        forEachPixel(c, r, [at](std::uint8_t* p) { p[at] = static_cast<std::uint8_t>(~p[at]); });
        return;
    }
    forEachPixel(c, r, [](std::uint8_t* p) {
        for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(~p[i]);
    });
}

TextureEdit reverseTexture(db::Database& db, std::int64_t id, int mode) {
    Texture t;
    if (const TextureEdit e = findTexture(db, id, t); e != TextureEdit::Done) return e;
    const std::int64_t rowBytes = std::int64_t{t.width} * t.bytesPerPixel;
    std::uint8_t* base = t.pixels.data();
    if (mode == kVertical) {
        for (std::int64_t a = 0, b = t.height - 1; a < b; ++a, --b)
            swapPixels(base + a * rowBytes, base + b * rowBytes,
                       static_cast<std::int32_t>(rowBytes));
    } else if (mode == kHolizontal) {
        for (std::int64_t y = 0; y < t.height; ++y)
            for (std::int64_t a = 0, b = t.width - 1; a < b; ++a, --b)
                swapPixels(base + y * rowBytes + a * t.bytesPerPixel,
                           base + y * rowBytes + b * t.bytesPerPixel, t.bytesPerPixel);
    }
    return TextureEdit::Done;
}

TextureEdit turnTexture(db::Database& db, std::int64_t id, int direction) {
    Texture t;
    if (const TextureEdit e = findTexture(db, id, t); e != TextureEdit::Done) return e;
    const std::int64_t used = db.textureBytesUsed;
    const std::int64_t capacity = db::storeCapacity(db.capacity.mapimagemax, db.textureBuffer);
    const auto size = static_cast<std::int64_t>(t.pixels.size());
    if (used + size >= capacity) return TextureEdit::NoFreeSpace;

    // The turned image is built in the free space after the pool's end: source columns
    // become rows.
    std::uint8_t* out = db.textureBuffer.data() + used;
    const std::int32_t n = t.bytesPerPixel;
    const auto source = [&](std::int64_t x, std::int64_t y) {
        return t.pixels.data() + (y * t.width + x) * n;
    };
    for (std::int64_t k = 0; k < t.width; ++k) {
        const std::int64_t column = direction == kCounterClockwise ? t.width - 1 - k : k;
        for (std::int64_t j = 0; j < t.height; ++j, out += n) {
            const std::int64_t row = direction == kCounterClockwise ? j : t.height - 1 - j;
            std::memcpy(out, source(column, row), n);
        }
    }
    std::memcpy(t.pixels.data(), db.textureBuffer.data() + used, t.pixels.size());
    std::swap(t.record->width, t.record->height);
    return TextureEdit::Done;
}

TextureEdit negaTexture(db::Database& db, std::int64_t id, int plane) {
    Texture t;
    if (const TextureEdit e = findTexture(db, id, t); e != TextureEdit::Done) return e;
    const std::int32_t n = t.bytesPerPixel;
    const bool onePlane = plane >= 1 && plane <= 4;
    // Planes the texture does not have are left alone.
    if (onePlane && plane > n) return TextureEdit::Done;
    const std::size_t first = onePlane ? static_cast<std::size_t>(plane - 1) : 0;
    const std::size_t step = onePlane ? static_cast<std::size_t>(n) : 1;
    for (std::size_t i = first; i < t.pixels.size(); i += step)
        t.pixels[i] = static_cast<std::uint8_t>(~t.pixels[i]);
    return TextureEdit::Done;
}

}  // namespace rz::render
