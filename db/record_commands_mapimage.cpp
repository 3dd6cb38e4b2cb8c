#include "db/record_commands_mapimage.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "db/current_records.hpp"
#include "db/record_commands_common.hpp"
#include "script/arguments.hpp"
#include "script/command_table.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::db {
namespace {

using script::kFail;
using script::kOk;
using script::Result;

const RecordFamily kMapdatas{
    &Database::mapdataCount,
    &Capacities::mapdatamax,
    &Database::currentMapdata,
    [](const Database& db) { return db.mapdatas.size(); },
    kInt16Records,  // mapinfos name their image in 16 bits
    SysVar::MdPoint,
    nullptr,
    nullptr,
    {},
    {},
    {},
    {},
    {},
    NumLimit::Count,
    LoadBaseRule::FromTwo,
    &LoadBases::mapdata,
    1,
};

// The four corners of a rectangle of the colour buffer, as variables hold them.
struct Rectangle {
    std::array<float*, 4> corner{};  // x0, y0, x1, y1
};

// The variables of a rectangle: four scalar-valued references separated by ",", ending
// the statement.
script::Result rectangleArgument(script::Interp& in, Rectangle& r) {
    for (std::size_t i = 0; i < r.corner.size(); ++i) {
        if (i > 0 && script::expectComma(in) != kOk) return kFail;
        r.corner[i] = scalarReference(in);
        if (r.corner[i] == nullptr) return kFail;
    }
    return script::noArguments(in);
}

bool hasColorBuffer(const ColorBuffer& c) {
    return c.width > 0 && c.height > 0 &&
           c.pixels.size() >= static_cast<std::size_t>(c.width) * c.height * 4;
}

std::int64_t textureCapacity(const Database& db) {
    return std::min<std::int64_t>(std::max(db.capacity.mapimagemax, 0), db.textureBuffer.size());
}

}  // namespace

bool removeMapImage(Database& db, std::int32_t n) {
    const std::int32_t count = countOf(db, kMapdatas);
    if (n < 1 || n >= count) return false;
    const Mapdata gone = db.mapdatas[n];
    const std::int64_t used = db.textureBytesUsed;
    const std::int64_t start = gone.offset;
    const std::int64_t end = start + gone.size;
    if (used < 0 || used > textureCapacity(db) || end > used) return false;

    std::memmove(db.textureBuffer.data() + start, db.textureBuffer.data() + end,
                 static_cast<std::size_t>(used - end));
    db.textureBytesUsed = static_cast<std::int32_t>(used - gone.size);
    std::copy(db.mapdatas.begin() + n + 1, db.mapdatas.begin() + count, db.mapdatas.begin() + n);
    db.mapdataCount = count - 1;
    for (std::int32_t i = 0; i < db.mapdataCount; ++i) {
        Mapdata& m = db.mapdatas[i];
        if (gone.size > 0 && m.offset >= end) m.offset -= gone.size;
    }
    const auto mapinfos = std::clamp<std::int64_t>(db.mapinfoCount, 0, db.mapinfos.size());
    for (std::int64_t i = 0; i < mapinfos; ++i) {
        std::int16_t& t = db.mapinfos[i].texId;
        if (t == n) {
            t = 0;
        } else if (t > n) {
            --t;
        }
    }
    return true;
}

static script::Result cmdSetMdcount(script::Interp& in) {
    return limitCount(in, kMapdatas);
}

static script::Result cmdSetMapimage(script::Interp& in) {
    const float* kindValue = scalarReference(in);
    if (kindValue == nullptr) return kFail;
    if (script::expectComma(in) != kOk) return kFail;
    Rectangle area;
    if (rectangleArgument(in, area) != kOk) return kFail;

    Database& db = database(in);
    const ColorBuffer& cbuf = db.colorBuffer;
    const std::int32_t x0 = wholeNumber(*area.corner[0]);
    const std::int32_t y0 = wholeNumber(*area.corner[1]);
    const std::int32_t x1 = wholeNumber(*area.corner[2]);
    const std::int32_t y1 = wholeNumber(*area.corner[3]);
    // Only a rectangle of the colour buffer itself, corners in order, can be cut out.
    if (!hasColorBuffer(cbuf) || x0 < 0 || y0 < 0 || x0 > x1 || y0 > y1 || x1 >= cbuf.width ||
        y1 >= cbuf.height)
        return script::failSkip(in, script::msg::kValueNotCorrect);

    const auto kind = static_cast<std::uint16_t>(wholeNumber(*kindValue));
    const std::uint32_t p = bytesPerPixel(kind);
    const std::int64_t width = std::int64_t{x1} - x0 + 1;
    const std::int64_t height = std::int64_t{y1} - y0 + 1;
    const std::int64_t size = width * height * p;
    const std::int64_t used = db.textureBytesUsed;
    if (used < 0 || used + size > textureCapacity(db))
        return script::failSkip(in, " テクスチャ画像データ記憶域がオーバーフローだぁ！ \n");
    const std::int32_t n = db.mapdataCount;
    if (n < 0 || n >= capacityOf(db, kMapdatas))
        return script::failSkip(in, " マッピング画像データ記憶域がオーバーフローだぁ！ \n");

    std::uint8_t* out = db.textureBuffer.data() + used;
    for (std::int64_t y = y0; y <= y1; ++y) {
        const std::uint8_t* row = cbuf.pixels.data() + (y * cbuf.width + x0) * 4;
        for (std::int64_t x = 0; x < width; ++x, out += p) std::memcpy(out, row + x * 4, p);
    }
    db.mapdatas[n] = {kind, static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height),
                      0,    static_cast<std::uint32_t>(used),  static_cast<std::uint32_t>(size)};
    db.textureBytesUsed = static_cast<std::int32_t>(used + size);
    db.mapdataCount = n + 1;
    status(in, "■■　マッピングイメージの登録，ＯＫ！　■■");
    return kOk;
}

static script::Result cmdGetImagearea(script::Interp& in) {
    Rectangle area;
    if (rectangleArgument(in, area) != kOk) return kFail;
    const ColorBuffer& cbuf = database(in).colorBuffer;
    if (!hasColorBuffer(cbuf)) return kOk;
    // Corners in order and inside the buffer, so that set.mapimage can take the area.
    const std::array<std::int32_t, 2> last{cbuf.width - 1, cbuf.height - 1};
    for (int axis = 0; axis < 2; ++axis) {
        float& lo = *area.corner[axis];
        float& hi = *area.corner[axis + 2];
        const std::int32_t a = std::clamp(wholeNumber(lo), 0, last[axis]);
        const std::int32_t b = std::clamp(wholeNumber(hi), 0, last[axis]);
        lo = static_cast<float>(std::min(a, b));
        hi = static_cast<float>(std::max(a, b));
    }
    return kOk;
}

static script::Result cmdDispMapimage(script::Interp& in) {
    const float* value = scalarReference(in);
    if (value == nullptr) return kFail;
    if (script::noArguments(in) != kOk) return kFail;
    const std::int32_t n = wholeNumber(*value);
    Database& db = database(in);
    if (n < 0 || n >= countOf(db, kMapdatas))
        return script::failSkip(in, script::msg::kValueNotCorrect);
    // The image shown becomes the current map image, the one the image views draw.
    db.currentMapdata = n;
    scalarVar(in, SysVar::MdPoint) = static_cast<float>(n);
    status(in, "■■　マッピングイメージの表示，ＯＫ！　■■");
    return kOk;
}

static script::Result cmdDelMapimage(script::Interp& in) {
    const float* value = scalarReference(in);
    if (value == nullptr) return kFail;
    if (script::noArguments(in) != kOk) return kFail;
    const std::int32_t n = wholeNumber(*value);
    Database& db = database(in);
    // Image 0 is the reserved empty image that mapinfos without an image name.
    if (n < 1 || n >= countOf(db, kMapdatas))
        return script::failSkip(in, script::msg::kValueNotCorrect);
    if (!removeMapImage(db, n)) {
        in.msg.internalError(" ... in del.mapimage\n");
        return script::failSkipQuiet(in);
    }
    float& texId = scalarVar(in, SysVar::MTexId);
    const std::int32_t t = wholeNumber(texId);
    if (t == n) {
        texId = 0.0f;
    } else if (t > n) {
        texId = static_cast<float>(t - 1);
    }
    status(in, "■■　マッピングイメージの削除，ＯＫ！　■■");
    return kOk;
}

namespace {
const std::array<script::CommandRow, 6> kCommands{{
    {"set.mdcount", cmdSetMdcount},
    {"get.imagearea", cmdGetImagearea},
    {"disp.imagearea", cmdGetImagearea},
    {"set.mapimage", cmdSetMapimage},
    {"del.mapimage", cmdDelMapimage},
    {"disp.mapimage", cmdDispMapimage},
}};
}  // namespace

std::span<const script::CommandRow> mapimageCommands() {
    return kCommands;
}

}  // namespace rz::db
