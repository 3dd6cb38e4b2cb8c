#include "fileio/rok_reader.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string_view>

#include "db/capacity.hpp"
#include "db/current_records.hpp"
#include "fileio/text_fields.hpp"
#include "geometry/affine_slots.hpp"
#include "geometry/bounding_box.hpp"
#include "geometry/geometry_messages.hpp"
#include "geometry/shape_transform.hpp"
#include "script/messages.hpp"

namespace rz::fileio {
namespace {

using script::kFail;
using script::kOk;

constexpr std::string_view kNotRok = "六角大王の形状データファイル形式ではありません！";
constexpr std::string_view kBadPointBlock = "六角大王の座標点ブロックが変です！";
constexpr std::string_view kMisplacedEndMark = "ブロック終端マークが不正に入っていました！";
constexpr const char* kAttributeStoreFull = "ＥＲＲＯＲ！　質感設定は %d 個までしか出来ません。 \n";

constexpr std::array<std::string_view, 3> kEndMarks{"LINE0", "END00", "ENDP0"};
constexpr int kBinaryHeaderBytes = 128;
constexpr int kSkippedHeaderFields = 14;
constexpr int kPointIntegers = 5;
constexpr int kFaceIntegers = 3;
constexpr int kPaletteIntegers = 7;
constexpr std::int32_t kMaxColourComponent = 255;

// Where a read failed: the file section and the step within it, as the report names them.
enum class Section { Start, Point, Face, Palette };
constexpr std::array<const char*, 4> kSectionNames{"START", "POINT", "FACE0", "PALET"};
struct Site {
    Section section;
    int step;
};
constexpr Site kBlockRoom{Section::Start, 1};
constexpr Site kFirstByte{Section::Start, 2};
constexpr Site kMagic{Section::Start, 3};
constexpr Site kHeaderFields{Section::Start, 4};
constexpr Site kPointMark{Section::Start, 5};
constexpr Site kPointStart{Section::Point, 1};
constexpr Site kPointIntegersSite{Section::Point, 2};
constexpr Site kPointCoordinates{Section::Point, 3};
constexpr Site kPointRoom{Section::Point, 4};
constexpr Site kFaceMark{Section::Face, 1};
constexpr Site kFaceStart{Section::Face, 2};
constexpr Site kFaceHead{Section::Face, 3};
constexpr Site kFacePoints{Section::Face, 4};
constexpr Site kFaceRoom{Section::Face, 5};
constexpr Site kPaletteMarks{Section::Palette, 1};
constexpr Site kPaletteStart{Section::Palette, 2};
constexpr Site kPaletteColour{Section::Palette, 3};
constexpr Site kPaletteRoom{Section::Palette, 4};
constexpr Site kFaceColours{Section::Palette, 5};

// While the faces are read, a raw point notes its copy in the current shape in its own
// texture coordinates, which nothing reads before the raw points are dropped: u the
// shape's number within this file, v the copy's axis. Both are exact in a float.
static_assert(db::kCapacityMaxima.axismax <= (1 << 24) &&
              db::kCapacityMaxima.shapemax <= (1 << 24));
constexpr float kNoCopy = -1.0f;

// Block numbers travel in 16-bit fields.
std::int64_t blockCapacity(const db::Database& db) {
    constexpr std::int64_t kBlockNumbers = std::numeric_limits<std::uint16_t>::max() + 1;
    return std::min(db::storeCapacity(db.capacity.blockmax, db.blocks), kBlockNumbers);
}
std::int64_t attributeCapacity(const db::Database& db) {
    constexpr std::int64_t kAttributeNumbers = std::numeric_limits<std::uint16_t>::max() + 1;
    return std::min(db::storeCapacity(db.capacity.attrimax, db.attributes), kAttributeNumbers);
}

class RokReader {
  public:
    RokReader(script::Interp& in, platform::InputFile& file)
        : in_(in), db_(db::database(in)), file_(file), fields_(file) {}

    script::Result run();

  private:
    // The detail line of a report, naming the section and step.
    script::Result where(Site site);
    script::Result fail(std::string_view text, Site site);
    script::Result failFormatted(const char* format, std::int64_t value, Site site);
    // The next field, required to be there.
    script::Result field(Site site);
    script::Result word(std::string_view expected, std::string_view otherwise, Site site);
    script::Result entryValue(Site site);
    script::Result currentInteger(std::int32_t& out, Site site);
    script::Result integer(std::int32_t& out, Site site);
    script::Result number(float& out, Site site);

    script::Result header();
    script::Result points();
    script::Result point();
    script::Result faces();
    script::Result face();
    script::Result openShape(std::int32_t colour);
    void closeShape();
    script::Result palette();
    script::Result colour();
    void dropRawPoints();
    void makeBlock();

    script::Interp& in_;
    db::Database& db_;
    platform::InputFile& file_;
    Fields fields_;

    std::int32_t block_ = 0;
    std::int32_t firstAxis_ = 0;  // the first raw point
    std::int32_t rawPoints_ = 0;
    std::int32_t firstPatch_ = 0;
    std::int32_t firstShape_ = 0;
    std::int32_t firstAttribute_ = 0;
    std::int32_t shape_ = -1;  // the shape being filled
    std::int32_t shapeColour_ = 0;
};

script::Result RokReader::where(Site site) {
    in_.msg.formatBuffer(" ... in ReadROKFile() / %s(%d)\n",
                         kSectionNames[static_cast<std::size_t>(site.section)], site.step);
    in_.msg.errorBoxPlain(in_.msg.buffer());
    return kFail;
}

script::Result RokReader::fail(std::string_view text, Site site) {
    in_.msg.errorBox(text);
    return where(site);
}

script::Result RokReader::failFormatted(const char* format, std::int64_t value, Site site) {
    std::array<char, 160> text{};
    std::snprintf(text.data(), text.size(), format, static_cast<int>(value));
    return fail(text.data(), site);
}

script::Result RokReader::field(Site site) {
    return fields_.next() ? kOk : fail(script::msg::kEofDetected, site);
}

script::Result RokReader::word(std::string_view expected, std::string_view otherwise, Site site) {
    if (field(site) != kOk) return kFail;
    return fields_.is(expected) ? kOk : fail(otherwise, site);
}

// The field just read, inside an entry: not an end mark, and a number of the kind asked.
script::Result RokReader::entryValue(Site site) {
    for (std::string_view mark : kEndMarks)
        if (fields_.is(mark)) return fail(kMisplacedEndMark, site);
    return kOk;
}

script::Result RokReader::currentInteger(std::int32_t& out, Site site) {
    if (entryValue(site) != kOk) return kFail;
    return fields_.asInt(out) ? kOk : fail(script::msg::kValueNotCorrect, site);
}

script::Result RokReader::integer(std::int32_t& out, Site site) {
    if (field(site) != kOk) return kFail;
    return currentInteger(out, site);
}

script::Result RokReader::number(float& out, Site site) {
    if (field(site) != kOk || entryValue(site) != kOk) return kFail;
    return fields_.asFloat(out) ? kOk : fail(script::msg::kValueNotCorrect, site);
}

script::Result RokReader::header() {
    // Binary-headed files start with a zero byte and 128 bytes of their own; text files
    // start with one byte that is not part of the magic word.
    const int first = file_.get();
    if (first < 0) return fail(script::msg::kEofDetected, kFirstByte);
    if (first == 0)
        for (int i = 0; i < kBinaryHeaderBytes; ++i)
            if (file_.get() < 0) return fail(script::msg::kEofDetected, kFirstByte);
    if (word("ROKU4", kNotRok, kMagic) != kOk) return kFail;
    for (int i = 0; i < kSkippedHeaderFields; ++i)
        if (field(kHeaderFields) != kOk) return kFail;
    return word("POINT", kBadPointBlock, kPointMark);
}

script::Result RokReader::points() {
    firstAxis_ = db_.axisCount;
    while (true) {
        if (!fields_.next()) {
            const std::string_view last = fields_.text();
            in_.msg.formatBuffer("in: %.*s", static_cast<int>(last.size()), last.data());
            in_.msg.console(in_.msg.buffer());
            return fail(script::msg::kEofDetected, kPointStart);
        }
        if (fields_.is("LINE0")) return kOk;
        if (point() != kOk) return kFail;
    }
}

// The entry's first field has been read.
script::Result RokReader::point() {
    std::array<std::int32_t, kPointIntegers> n{};
    if (currentInteger(n[0], kPointIntegersSite) != kOk) return kFail;
    for (std::size_t k = 1; k < n.size(); ++k)
        if (integer(n[k], kPointIntegersSite) != kOk) return kFail;
    db::Axis a;
    for (float& c : a.wv)
        if (number(c, kPointCoordinates) != kOk) return kFail;
    if (db_.axisCount + 1 >= db::usableAxisLimit(db_))
        return fail(geometry::msg::kAxisFull, kPointRoom);
    in_.msg.formatBuffer("(%d) %d %d %d %d %f %f %f", rawPoints_, n[0], n[1], n[2], n[3],
                         double{a.wv[0]}, double{a.wv[1]}, double{a.wv[2]});
    in_.msg.console(in_.msg.buffer());
    a.u = kNoCopy;
    db_.axes[db_.axisCount++] = a;
    ++rawPoints_;
    return kOk;
}

script::Result RokReader::faces() {
    do {
        if (field(kFaceMark) != kOk) return kFail;
    } while (!fields_.is("FACE0"));
    firstPatch_ = db_.patchCount;
    firstShape_ = db_.shapeCount;
    while (true) {
        if (field(kFaceStart) != kOk) return kFail;
        if (fields_.is("END00")) {
            closeShape();
            return kOk;
        }
        if (face() != kOk) return kFail;
    }
}

// The entry's first field, the vertex count, has been read.
script::Result RokReader::face() {
    std::array<std::int32_t, kFaceIntegers> head{};
    if (currentInteger(head[0], kFaceHead) != kOk) return kFail;
    for (std::size_t k = 1; k < head.size(); ++k)
        if (integer(head[k], kFaceHead) != kOk) return kFail;
    const std::int32_t count = head[0];
    const std::int32_t colour = head[1];
    if (count < 1 || colour < 1) return fail(script::msg::kValueNotCorrect, kFaceHead);
    if (shape_ < 0 || colour != shapeColour_) {
        closeShape();
        if (openShape(colour) != kOk) return kFail;
    }
    if (std::int64_t{db_.patchCount} + 1 + count >= db::patchCapacity(db_))
        return fail(geometry::msg::kPatchFull, kFaceRoom);
    db_.patches[db_.patchCount++] = -count;
    const float shapeNumber = static_cast<float>(shape_ - firstShape_);
    for (std::int32_t k = 0; k < count; ++k) {
        std::int32_t p = 0;
        if (integer(p, kFacePoints) != kOk) return kFail;
        if (p < 0 || p >= rawPoints_) return fail(script::msg::kValueNotCorrect, kFacePoints);
        db::Axis& raw = db_.axes[firstAxis_ + p];
        if (raw.u != shapeNumber) {
            if (db_.axisCount + 1 >= db::usableAxisLimit(db_))
                return fail(geometry::msg::kAxisFull, kFaceRoom);
            db::Axis copy;
            copy.wv = raw.wv;
            raw.u = shapeNumber;
            raw.v = static_cast<float>(db_.axisCount);
            db_.axes[db_.axisCount++] = copy;
        }
        db_.patches[db_.patchCount++] = static_cast<std::int32_t>(raw.v);
    }
    return kOk;
}

script::Result RokReader::openShape(std::int32_t colour) {
    if (db_.shapeCount + 1 >= db::shapeCapacity(db_))
        return fail(geometry::msg::kShapeFull, kFaceRoom);
    // Whether the palette has the colour is known only once it has been read.
    const std::int64_t attribute = std::int64_t{firstAttribute_} + colour - 1;
    if (attribute > std::numeric_limits<std::uint16_t>::max())
        return fail(script::msg::kValueNotCorrect, kFaceHead);
    int matrix = 0;
    if (geometry::newAffineSlot(db_, in_.msg, matrix) != kOk) return where(kFaceRoom);
    db::Shape s;
    s.shapeId = static_cast<std::uint32_t>(block_);
    s.kind = db::kShapePolygon;
    s.axisId = static_cast<std::uint32_t>(db_.axisCount);
    s.patchId = static_cast<std::uint32_t>(db_.patchCount);
    s.matrixId = static_cast<std::uint16_t>(matrix);
    s.attribId = static_cast<std::uint16_t>(attribute);
    s.layer = 0;
    // Faces of these files are seen from both sides, and their meshes are smooth.
    s.lrflag = 2;
    s.smoothflag = 1;
    shape_ = db_.shapeCount;
    shapeColour_ = colour;
    db_.shapes[db_.shapeCount++] = s;
    return kOk;
}

void RokReader::closeShape() {
    if (shape_ < 0) return;
    db::Shape& s = db_.shapes[shape_];
    s.axisTotal = static_cast<std::uint32_t>(db_.axisCount) - s.axisId;
    s.patchTotal = static_cast<std::uint32_t>(db_.patchCount) - s.patchId;
}

script::Result RokReader::palette() {
    if (word("PALC0", kNotRok, kPaletteMarks) != kOk) return kFail;
    for (int i = 0; i < 2; ++i)
        if (word("ENDP0", kNotRok, kPaletteMarks) != kOk) return kFail;
    while (true) {
        if (field(kPaletteStart) != kOk) return kFail;
        if (fields_.is("ENDP0")) break;
        if (colour() != kOk) return kFail;
    }
    // Every colour a face named must have come with the palette.
    for (std::int32_t i = firstShape_; i < db_.shapeCount; ++i)
        if (db_.shapes[i].attribId >= db_.attributeCount)
            return fail(script::msg::kValueNotCorrect, kFaceColours);
    return kOk;
}

// The entry's first field has been read: r1 g1 b1 r2 g2 b2 and a number without use.
script::Result RokReader::colour() {
    std::array<std::int32_t, kPaletteIntegers> n{};
    if (currentInteger(n[0], kPaletteColour) != kOk) return kFail;
    for (std::size_t k = 1; k < n.size(); ++k)
        if (integer(n[k], kPaletteColour) != kOk) return kFail;
    for (std::size_t k = 0; k < 6; ++k)
        if (n[k] < 0 || n[k] > kMaxColourComponent)
            return fail(script::msg::kValueNotCorrect, kPaletteColour);
    const std::int64_t capacity = attributeCapacity(db_);
    if (db_.attributeCount >= capacity)
        return failFormatted(kAttributeStoreFull, capacity, kPaletteRoom);
    db::Attribute a;
    for (std::size_t c = 0; c < 3; ++c) {
        a.rgb[c] = static_cast<float>(n[c]) / 255.0f;
        a.arg[c] = static_cast<float>(n[c + 3]) / 255.0f;
        a.drg[c] = a.rgb[c] != 0.0f ? a.arg[c] / a.rgb[c] : 0.0f;
    }
    a.prg = {0.7f, 0.7f, 0.7f};
    a.ambient = 0.1f;
    a.diffuse = 0.5f;
    a.specular = 0.5f;
    a.specularExponent = 70.0f;
    a.opacity = 1.0f;
    a.gainC = 1.0f;
    a.gainL = 0.0f;
    a.haze = 0.0f;
    a.smooth = 0;
    a.map = 0;
    a.face = 2;
    a.shade = 0;
    db_.attributes[db_.attributeCount++] = a;
    return kOk;
}

// The shapes' own copies move down over the raw points, which were only a lookup table.
void RokReader::dropRawPoints() {
    auto axes = db_.axes.begin();
    std::copy(axes + firstAxis_ + rawPoints_, axes + db_.axisCount, axes + firstAxis_);
    db_.axisCount -= rawPoints_;
    for (std::int32_t i = firstPatch_; i < db_.patchCount; ++i)
        if (db_.patches[i] >= 0) db_.patches[i] -= rawPoints_;
    for (std::int32_t i = firstShape_; i < db_.shapeCount; ++i) {
        db::Shape& s = db_.shapes[i];
        s.axisId -= static_cast<std::uint32_t>(rawPoints_);
        geometry::boxFromAxes(db_, s);
    }
}

void RokReader::makeBlock() {
    db::Block& b = db_.blocks[block_];
    b = db::Block{};
    b.xyzmin.fill(geometry::kBlockBoxSentinel);
    b.xyzmax.fill(-geometry::kBlockBoxSentinel);
    // Every shape of the block has an identity matrix of its own: the shape boxes are the
    // block's coordinates.
    for (std::int32_t i = firstShape_; i < db_.shapeCount; ++i)
        for (std::size_t c = 0; c < 3; ++c) {
            b.xyzmin[c] = std::min(b.xyzmin[c], db_.shapes[i].bbmin[c]);
            b.xyzmax[c] = std::max(b.xyzmax[c], db_.shapes[i].bbmax[c]);
        }
    std::snprintf(b.name.data(), b.name.size(), "Block(%d)", block_);
    db_.blockCount = block_ + 1;
}

script::Result RokReader::run() {
    // Block 0 is reserved: even a count lowered to 0 makes block 1 next.
    block_ = std::max(db_.blockCount, 1);
    const std::int64_t blocks = blockCapacity(db_);
    if (block_ >= blocks) return failFormatted(geometry::msg::kBlockStoreFull, blocks, kBlockRoom);
    firstAttribute_ = db_.attributeCount;
    if (header() != kOk || points() != kOk || faces() != kOk || palette() != kOk) return kFail;
    dropRawPoints();
    makeBlock();
    return kOk;
}

}  // namespace

script::Result readRok(script::Interp& in, platform::InputFile& file) {
    return RokReader(in, file).run();
}

}  // namespace rz::fileio
