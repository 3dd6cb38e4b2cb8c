// Pixels out of a checked layout, one row at a time, without allocating.
#include <algorithm>
#include <array>

#include "fileio/image_codecs.hpp"

namespace rz::fileio {
namespace {

using Rgba = std::array<std::uint8_t, 4>;

template <class Pixel>
void convertRow(const std::uint8_t* src, std::int32_t step, std::int32_t count, std::uint8_t* out,
                std::int32_t channels, Pixel pixel) {
    for (std::int32_t x = 0; x < count; ++x, src += step, out += channels) {
        const Rgba c = pixel(src);
        std::copy_n(c.begin(), channels, out);
    }
}

}  // namespace

void copyRow(const PixelLayout& image, std::int32_t row, std::int32_t count, std::uint8_t* out,
             std::int32_t channels) {
    const std::uint8_t* src =
        image.bytes.data() + (image.firstRow + image.rowStep * static_cast<std::uint64_t>(row));
    const std::int32_t step = image.bytesPerPixel;
    const std::uint8_t a = image.alpha;
    switch (image.order) {
        case PixelOrder::Rgb:
            return convertRow(src, step, count, out, channels, [a](const std::uint8_t* s) {
                return Rgba{s[0], s[1], s[2], a};
            });
        case PixelOrder::Bgr:
            return convertRow(src, step, count, out, channels, [a](const std::uint8_t* s) {
                return Rgba{s[2], s[1], s[0], a};
            });
        case PixelOrder::Rgba:
            return convertRow(src, step, count, out, channels, [](const std::uint8_t* s) {
                return Rgba{s[0], s[1], s[2], s[3]};
            });
        case PixelOrder::Palette: {
            const std::uint8_t* palette = image.palette;
            return convertRow(src, step, count, out, channels, [palette, a](const std::uint8_t* s) {
                const std::uint8_t* e = palette + std::size_t{s[0]} * 4;
                return Rgba{e[2], e[1], e[0], a};
            });
        }
        case PixelOrder::Grey:
            return convertRow(src, step, count, out, channels, [a](const std::uint8_t* s) {
                return Rgba{s[0], s[0], s[0], a};
            });
    }
}

void copyToColorBuffer(const PixelLayout& image, db::ColorBuffer& cbuf) {
    const std::int32_t rows = std::min(image.height, cbuf.height);
    const std::int32_t columns = std::min(image.width, cbuf.width);
    for (std::int32_t r = 0; r < rows; ++r) {
        const std::int32_t y = image.bottomUp ? cbuf.height - 1 - r : r;
        copyRow(image, r, columns,
                cbuf.pixels.data() + static_cast<std::size_t>(y) * cbuf.width * 4, 4);
    }
}

}  // namespace rz::fileio
