#include "fileio/texture_files.hpp"

#include <algorithm>
#include <array>
#include <vector>

#include "db/capacity.hpp"
#include "fileio/byte_order.hpp"
#include "fileio/file_messages.hpp"
#include "script/tokens.hpp"

namespace rz::fileio {
namespace {

constexpr std::size_t kMapdataMemoryBytes = 16;
constexpr std::size_t kTextureHeadBytes = 12;

script::Result report(platform::MessageService& msg, std::string_view first,
                      std::string_view place) {
    msg.errorBox(first);
    msg.errorBoxPlain(place);
    return script::kFail;
}

// An image must hold every pixel its size says it has, inside the bytes that came with it.
bool imageFits(const db::Mapdata& m, std::uint64_t bytes) {
    const std::uint64_t pixels = std::uint64_t{m.width} * m.height * db::bytesPerPixel(m.kind);
    return m.size >= pixels && std::uint64_t{m.offset} + m.size <= bytes;
}

void encodeMemoryMapdata(const db::Mapdata& m, std::uint8_t* p) {
    storeU16(p, m.kind);
    storeU16(p + 2, m.width);
    storeU16(p + 4, m.height);
    storeU16(p + 6, m.reserved);
    storeU32(p + 8, m.offset);
    storeU32(p + 12, m.size);
}

void decodeMemoryMapdata(const std::uint8_t* p, db::Mapdata& m) {
    m.kind = loadU16(p);
    m.width = loadU16(p + 2);
    m.height = loadU16(p + 4);
    m.reserved = loadU16(p + 6);
    m.offset = loadU32(p + 8);
    m.size = loadU32(p + 12);
}

}  // namespace

script::Result writeTextureImages(platform::MessageService& msg, const db::Database& db,
                                  OutputFile& out) {
    std::array<std::uint8_t, kMapdataMemoryBytes> b{};
    storeU32(b.data(), static_cast<std::uint32_t>(db.mapdataCount));
    if (!out.write(b.data(), 4))
        return report(msg, msg::kWriteError, "in WriteMapbuffer (mdcount)\n");
    for (std::int32_t i = 0; i < db.mapdataCount; ++i) {
        encodeMemoryMapdata(db.mapdatas[i], b.data());
        if (!out.write(b.data(), b.size()))
            return report(msg, msg::kWriteError, "in WriteMapbuffer (Mapdata WRITE)\n");
    }
    storeU32(b.data(), static_cast<std::uint32_t>(db.textureBytesUsed));
    if (!out.write(b.data(), 4))
        return report(msg, msg::kWriteError, "in WriteMapbuffer (txcount)\n");
    if (!out.write(db.textureBuffer.data(), static_cast<std::size_t>(db.textureBytesUsed)))
        return report(msg, msg::kWriteError, "in WriteMapbuffer (texture data)\n");
    return script::kOk;
}

script::Result readTextureImages(platform::MessageService& msg, db::Database& db, BinaryInput& in) {
    const std::uint8_t* p = in.take(4);
    if (p == nullptr) return report(msg, msg::kReadError, "in ReadMapbuffer (mdcount)\n");
    const std::uint32_t count = loadU32(p);
    const std::int32_t first = db.mapdataCount;
    const std::uint32_t appended = count > 0 ? count - 1 : 0;
    if (std::int64_t{first} + appended > db::storeCapacity(db.capacity.mapdatamax, db.mapdatas))
        return report(msg, msg::kMapdataOverflow,
                      "Stopped Processing in ReadMapbuffer (mdcount)\n");
    for (std::uint32_t i = 0; i < count; ++i) {
        if ((p = in.take(kMapdataMemoryBytes)) == nullptr)
            return report(msg, msg::kReadError, "in ReadMapbuffer (Mapdata READ)\n");
        if (i > 0) decodeMemoryMapdata(p, db.mapdatas[first + i - 1]);
    }
    if ((p = in.take(4)) == nullptr)
        return report(msg, msg::kReadError, "in ReadMapbuffer (txcount)\n");
    const std::uint32_t bytes = loadU32(p);
    const std::int32_t textureBase = db.textureBytesUsed;
    if (std::int64_t{textureBase} + bytes >
        db::storeCapacity(db.capacity.mapimagemax, db.textureBuffer))
        return report(msg, msg::kTextureOverflow,
                      "Stopped Processing in ReadMapbuffer (txcount)\n");
    if (!in.read(db.textureBuffer.data() + textureBase, bytes))
        return report(msg, msg::kReadError, "in ReadMapbuffer (texture data)\n");
    for (std::uint32_t i = 0; i < appended; ++i) {
        db::Mapdata& m = db.mapdatas[first + i];
        if (!imageFits(m, bytes))
            return report(msg, msg::kReadError, "in ReadMapbuffer (Mapdata READ)\n");
        m.offset += static_cast<std::uint32_t>(textureBase);
    }
    db.mapdataCount = first + static_cast<std::int32_t>(appended);
    db.textureBytesUsed = textureBase + static_cast<std::int32_t>(bytes);
    db.currentMapdata = 0;
    db.textureWritePos = 0;
    return script::kOk;
}

script::Result writeSingleTexture(platform::MessageService& msg, const db::Database& db, int image,
                                  OutputFile& out) {
    if (image <= 0 || image >= db.mapdataCount ||
        !imageFits(db.mapdatas[image], static_cast<std::uint64_t>(db.textureBytesUsed))) {
        msg.errorBox(msg::kNoTextureData);
        return script::kFail;
    }
    const db::Mapdata& m = db.mapdatas[image];
    std::array<std::uint8_t, kTextureHeadBytes> head{};
    storeU16(head.data(), m.kind);
    storeU16(head.data() + 2, m.width);
    storeU16(head.data() + 4, m.height);
    storeU32(head.data() + 8, m.size);
    if (!out.write(head.data(), head.size()))
        return report(msg, msg::kWriteError, "in WriteTexture (maphead)\n");
    if (!out.write(db.textureBuffer.data() + m.offset, m.size))
        return report(msg, msg::kWriteError, "in WriteTexture (TextureData)\n");
    return script::kOk;
}

script::Result readSingleTexture(platform::MessageService& msg, db::Database& db, BinaryInput& in) {
    const std::uint8_t* p = in.take(kTextureHeadBytes);
    if (p == nullptr) return report(msg, msg::kReadError, "in ReadTexture (maphead)\n");
    db::Mapdata m;
    m.kind = loadU16(p);
    m.width = loadU16(p + 2);
    m.height = loadU16(p + 4);
    m.size = loadU32(p + 8);
    m.offset = 0;
    if (db.mapdataCount >= db::storeCapacity(db.capacity.mapdatamax, db.mapdatas)) {
        msg.errorBox(msg::kMapdataOverflow);
        return script::kFail;
    }
    if (std::int64_t{db.textureBytesUsed} + m.size >
        db::storeCapacity(db.capacity.mapimagemax, db.textureBuffer)) {
        msg.errorBox(msg::kTextureOverflow);
        return script::kFail;
    }
    if (!imageFits(m, m.size)) return report(msg, msg::kReadError, "in ReadTexture (maphead)\n");
    if (!in.read(db.textureBuffer.data() + db.textureBytesUsed, m.size))
        return report(msg, msg::kReadError, "in ReadTexture (TextureData)\n");
    m.offset = static_cast<std::uint32_t>(db.textureBytesUsed);
    db.mapdatas[db.mapdataCount++] = m;
    db.textureBytesUsed += static_cast<std::int32_t>(m.size);
    return script::kOk;
}

}  // namespace rz::fileio
