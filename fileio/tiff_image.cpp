// TIFF: the first image directory of an uncompressed file in either byte order, 8 bits a
// sample, read as one run from the first strip; written little-endian in one strip with a
// fixed 13-entry directory.
#include <array>
#include <optional>

#include "fileio/byte_order.hpp"
#include "fileio/image_codecs.hpp"

namespace rz::fileio {
namespace {

enum Tag : std::uint16_t {
    kNewSubfileType = 254,
    kImageWidth = 256,
    kImageLength = 257,
    kBitsPerSample = 258,
    kCompression = 259,
    kPhotometric = 262,
    kStripOffsets = 273,
    kSamplesPerPixel = 277,
    kRowsPerStrip = 278,
    kStripByteCounts = 279,
    kXResolution = 282,
    kYResolution = 283,
    kResolutionUnit = 296,
};

enum Type : std::uint16_t { kShort = 3, kLong = 4, kRational = 5 };

constexpr std::uint64_t kEntryBytes = 12;

// The file's numbers in its own byte order; every read is inside the file.
class TiffBytes {
  public:
    TiffBytes(std::span<const std::uint8_t> file, bool bigEndian) : file_(file), big_(bigEndian) {}

    std::optional<std::uint32_t> u16(std::uint64_t at) const {
        if (at + 2 > file_.size()) return std::nullopt;
        const std::uint8_t* p = file_.data() + at;
        return big_ ? std::uint32_t(p[0] << 8 | p[1]) : std::uint32_t(loadU16(p));
    }
    std::optional<std::uint32_t> u32(std::uint64_t at) const {
        if (at + 4 > file_.size()) return std::nullopt;
        const std::uint8_t* p = file_.data() + at;
        return big_ ? std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 |
                          std::uint32_t(p[2]) << 8 | p[3]
                    : loadU32(p);
    }

    // The first value of a SHORT or LONG entry: in the entry's 4-byte field when all its
    // values fit there, else at the offset the field holds.
    std::optional<std::uint32_t> firstValue(std::uint64_t entry) const {
        const auto type = u16(entry + 2);
        const auto count = u32(entry + 4);
        if (!type || !count || *count == 0 || (*type != kShort && *type != kLong))
            return std::nullopt;
        const std::uint64_t size = *type == kShort ? 2 : 4;
        std::uint64_t at = entry + 8;
        if (size * *count > 4) {
            const auto offset = u32(at);
            if (!offset) return std::nullopt;
            at = *offset;
        }
        return size == 2 ? u16(at) : u32(at);
    }

  private:
    std::span<const std::uint8_t> file_;
    bool big_;
};

struct Directory {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t compression = 1;
    std::optional<std::uint32_t> strip;
    std::uint32_t samples = 1;
};

std::optional<Directory> readDirectory(const TiffBytes& t, std::uint64_t at) {
    const auto count = t.u16(at);
    if (!count) return std::nullopt;
    Directory d;
    for (std::uint64_t i = 0; i < *count; ++i) {
        const std::uint64_t entry = at + 2 + i * kEntryBytes;
        const auto tag = t.u16(entry);
        if (!tag) return std::nullopt;
        std::uint32_t* field = nullptr;
        switch (*tag) {
            case kImageWidth:
                field = &d.width;
                break;
            case kImageLength:
                field = &d.height;
                break;
            case kCompression:
                field = &d.compression;
                break;
            case kSamplesPerPixel:
                field = &d.samples;
                break;
            case kStripOffsets: {
                d.strip = t.firstValue(entry);
                if (!d.strip) return std::nullopt;
                continue;
            }
            default:
                continue;
        }
        const auto v = t.firstValue(entry);
        if (!v) return std::nullopt;
        *field = *v;
    }
    return d;
}

}  // namespace

ParsedImage parseTiff(std::span<const std::uint8_t> file, std::int64_t rowsUsed) {
    if (file.size() < 8) return {ImageFault::BadTiff, {}};
    const bool big = file[0] == 'M' && file[1] == 'M';
    if (!big && !(file[0] == 'I' && file[1] == 'I')) return {ImageFault::BadTiff, {}};
    const TiffBytes t(file, big);
    if (t.u16(2) != 42u) return {ImageFault::BadTiff, {}};
    const std::optional<Directory> d = readDirectory(t, *t.u32(4));
    if (!d || d->compression != 1 || !d->strip || d->width == 0 || d->height == 0 ||
        d->width > 0x7fffffff || d->height > 0x7fffffff || d->samples < 1 || d->samples > 4)
        return {ImageFault::BadTiff, {}};

    const std::uint64_t rowBytes = std::uint64_t{d->width} * d->samples;
    const auto rows = static_cast<std::uint64_t>(std::min<std::int64_t>(d->height, rowsUsed));
    // Below 2^31 rows of below 2^33 bytes: no overflow.
    if (*d->strip + rows * rowBytes > file.size()) return {ImageFault::ShortRead, {}};
    PixelLayout image{file,
                      static_cast<std::int32_t>(d->width),
                      static_cast<std::int32_t>(d->height),
                      *d->strip,
                      rowBytes,
                      static_cast<std::int32_t>(d->samples),
                      d->samples == 4   ? PixelOrder::Rgba
                      : d->samples == 3 ? PixelOrder::Rgb
                                        : PixelOrder::Grey};
    image.alpha = 255;
    return {ImageFault::None, image};
}

bool writeTiff(OutputFile& out, const db::ColorBuffer& cbuf, int samples) {
    const auto s = static_cast<std::uint32_t>(samples);
    const auto width = static_cast<std::uint32_t>(cbuf.width);
    const auto height = static_cast<std::uint32_t>(cbuf.height);
    struct Entry {
        std::uint16_t tag;
        std::uint16_t type;
        std::uint32_t count;
        std::uint32_t value;
    };
    const std::array<Entry, 13> entries{{
        {kNewSubfileType, kLong, 1, 0},
        {kImageWidth, kShort, 1, width},
        {kImageLength, kShort, 1, height},
        {kBitsPerSample, kShort, s, 170},
        {kCompression, kShort, 1, 1},
        {kPhotometric, kShort, 1, 2},
        {kStripOffsets, kLong, 1, 186 + 2 * s},
        {kSamplesPerPixel, kShort, 1, s},
        {kRowsPerStrip, kShort, 1, height},
        {kStripByteCounts, kLong, 1, s * width * height},
        {kXResolution, kRational, 1, 170 + 2 * s},
        {kYResolution, kRational, 1, 178 + 2 * s},
        {kResolutionUnit, kShort, 1, 2},
    }};
    std::array<std::uint8_t, 186 + 2 * 4> head{};
    std::uint8_t* p = head.data();
    p[0] = 'I';
    p[1] = 'I';
    storeU16(p + 2, 42);
    storeU32(p + 4, 8);
    storeU16(p + 8, entries.size());
    p += 10;
    for (const Entry& e : entries) {
        storeU16(p, e.tag);
        storeU16(p + 2, e.type);
        storeU32(p + 4, e.count);
        // A short sits in the first two bytes of the field; little-endian, that is the
        // same four bytes as the number itself.
        storeU32(p + 8, e.value);
        p += kEntryBytes;
    }
    storeU32(p, 0);
    p += 4;
    for (std::uint32_t i = 0; i < s; ++i, p += 2) storeU16(p, 8);
    for (int i = 0; i < 2; ++i, p += 8) {
        storeU32(p, 720000);
        storeU32(p + 4, 10000);
    }
    if (!out.write(head.data(), static_cast<std::size_t>(p - head.data()))) return false;

    std::array<std::uint8_t, 4 * 1024> chunk{};
    std::size_t used = 0;
    const std::uint8_t* px = cbuf.pixels.data();
    const std::size_t pixels = std::size_t{width} * height;
    for (std::size_t i = 0; i < pixels; ++i, px += 4) {
        for (std::uint32_t c = 0; c < s; ++c) chunk[used++] = px[c];
        if (used + 4 > chunk.size()) {
            if (!out.write(chunk.data(), used)) return false;
            used = 0;
        }
    }
    return out.write(chunk.data(), used);
}

}  // namespace rz::fileio
