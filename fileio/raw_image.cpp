// Raw 24-bit RGB: the C-Buffer's size, rows top first, nothing else in the file.
#include <array>

#include "fileio/image_codecs.hpp"

namespace rz::fileio {

ParsedImage rawLayout(std::span<const std::uint8_t> file, std::int32_t width, std::int32_t height) {
    const std::uint64_t row = std::uint64_t(width) * 3;
    if (width <= 0 || height <= 0 || file.size() / row < std::uint64_t(height))
        return {ImageFault::ShortRead, {}};
    return {ImageFault::None, {file, width, height, 0, row, 3, PixelOrder::Rgb}};
}

bool writeRaw(OutputFile& out, const db::ColorBuffer& cbuf) {
    // A row at a time through a fixed buffer.
    std::array<std::uint8_t, 3 * 1024> chunk{};
    const std::uint8_t* p = cbuf.pixels.data();
    const std::size_t pixels = static_cast<std::size_t>(cbuf.width) * cbuf.height;
    std::size_t used = 0;
    for (std::size_t i = 0; i < pixels; ++i, p += 4) {
        chunk[used++] = p[0];
        chunk[used++] = p[1];
        chunk[used++] = p[2];
        if (used == chunk.size()) {
            if (!out.write(chunk.data(), used)) return false;
            used = 0;
        }
    }
    return out.write(chunk.data(), used);
}

}  // namespace rz::fileio
