#pragma once
// The image formats of the C-Buffer and the texture images: readers that check a whole file
// before a single pixel is taken from it, and writers of the whole C-Buffer. A reader gives
// a layout over the file's own bytes (or, for PNG, over the decoded pixels); the pixels are
// copied out of it only once it is known to hold every row that will be read.

#include <cstdint>
#include <span>
#include <vector>

#include "db/database.hpp"
#include "fileio/output_file.hpp"

namespace rz::fileio {

// Why a file was refused; each has its own message.
enum class ImageFault {
    None,
    UnknownFormat,  // not a kind of image this reader takes
    ShortRead,      // fewer bytes than the header promises
    BadTiff,        // a TIFF whose header or first directory cannot be parsed
};

// How one pixel is stored in the file.
enum class PixelOrder { Rgb, Bgr, Rgba, Palette, Grey };

// Pixels of an uncompressed image inside a block of bytes. Rows are counted as they are
// stored: from the bottom of the picture when bottomUp.
struct PixelLayout {
    std::span<const std::uint8_t> bytes;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint64_t firstRow = 0;  // offset of stored row 0
    std::uint64_t rowStep = 0;
    std::int32_t bytesPerPixel = 0;
    PixelOrder order = PixelOrder::Rgb;
    bool bottomUp = false;
    const std::uint8_t* palette = nullptr;  // 256 entries blue, green, red, reserved
    std::uint8_t alpha = 0;                 // the fourth byte when the file has none
};

struct ParsedImage {
    ImageFault fault = ImageFault::None;
    PixelLayout layout;
};

// Each reader checks that the stored rows 0 .. min(height, rowsUsed) - 1 are in the file, so
// a C-Buffer load that skips the rest does not need them.
ParsedImage parseBmp(std::span<const std::uint8_t> file, std::int64_t rowsUsed);
ParsedImage parseTiff(std::span<const std::uint8_t> file, std::int64_t rowsUsed);
ParsedImage rawLayout(std::span<const std::uint8_t> file, std::int32_t width, std::int32_t height);
// Decodes a PNG into `pixels` (red, green, blue, alpha; alpha 255 where the file has none),
// keeping at most maxWidth x maxHeight of its top-left corner; the layout is that corner.
ParsedImage decodePng(std::span<const std::uint8_t> file, std::int32_t maxWidth,
                      std::int32_t maxHeight, std::vector<std::uint8_t>& pixels);

// Copies `count` pixels of stored row `row` into `out`, `channels` bytes each (1: red;
// 3: red, green, blue; 4: with the fourth byte).
void copyRow(const PixelLayout& image, std::int32_t row, std::int32_t count, std::uint8_t* out,
             std::int32_t channels);
// The layout's pixels into the C-Buffer: stored row r lands on row r, or on row H - 1 - r
// of a bottom-up image; rows and columns beyond the C-Buffer are skipped.
void copyToColorBuffer(const PixelLayout& image, db::ColorBuffer& cbuf);

inline bool hasPixels(const db::ColorBuffer& c) {
    return c.width > 0 && c.height > 0 &&
           c.pixels.size() >= static_cast<std::size_t>(c.width) * c.height * 4;
}

// The writers: false when a write failed.
bool writeRaw(OutputFile& out, const db::ColorBuffer& cbuf);
bool writeBmp(OutputFile& out, const db::ColorBuffer& cbuf);
// s = 3 (red, green, blue) or 4 (with the fourth byte as alpha).
bool writeTiff(OutputFile& out, const db::ColorBuffer& cbuf, int samples);
// Red, green, blue only: the C-Buffer's colours are the finished, opaque picture.
bool writePng(OutputFile& out, const db::ColorBuffer& cbuf);

}  // namespace rz::fileio
