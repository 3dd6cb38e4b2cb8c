// Windows BMP: uncompressed 8-bit (with its palette) and 24-bit images, rows bottom-up and
// padded to four bytes. The C-Buffer is written as 24-bit.
#include <algorithm>
#include <array>

#include "fileio/byte_order.hpp"
#include "fileio/image_codecs.hpp"

namespace rz::fileio {
namespace {

constexpr std::uint64_t kFileHeader = 14;
constexpr std::uint64_t kInfoHeader = 40;
constexpr std::uint64_t kHeaders = kFileHeader + kInfoHeader;
constexpr std::uint64_t kPaletteBytes = 256 * 4;

constexpr std::uint64_t paddedRow(std::uint64_t bytes) {
    return (bytes + 3) & ~std::uint64_t{3};
}

}  // namespace

ParsedImage parseBmp(std::span<const std::uint8_t> file, std::int64_t rowsUsed) {
    if (file.size() < kHeaders) return {ImageFault::ShortRead, {}};
    const std::uint8_t* h = file.data();
    if (h[0] != 'B' || h[1] != 'M') return {ImageFault::UnknownFormat, {}};
    const std::uint64_t pixelOffset = loadU32(h + 10);
    const std::uint64_t infoSize = loadU32(h + 14);
    const std::int32_t width = loadI32(h + 18);
    const std::int32_t height = loadI32(h + 22);
    const std::uint16_t bits = loadU16(h + 28);
    const std::uint32_t compression = loadU32(h + 30);
    // Top-down (negative height) and core-header files are kinds this reader does not take.
    if (compression != 0 || (bits != 8 && bits != 24) || width <= 0 || height <= 0 ||
        infoSize < kInfoHeader)
        return {ImageFault::UnknownFormat, {}};

    PixelLayout image{file, width, height, pixelOffset, 0, bits / 8, PixelOrder::Bgr, true};
    if (bits == 8) {
        // The palette follows the information header, whatever its version.
        const std::uint64_t palette = kFileHeader + infoSize;
        if (palette + kPaletteBytes > file.size()) return {ImageFault::ShortRead, {}};
        image.order = PixelOrder::Palette;
        image.palette = file.data() + palette;
    }
    const std::uint64_t rowBytes = std::uint64_t(width) * image.bytesPerPixel;
    image.rowStep = paddedRow(rowBytes);
    // At most 2^31 rows of at most 2^33 bytes: the sum stays below 2^64. The last row read
    // need not carry its padding.
    const std::uint64_t rows = static_cast<std::uint64_t>(std::min<std::int64_t>(height, rowsUsed));
    if (rows == 0) return {ImageFault::None, image};
    const std::uint64_t end = pixelOffset + (rows - 1) * image.rowStep + rowBytes;
    if (end > file.size()) return {ImageFault::ShortRead, {}};
    return {ImageFault::None, image};
}

bool writeBmp(OutputFile& out, const db::ColorBuffer& cbuf) {
    const auto width = static_cast<std::uint32_t>(cbuf.width);
    const auto height = static_cast<std::uint32_t>(cbuf.height);
    const std::uint64_t rowBytes = paddedRow(std::uint64_t{width} * 3);
    std::array<std::uint8_t, kHeaders> head{};
    head[0] = 'B';
    head[1] = 'M';
    storeU32(head.data() + 2, static_cast<std::uint32_t>(kHeaders + rowBytes * height));
    storeU32(head.data() + 10, kHeaders);
    storeU32(head.data() + 14, kInfoHeader);
    storeU32(head.data() + 18, width);
    storeU32(head.data() + 22, height);
    storeU16(head.data() + 26, 1);
    storeU16(head.data() + 28, 24);
    storeU32(head.data() + 34, width * height * 3);
    if (!out.write(head.data(), head.size())) return false;

    // Bottom row first, blue, green, red, padded with zeros; a pixel at a time into a fixed
    // buffer so that no row is allocated.
    std::array<std::uint8_t, 3 * 1024> chunk{};
    std::size_t used = 0;
    const auto flush = [&] {
        const bool ok = out.write(chunk.data(), used);
        used = 0;
        return ok;
    };
    for (std::uint32_t r = height; r-- > 0;) {
        const std::uint8_t* p = cbuf.pixels.data() + std::size_t{r} * width * 4;
        for (std::uint32_t x = 0; x < width; ++x, p += 4) {
            if (used + 3 > chunk.size() && !flush()) return false;
            chunk[used++] = p[2];
            chunk[used++] = p[1];
            chunk[used++] = p[0];
        }
        for (std::uint64_t pad = std::uint64_t{width} * 3; pad < rowBytes; ++pad) {
            if (used == chunk.size() && !flush()) return false;
            chunk[used++] = 0;
        }
    }
    return flush();
}

}  // namespace rz::fileio
