#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "db/capacity.hpp"
#include "fileio/binary_model.hpp"
#include "fileio/binary_records.hpp"
#include "fileio/byte_order.hpp"
#include "fileio/file_messages.hpp"
#include "script/tokens.hpp"

namespace rz::fileio {
namespace {

constexpr const char* kAxisOverflow = " Axis データ登録がオーバーフローしました！ ( %d ) \n";
constexpr const char* kPatchOverflow = " Patch データ登録がオーバーフローしました！ ( %d ) \n";
constexpr const char* kShapeOverflow = " Shape データ登録がオーバーフローしました！ ( %d ) \n";
constexpr const char* kBlockOverflow =
    "ＥＲＲＯＲ！　パーツブロックは %d 個までしか登録出来ません。 \n";
constexpr const char* kAffineOverflow = " Affine データ登録がオーバーフローしました！ ( %d ) \n";
constexpr const char* kAttributeOverflow = "ＥＲＲＯＲ！　質感設定は %d 個までしか出来ません。 \n";
constexpr const char* kMapinfoOverflow = " Mapinfo データ登録がオーバーフローしました！ ( %d ) \n";
constexpr const char* kMaplistOverflow = " Maplist データ登録がオーバーフローしました！ ( %d ) \n";
constexpr const char* kRigidOverflow = " 関節点設定データ登録がオーバーフローしました！ ( %d ) \n";
constexpr const char* kRlinkOverflow = " 関節リンクデータ登録がオーバーフローしました！ ( %d ) \n";
constexpr const char* kActorOverflow = " 運動モデルデータ登録がオーバーフローしました！ ( %d ) \n";
// Said without the number, as it always has been.
constexpr const char* kMapdataOverflow = " マッピング画像データ記憶域がオーバーフローだぁ！ \n";

struct Tag {
    std::uint16_t code = 0;
    std::uint16_t kind = 0;
    std::uint32_t content = 0;
};

// Counts as they stand after the sections read so far.
struct Tally {
    std::int32_t axis, patch, shape, block, affine, attribute, mapinfo, maplist, mapdata, texture,
        rigid, rlink, actor;
};

// One pass over the file. The checking pass runs every test and stores nothing; the
// storing pass, run only after a clean checking pass, puts the records in place.
class ModelReader {
  public:
    ModelReader(platform::MessageService& msg, db::Database& db, BinaryInput& in, bool store)
        : msg_(msg), db_(db), in_(in), store_(store) {
        t_ = {db.axisCount,    db.patchCount,       db.shapeCount,   db.blockCount,
              db.affineCount,  db.attributeCount,   db.mapinfoCount, db.maplistCount,
              db.mapdataCount, db.textureBytesUsed, db.rigidCount,   db.rlinkCount,
              db.actorCount};
        bases_ = db.loadBase;
    }

    int run();
    bool attributesRead() const { return attributes_; }

  private:
    int readError(std::string_view place) {
        msg_.errorBox(msg::kReadError);
        msg_.errorBoxPlain(place);
        return script::kFail;
    }
    int overflow(const char* format, std::int64_t total) {
        msg_.formatBuffer(format, static_cast<int>(std::min<std::int64_t>(total, INT32_MAX)));
        msg_.errorBox(msg_.buffer());
        return script::kFail;
    }
    bool readTag(Tag& tag, int& result);
    int section(const Tag& tag);
    int creator(std::uint32_t n);
    int texture(std::uint32_t n);
    int pose(Section kind, std::uint32_t n);

    // Appends n records of the given size at start, which must stay within capacity; the
    // count becomes start + n.
    template <class Decode>
    int append(std::uint32_t n, std::size_t bytes, std::int32_t start, std::int64_t capacity,
               std::int64_t needed, const char* overflowFormat, std::string_view place,
               Decode decode) {
        if (needed > capacity || std::int64_t{start} + n > capacity)
            return overflow(overflowFormat, needed);
        if (!store_) return in_.skip(std::uint64_t{n} * bytes) ? script::kOk : readError(place);
        for (std::uint32_t i = 0; i < n; ++i) {
            const std::uint8_t* p = in_.take(bytes);
            if (p == nullptr) return readError(place);
            decode(p, static_cast<std::size_t>(start) + i);
        }
        return script::kOk;
    }

    platform::MessageService& msg_;
    db::Database& db_;
    BinaryInput& in_;
    bool store_;
    Tally t_{};
    db::LoadBases bases_;
    bool attributes_ = false;
};

bool ModelReader::readTag(Tag& tag, int& result) {
    const std::uint8_t* p = in_.take(2);
    if (p == nullptr) {
        result = readError("in ReadTagHeader (tagcode)\n");
        return false;
    }
    tag.code = loadU16(p);
    if ((p = in_.take(2)) == nullptr) {
        result = readError("in ReadTagHeader (tagkind)\n");
        return false;
    }
    tag.kind = loadU16(p);
    if ((p = in_.take(4)) == nullptr) {
        result = readError("in ReadTagHeader (tagcontent)\n");
        return false;
    }
    tag.content = loadU32(p);
    return true;
}

int ModelReader::run() {
    Tag tag;
    int result = script::kOk;
    if (!readTag(tag, result)) return result;
    if (tag.code != static_cast<std::uint16_t>(TagCode::Start))
        return readError("in ReadModelBinary (TAGSTART)\n");
    if (!readTag(tag, result)) return result;
    if (tag.code != static_cast<std::uint16_t>(TagCode::Version) || tag.content > kFormatVersion) {
        msg_.errorBox(msg::kUnsupportedFormat);
        return script::kFail;
    }
    if (!readTag(tag, result)) return result;
    if (tag.code != static_cast<std::uint16_t>(TagCode::Date))
        return readError("in ReadModelBinary (TAGDATE)\n");
    if (!readTag(tag, result)) return result;
    if (tag.code != static_cast<std::uint16_t>(TagCode::Protect))
        return readError("in ReadModelBinary (TAGPROTECT)\n");
    for (;;) {
        if (!readTag(tag, result)) return result;
        if (tag.code != static_cast<std::uint16_t>(TagCode::Data)) break;
        if ((result = section(tag)) != script::kOk) return result;
    }
    if (store_) {
        db_.axisCount = t_.axis;
        db_.patchCount = t_.patch;
        db_.shapeCount = t_.shape;
        db_.blockCount = t_.block;
        db_.affineCount = t_.affine;
        db_.attributeCount = t_.attribute;
        db_.mapinfoCount = t_.mapinfo;
        db_.maplistCount = t_.maplist;
        db_.mapdataCount = t_.mapdata;
        db_.textureBytesUsed = t_.texture;
        db_.rigidCount = t_.rigid;
        db_.rlinkCount = t_.rlink;
        db_.actorCount = t_.actor;
        db_.loadBase = bases_;
        if (attributes_) db_.currentAttribute = db_.attributeCount - 1;
    }
    return script::kOk;
}

int ModelReader::section(const Tag& tag) {
    const std::uint32_t n = tag.content;
    db::Database& db = db_;
    const db::Capacities& cap = db.capacity;
    int r = script::kOk;
    switch (static_cast<Section>(tag.kind)) {
        case Section::Axis:
            r = append(n, kAxisBytes, t_.axis, db::storeCapacity(db.usableAxisLimit(), db.axes),
                       std::int64_t{t_.axis} + n, kAxisOverflow, "in ReadModelBinary (AXIS)\n",
                       [&](const std::uint8_t* p, std::size_t i) { decodeAxis(p, db.axes[i]); });
            if (r == script::kOk) bases_.axis = std::exchange(t_.axis, t_.axis + n);
            return r;
        case Section::Patch:
            r = append(n, kPatchBytes, t_.patch, db::storeCapacity(cap.patchmax, db.patches),
                       std::int64_t{t_.patch} + n, kPatchOverflow, "in ReadModelBinary (PATCH)\n",
                       [&](const std::uint8_t* p, std::size_t i) { db.patches[i] = loadI32(p); });
            if (r == script::kOk) bases_.patch = std::exchange(t_.patch, t_.patch + n);
            return r;
        case Section::Shape:
            r = append(n, kShapeBytes, t_.shape, db::storeCapacity(cap.shapemax, db.shapes),
                       std::int64_t{t_.shape} + n, kShapeOverflow, "in ReadModelBinary (SHAPE)\n",
                       [&](const std::uint8_t* p, std::size_t i) { decodeShape(p, db.shapes[i]); });
            if (r == script::kOk) bases_.shape = std::exchange(t_.shape, t_.shape + n);
            return r;
        case Section::Block:
            r = append(n, kBlockBytes, t_.block, db::storeCapacity(cap.blockmax, db.blocks),
                       std::int64_t{t_.block} + n, kBlockOverflow, "in ReadModelBinary (BLOCK)\n",
                       [&](const std::uint8_t* p, std::size_t i) { decodeBlock(p, db.blocks[i]); });
            if (r == script::kOk) {
                bases_.block = t_.block - 1;
                t_.block += n;
            }
            return r;
        case Section::Affine:
            r = append(
                n, kAffineBytes, t_.affine, db::storeCapacity(cap.affinemax, db.affines),
                std::int64_t{t_.affine} + n, kAffineOverflow, "in ReadModelBinary (AFFINE)\n",
                [&](const std::uint8_t* p, std::size_t i) { decodeAffine(p, db.affines[i]); });
            if (r == script::kOk) bases_.affine = std::exchange(t_.affine, t_.affine + n);
            return r;
        case Section::Attribute: {
            // A model that holds only attribute 0 takes the file's first attribute in its place.
            const bool replaceFirst = t_.attribute == 1 && n > 0;
            const std::int32_t start = replaceFirst ? 0 : t_.attribute;
            r = append(n, kAttributeBytes, start, db::storeCapacity(cap.attrimax, db.attributes),
                       std::int64_t{start} + n, kAttributeOverflow, "in ReadModelBinary (ATTRI)\n",
                       [&](const std::uint8_t* p, std::size_t i) {
                           decodeAttribute(p, db.attributes[i]);
                       });
            if (r == script::kOk) {
                bases_.attribute = t_.attribute;
                t_.attribute = start + static_cast<std::int32_t>(n);
                attributes_ = true;
            }
            return r;
        }
        case Section::Mapinfo:
            r = append(
                n, kMapinfoBytes, t_.mapinfo, db::storeCapacity(cap.mapinfomax, db.mapinfos),
                std::int64_t{t_.mapinfo} + n, kMapinfoOverflow, "in ReadModelBinary (MAPINFO)\n",
                [&](const std::uint8_t* p, std::size_t i) { decodeMapinfo(p, db.mapinfos[i]); });
            if (r == script::kOk) bases_.mapinfo = std::exchange(t_.mapinfo, t_.mapinfo + n);
            return r;
        case Section::Maplist:
            r = append(
                n, kMaplistBytes, t_.maplist, db::storeCapacity(cap.maplistmax, db.maplists),
                std::int64_t{t_.maplist} + n, kMaplistOverflow, "in ReadModelBinary (MAPLINK)\n",
                [&](const std::uint8_t* p, std::size_t i) { decodeMaplist(p, db.maplists[i]); });
            if (r == script::kOk) bases_.maplist = std::exchange(t_.maplist, t_.maplist + n);
            return r;
        case Section::Mapdata:
            r = append(
                n, kMapdataBytes, t_.mapdata, db::storeCapacity(cap.mapdatamax, db.mapdatas),
                std::int64_t{t_.mapdata} + n, kMapdataOverflow, "in ReadModelBinary (MAPDATA)\n",
                [&](const std::uint8_t* p, std::size_t i) { decodeMapdata(p, db.mapdatas[i]); });
            if (r == script::kOk) bases_.mapdata = std::exchange(t_.mapdata, t_.mapdata + n);
            return r;
        case Section::Texture:
            return texture(n);
        case Section::Rigid:
            r = append(n, kRigidBytes, t_.rigid, db::storeCapacity(cap.rigidmax, db.rigids),
                       std::int64_t{t_.rigid} + n, kRigidOverflow, "in ReadModelBinary (RIGID)\n",
                       [&](const std::uint8_t* p, std::size_t i) { decodeRigid(p, db.rigids[i]); });
            if (r == script::kOk) bases_.rigid = std::exchange(t_.rigid, t_.rigid + n);
            return r;
        case Section::Rlink:
            r = append(n, kRlinkBytes, t_.rlink, db::storeCapacity(cap.rlinkmax, db.rlinks),
                       std::int64_t{t_.rlink} + n, kRlinkOverflow, "in ReadModelBinary (RLINK)\n",
                       [&](const std::uint8_t* p, std::size_t i) { decodeRlink(p, db.rlinks[i]); });
            if (r == script::kOk) bases_.rlink = std::exchange(t_.rlink, t_.rlink + n);
            return r;
        case Section::Actor:
            r = append(n, kActorBytes, t_.actor, db::storeCapacity(cap.actormax, db.actors),
                       std::int64_t{t_.actor} + n, kActorOverflow, "in ReadModelBinary (ACTOR)\n",
                       [&](const std::uint8_t* p, std::size_t i) { decodeActor(p, db.actors[i]); });
            if (r == script::kOk) bases_.actor = std::exchange(t_.actor, t_.actor + n);
            return r;
        case Section::BlockPose:
        case Section::RigidPose:
        case Section::AffinePose:
            return pose(static_cast<Section>(tag.kind), n);
        case Section::Creator:
            return creator(n);
    }
    msg_.errorBox(msg::kUnsupportedFormat);
    msg_.formatBuffer("in ReadModelBinary (tagkind %u)\n", static_cast<unsigned>(tag.kind));
    msg_.errorBoxPlain(msg_.buffer());
    return script::kFail;
}

int ModelReader::texture(std::uint32_t n) {
    if (std::int64_t{t_.texture} + n >
        db::storeCapacity(db_.capacity.mapimagemax, db_.textureBuffer)) {
        msg_.errorBox(msg::kTextureOverflow);
        return script::kFail;
    }
    const bool ok = store_ ? in_.read(db_.textureBuffer.data() + t_.texture, n) : in_.skip(n);
    if (!ok) return readError("in ReadModelBinary (TEXTURE)\n");
    bases_.textureBytes = std::exchange(t_.texture, t_.texture + static_cast<std::int32_t>(n));
    return script::kOk;
}

int ModelReader::pose(Section kind, std::uint32_t n) {
    db::Database& db = db_;
    std::int64_t expected = 0;
    std::size_t bytes = 0;
    std::string_view place;
    switch (kind) {
        case Section::BlockPose:
            expected = t_.block - 1;
            bytes = kBlockBytes;
            place = "inReadModelBinary (BLOCK-GIMIC)";
            break;
        case Section::RigidPose:
            expected = t_.rigid;
            bytes = kRigidBytes;
            place = "inReadModelBinary (RIGID-GIMIC)";
            break;
        default:
            expected = t_.affine - 1;
            bytes = kAffineBytes;
            place = "inReadModelBinary (AFFINE-GIMIC)";
            break;
    }
    if (expected != n) {
        msg_.errorBox(msg::kPoseCountMismatch);
        return script::kFail;
    }
    if (!store_) return in_.skip(std::uint64_t{n} * bytes) ? script::kOk : readError(place);
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint8_t* p = in_.take(bytes);
        if (p == nullptr) return readError(place);
        if (kind == Section::BlockPose) {
            decodeBlockPose(p, db.blocks[1 + i]);
        } else if (kind == Section::RigidPose) {
            db::Rigid r;
            decodeRigid(p, r);
            db.rigids[i].pos = r.pos;
            db.rigids[i].tmp = r.tmp;
        } else {
            decodeAffine(p, db.affines[1 + i]);
        }
    }
    return script::kOk;
}

int ModelReader::creator(std::uint32_t n) {
    // Two length-prefixed texts per record, stepped over: nothing in them is used.
    for (std::uint32_t i = 0; i < n; ++i)
        for (int text = 0; text < 2; ++text) {
            const std::uint8_t* p = in_.take(4);
            if (p == nullptr || !in_.skip(loadU32(p)))
                return readError("in ReadModelBinary (CREATER)\n");
        }
    return script::kOk;
}

}  // namespace

int readModelBinary(platform::MessageService& msg, db::Database& db, BinaryInput& in,
                    bool* attributesRead) {
    {
        ModelReader check(msg, db, in, false);
        if (const int r = check.run(); r != script::kOk) return r;
    }
    if (!in.rewind()) {
        msg.errorBox(msg::kReadError);
        msg.errorBoxPlain("in ReadTagHeader (tagcode)\n");
        return script::kFail;
    }
    ModelReader store(msg, db, in, true);
    const int r = store.run();
    if (attributesRead != nullptr) *attributesRead = r == script::kOk && store.attributesRead();
    return r;
}

}  // namespace rz::fileio
