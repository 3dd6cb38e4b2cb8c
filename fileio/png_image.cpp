// PNG through libpng. libpng reports errors with longjmp, so everything between its set-up
// and its last call lives in the two C-style steps below, which own nothing that needs a
// destructor; the buffers are allocated by the caller between them.
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <vector>

#include "fileio/image_codecs.hpp"

namespace rz::fileio {
namespace {

// Wider or taller images are refused before anything is allocated for them.
constexpr std::uint32_t kMaxSide = 65535;
// Ancillary chunks (profiles, compressed text) beyond this are not taken into memory.
constexpr png_alloc_size_t kMaxChunk = 8 << 20;

struct MemoryReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t n) {
    auto* r = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (n > r->size - r->pos) png_error(png, "truncated");
    std::copy_n(r->data + r->pos, n, out);
    r->pos += n;
}

[[noreturn]] void stopReading(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void ignore(png_structp, png_const_charp) {}

class PngRead {
  public:
    PngRead() {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, stopReading, ignore);
        if (png_ != nullptr) info_ = png_create_info_struct(png_);
    }
    ~PngRead() { png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr); }
    PngRead(const PngRead&) = delete;
    PngRead& operator=(const PngRead&) = delete;
    bool ok() const { return png_ != nullptr && info_ != nullptr; }

    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

// Reads the header and sets up 8-bit red, green, blue, alpha rows; false on any error.
bool readHeader(png_structp png, png_infop info, MemoryReader* reader, png_uint_32* width,
                png_uint_32* height, int* passes) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    png_set_read_fn(png, reader, readFromMemory);
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_set_chunk_malloc_max(png, kMaxChunk);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    *passes = png_get_interlace_type(png, info) == PNG_INTERLACE_ADAM7 ? 7 : 1;
    return png_get_rowbytes(png, info) == std::size_t{*width} * 4;
}

// Every row of every pass (interlaced images come as their seven sub-images, placed here
// pixel by pixel), keeping what falls inside keepWidth x keepHeight.
bool readRows(png_structp png, png_uint_32 width, png_uint_32 height, int passes, png_bytep row,
              png_bytep pixels, png_uint_32 keepWidth, png_uint_32 keepHeight) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    for (int pass = 0; pass < passes; ++pass) {
        const png_uint_32 rows = passes == 1 ? height : PNG_PASS_ROWS(height, pass);
        const png_uint_32 cols = passes == 1 ? width : PNG_PASS_COLS(width, pass);
        if (rows == 0 || cols == 0) continue;
        for (png_uint_32 i = 0; i < rows; ++i) {
            png_read_row(png, row, nullptr);
            const png_uint_32 y = passes == 1 ? i : PNG_ROW_FROM_PASS_ROW(i, pass);
            if (y >= keepHeight) continue;
            for (png_uint_32 j = 0; j < cols; ++j) {
                const png_uint_32 x = passes == 1 ? j : PNG_COL_FROM_PASS_COL(j, pass);
                if (x >= keepWidth) break;
                std::copy_n(row + std::size_t{j} * 4, 4,
                            pixels + (std::size_t{y} * keepWidth + x) * 4);
            }
        }
    }
    png_read_end(png, nullptr);
    return true;
}

struct FileWriter {
    OutputFile* out;
};

void writeToFile(png_structp png, png_bytep data, png_size_t n) {
    auto* w = static_cast<FileWriter*>(png_get_io_ptr(png));
    if (!w->out->write(data, n)) png_error(png, "write");
}
void flushNothing(png_structp) {}

bool writeImage(png_structp png, png_infop info, FileWriter* writer, const db::ColorBuffer* cbuf,
                png_byte* row) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    png_set_write_fn(png, writer, writeToFile, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(cbuf->width),
                 static_cast<png_uint_32>(cbuf->height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // The picture is opaque: a render has already laid its colours over the background, so
    // the fourth byte (0 after a fill, the coverage after a render) is no alpha to show it by.
    const std::size_t rowBytes = static_cast<std::size_t>(cbuf->width) * 4;
    for (std::int32_t y = 0; y < cbuf->height; ++y) {
        const std::uint8_t* src = cbuf->pixels.data() + static_cast<std::size_t>(y) * rowBytes;
        std::copy(src, src + rowBytes, row);
        for (std::size_t a = 3; a < rowBytes; a += 4) row[a] = 255;
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

ParsedImage decodePng(std::span<const std::uint8_t> file, std::int32_t maxWidth,
                      std::int32_t maxHeight, std::vector<std::uint8_t>& pixels) {
    if (file.size() < 8 || png_sig_cmp(file.data(), 0, 8) != 0)
        return {ImageFault::UnknownFormat, {}};
    PngRead read;
    if (!read.ok()) return {ImageFault::UnknownFormat, {}};
    MemoryReader reader{file.data(), file.size(), 0};
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int passes = 1;
    if (!readHeader(read.png_, read.info_, &reader, &width, &height, &passes))
        return {ImageFault::UnknownFormat, {}};
    const png_uint_32 keepWidth = std::min<png_uint_32>(width, std::max(maxWidth, 0));
    const png_uint_32 keepHeight = std::min<png_uint_32>(height, std::max(maxHeight, 0));
    std::vector<std::uint8_t> row(std::size_t{width} * 4);
    pixels.assign(std::size_t{keepWidth} * keepHeight * 4, 0);
    if (!readRows(read.png_, width, height, passes, row.data(), pixels.data(), keepWidth,
                  keepHeight))
        return {ImageFault::UnknownFormat, {}};
    PixelLayout image{pixels,
                      static_cast<std::int32_t>(keepWidth),
                      static_cast<std::int32_t>(keepHeight),
                      0,
                      std::uint64_t{keepWidth} * 4,
                      4,
                      PixelOrder::Rgba};
    return {ImageFault::None, image};
}

bool writePng(OutputFile& out, const db::ColorBuffer& cbuf) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, stopReading, ignore);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    FileWriter writer{&out};
    std::vector<png_byte> row(static_cast<std::size_t>(cbuf.width) * 4);
    const bool ok = info != nullptr && writeImage(png, info, &writer, &cbuf, row.data());
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    return ok;
}

}  // namespace rz::fileio
