#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
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

class ModelReader;

// How one kind of data section is read: its handler and what the handler needs to know
// about the records. Kinds without a row are refused.
struct SectionRow {
    Section kind;
    script::Result (ModelReader::*handler)(const SectionRow& row, std::uint32_t n);
    std::size_t bytes = 0;                 // one record in the file
    std::int32_t Tally::*count = nullptr;  // where the records go, or what a pose must match
    std::int32_t db::LoadBases::*base = nullptr;
    // Appended records: the load base is the old count plus this (blocks are numbered from
    // 1). Pose records: the file must hold the count plus this many.
    std::int32_t offset = 0;
    std::int64_t (*capacity)(const db::Database& db) = nullptr;
    const char* overflow = nullptr;
    std::string_view place = {};
    // Puts record i, decoded from p, in its place.
    void (*store)(const std::uint8_t* p, db::Database& db, std::size_t i) = nullptr;
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
        // The actor base is the count, as an actor section sets it, also for a file
        // without one: the snapshot's base (count - 1) would move the model's last actor.
        bases_.actor = db.actorCount;
    }

    script::Result run();
    bool attributesRead() const { return attributes_; }

  private:
    static const std::array<SectionRow, 17> kSections;

    script::Result readError(std::string_view place) {
        msg_.errorBox(msg::kReadError);
        msg_.errorBoxPlain(place);
        return script::kFail;
    }
    script::Result overflow(const char* format, std::int64_t total) {
        msg_.formatBuffer(format, static_cast<int>(std::min<std::int64_t>(total, INT32_MAX)));
        msg_.errorBox(msg_.buffer());
        return script::kFail;
    }
    bool readTag(Tag& tag, script::Result& result);
    script::Result section(const Tag& tag);
    script::Result records(const SectionRow& row, std::uint32_t n);
    script::Result attributes(const SectionRow& row, std::uint32_t n);
    script::Result pose(const SectionRow& row, std::uint32_t n);
    script::Result texture(const SectionRow& row, std::uint32_t n);
    script::Result creator(const SectionRow& row, std::uint32_t n);

    // Appends n records of the row's kind at start, which must stay within capacity.
    script::Result append(const SectionRow& row, std::uint32_t n, std::int32_t start) {
        const std::int64_t needed = std::int64_t{start} + n;
        if (needed > row.capacity(db_)) return overflow(row.overflow, needed);
        return storeRecords(row, n, static_cast<std::size_t>(start));
    }
    script::Result storeRecords(const SectionRow& row, std::uint32_t n, std::size_t first) {
        if (!store_)
            return in_.skip(std::uint64_t{n} * row.bytes) ? script::kOk : readError(row.place);
        for (std::uint32_t i = 0; i < n; ++i) {
            const std::uint8_t* p = in_.take(row.bytes);
            if (p == nullptr) return readError(row.place);
            row.store(p, db_, first + i);
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

using db::Database;
using db::storeCapacity;
using Bytes = const std::uint8_t*;

const std::array<SectionRow, 17> ModelReader::kSections{{
    {.kind = Section::Axis,
     .handler = &ModelReader::records,
     .bytes = kAxisBytes,
     .count = &Tally::axis,
     .base = &db::LoadBases::axis,
     .capacity = [](const Database& db) { return storeCapacity(db.usableAxisLimit(), db.axes); },
     .overflow = kAxisOverflow,
     .place = "in ReadModelBinary (AXIS)\n",
     .store = [](Bytes p, Database& db, std::size_t i) { decodeAxis(p, db.axes[i]); }},
    {.kind = Section::Patch,
     .handler = &ModelReader::records,
     .bytes = kPatchBytes,
     .count = &Tally::patch,
     .base = &db::LoadBases::patch,
     .capacity = [](const Database& db) { return storeCapacity(db.capacity.patchmax, db.patches); },
     .overflow = kPatchOverflow,
     .place = "in ReadModelBinary (PATCH)\n",
     .store = [](Bytes p, Database& db, std::size_t i) { db.patches[i] = loadI32(p); }},
    {.kind = Section::Shape,
     .handler = &ModelReader::records,
     .bytes = kShapeBytes,
     .count = &Tally::shape,
     .base = &db::LoadBases::shape,
     .capacity = [](const Database& db) { return storeCapacity(db.capacity.shapemax, db.shapes); },
     .overflow = kShapeOverflow,
     .place = "in ReadModelBinary (SHAPE)\n",
     .store = [](Bytes p, Database& db, std::size_t i) { decodeShape(p, db.shapes[i]); }},
    {.kind = Section::Block,
     .handler = &ModelReader::records,
     .bytes = kBlockBytes,
     .count = &Tally::block,
     .base = &db::LoadBases::block,
     .offset = -1,
     .capacity = [](const Database& db) { return storeCapacity(db.capacity.blockmax, db.blocks); },
     .overflow = kBlockOverflow,
     .place = "in ReadModelBinary (BLOCK)\n",
     .store = [](Bytes p, Database& db, std::size_t i) { decodeBlock(p, db.blocks[i]); }},
    {.kind = Section::Affine,
     .handler = &ModelReader::records,
     .bytes = kAffineBytes,
     .count = &Tally::affine,
     .base = &db::LoadBases::affine,
     .capacity =
         [](const Database& db) { return storeCapacity(db.capacity.affinemax, db.affines); },
     .overflow = kAffineOverflow,
     .place = "in ReadModelBinary (AFFINE)\n",
     .store = [](Bytes p, Database& db, std::size_t i) { decodeAffine(p, db.affines[i]); }},
    {.kind = Section::Attribute,
     .handler = &ModelReader::attributes,
     .bytes = kAttributeBytes,
     .count = &Tally::attribute,
     .base = &db::LoadBases::attribute,
     .capacity =
         [](const Database& db) { return storeCapacity(db.capacity.attrimax, db.attributes); },
     .overflow = kAttributeOverflow,
     .place = "in ReadModelBinary (ATTRI)\n",
     .store = [](Bytes p, Database& db, std::size_t i) { decodeAttribute(p, db.attributes[i]); }},
    {.kind = Section::Mapinfo,
     .handler = &ModelReader::records,
     .bytes = kMapinfoBytes,
     .count = &Tally::mapinfo,
     .base = &db::LoadBases::mapinfo,
     .capacity =
         [](const Database& db) { return storeCapacity(db.capacity.mapinfomax, db.mapinfos); },
     .overflow = kMapinfoOverflow,
     .place = "in ReadModelBinary (MAPINFO)\n",
     .store = [](Bytes p, Database& db, std::size_t i) { decodeMapinfo(p, db.mapinfos[i]); }},
    {.kind = Section::Maplist,
     .handler = &ModelReader::records,
     .bytes = kMaplistBytes,
     .count = &Tally::maplist,
     .base = &db::LoadBases::maplist,
     .capacity =
         [](const Database& db) { return storeCapacity(db.capacity.maplistmax, db.maplists); },
     .overflow = kMaplistOverflow,
     .place = "in ReadModelBinary (MAPLINK)\n",
     .store = [](Bytes p, Database& db, std::size_t i) { decodeMaplist(p, db.maplists[i]); }},
    {.kind = Section::Mapdata,
     .handler = &ModelReader::records,
     .bytes = kMapdataBytes,
     .count = &Tally::mapdata,
     .base = &db::LoadBases::mapdata,
     .capacity =
         [](const Database& db) { return storeCapacity(db.capacity.mapdatamax, db.mapdatas); },
     .overflow = kMapdataOverflow,
     .place = "in ReadModelBinary (MAPDATA)\n",
     .store = [](Bytes p, Database& db, std::size_t i) { decodeMapdata(p, db.mapdatas[i]); }},
    {.kind = Section::Texture, .handler = &ModelReader::texture},
    {.kind = Section::Rigid,
     .handler = &ModelReader::records,
     .bytes = kRigidBytes,
     .count = &Tally::rigid,
     .base = &db::LoadBases::rigid,
     .capacity = [](const Database& db) { return storeCapacity(db.capacity.rigidmax, db.rigids); },
     .overflow = kRigidOverflow,
     .place = "in ReadModelBinary (RIGID)\n",
     .store = [](Bytes p, Database& db, std::size_t i) { decodeRigid(p, db.rigids[i]); }},
    {.kind = Section::Rlink,
     .handler = &ModelReader::records,
     .bytes = kRlinkBytes,
     .count = &Tally::rlink,
     .base = &db::LoadBases::rlink,
     .capacity = [](const Database& db) { return storeCapacity(db.capacity.rlinkmax, db.rlinks); },
     .overflow = kRlinkOverflow,
     .place = "in ReadModelBinary (RLINK)\n",
     .store = [](Bytes p, Database& db, std::size_t i) { decodeRlink(p, db.rlinks[i]); }},
    {.kind = Section::Actor,
     .handler = &ModelReader::records,
     .bytes = kActorBytes,
     .count = &Tally::actor,
     .base = &db::LoadBases::actor,
     .capacity = [](const Database& db) { return storeCapacity(db.capacity.actormax, db.actors); },
     .overflow = kActorOverflow,
     .place = "in ReadModelBinary (ACTOR)\n",
     .store = [](Bytes p, Database& db, std::size_t i) { decodeActor(p, db.actors[i]); }},
    // Poses overwrite the posable fields of records already there, from record 1 where
    // record 0 is reserved.
    {.kind = Section::BlockPose,
     .handler = &ModelReader::pose,
     .bytes = kBlockBytes,
     .count = &Tally::block,
     .offset = -1,
     .place = "inReadModelBinary (BLOCK-GIMIC)",
     .store = [](Bytes p, Database& db, std::size_t i) { decodeBlockPose(p, db.blocks[1 + i]); }},
    {.kind = Section::RigidPose,
     .handler = &ModelReader::pose,
     .bytes = kRigidBytes,
     .count = &Tally::rigid,
     .place = "inReadModelBinary (RIGID-GIMIC)",
     .store =
         [](Bytes p, Database& db, std::size_t i) {
             db::Rigid r;
             decodeRigid(p, r);
             db.rigids[i].pos = r.pos;
             db.rigids[i].tmp = r.tmp;
         }},
    {.kind = Section::AffinePose,
     .handler = &ModelReader::pose,
     .bytes = kAffineBytes,
     .count = &Tally::affine,
     .offset = -1,
     .place = "inReadModelBinary (AFFINE-GIMIC)",
     .store = [](Bytes p, Database& db, std::size_t i) { decodeAffine(p, db.affines[1 + i]); }},
    {.kind = Section::Creator, .handler = &ModelReader::creator},
}};

bool ModelReader::readTag(Tag& tag, script::Result& result) {
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

script::Result ModelReader::run() {
    Tag tag;
    script::Result result = script::kOk;
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

script::Result ModelReader::section(const Tag& tag) {
    const auto row =
        std::ranges::find(kSections, static_cast<Section>(tag.kind), &SectionRow::kind);
    if (row != kSections.end()) return (this->*row->handler)(*row, tag.content);
    msg_.errorBox(msg::kUnsupportedFormat);
    msg_.formatBuffer("in ReadModelBinary (tagkind %u)\n", static_cast<unsigned>(tag.kind));
    msg_.errorBoxPlain(msg_.buffer());
    return script::kFail;
}

script::Result ModelReader::records(const SectionRow& row, std::uint32_t n) {
    std::int32_t& count = t_.*row.count;
    if (const script::Result r = append(row, n, count); r != script::kOk) return r;
    bases_.*row.base = count + row.offset;
    count = static_cast<std::int32_t>(count + n);
    return script::kOk;
}

script::Result ModelReader::attributes(const SectionRow& row, std::uint32_t n) {
    // A model that holds only attribute 0 takes the file's first attribute in its place.
    const bool replaceFirst = t_.attribute == 1 && n > 0;
    const std::int32_t start = replaceFirst ? 0 : t_.attribute;
    if (const script::Result r = append(row, n, start); r != script::kOk) return r;
    bases_.attribute = t_.attribute;
    t_.attribute = start + static_cast<std::int32_t>(n);
    attributes_ = true;
    return script::kOk;
}

script::Result ModelReader::pose(const SectionRow& row, std::uint32_t n) {
    const std::int64_t expected = t_.*row.count + row.offset;
    if (expected != n) {
        msg_.errorBox(msg::kPoseCountMismatch);
        return script::kFail;
    }
    return storeRecords(row, n, 0);
}

script::Result ModelReader::texture(const SectionRow&, std::uint32_t n) {
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

script::Result ModelReader::creator(const SectionRow&, std::uint32_t n) {
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

script::Result readModelBinary(platform::MessageService& msg, db::Database& db, BinaryInput& in,
                               bool* attributesRead) {
    {
        ModelReader check(msg, db, in, false);
        if (const script::Result r = check.run(); r != script::kOk) return r;
    }
    if (!in.rewind()) {
        msg.errorBox(msg::kReadError);
        msg.errorBoxPlain("in ReadTagHeader (tagcode)\n");
        return script::kFail;
    }
    ModelReader store(msg, db, in, true);
    const script::Result r = store.run();
    if (attributesRead != nullptr) *attributesRead = r == script::kOk && store.attributesRead();
    return r;
}

}  // namespace rz::fileio
