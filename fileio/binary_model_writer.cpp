#include <time.h>

#include <array>
#include <cstring>
#include <string_view>

#include "fileio/binary_model.hpp"
#include "fileio/binary_records.hpp"
#include "fileio/byte_order.hpp"
#include "fileio/file_messages.hpp"
#include "script/tokens.hpp"

namespace rz::fileio {
namespace {

constexpr std::size_t kLargestRecord = kBlockBytes;
constexpr std::size_t kCreatorMaxText = 254;

// The date tag of a file written today.
std::uint32_t dateTag() {
    const time_t now = ::time(nullptr);
    struct tm local {};
    ::localtime_r(&now, &local);
    return dateTagOf(local);
}

class ModelWriter {
  public:
    ModelWriter(platform::MessageService& msg, OutputFile& out) : msg_(msg), out_(out) {}

    // Each step does nothing once a write has failed; the first failure is reported.
    void tag(TagCode code, std::uint16_t kind, std::uint32_t content) {
        if (failed_) return;
        std::array<std::uint8_t, kTagBytes> b{};
        storeU16(b.data(), static_cast<std::uint16_t>(code));
        storeU16(b.data() + 2, kind);
        storeU32(b.data() + 4, content);
        if (!out_.write(b.data(), b.size())) fail("in WriteTagHeader (tagcode)\n");
    }
    void section(Section kind, std::uint32_t n) {
        tag(TagCode::Data, static_cast<std::uint16_t>(kind), n);
    }
    template <class T, class Encode>
    void records(const std::vector<T>& store, std::int32_t first, std::int32_t end,
                 std::size_t bytes, Encode encode, std::string_view place) {
        std::array<std::uint8_t, kLargestRecord> b{};
        for (std::int32_t i = first; i < end && !failed_; ++i) {
            encode(store[i], b.data());
            if (!out_.write(b.data(), bytes)) fail(place);
        }
    }
    void creator(const Creator& c) {
        section(Section::Creator, 1);
        text(c.user, "in WriteCreaterBinary(usernamelen) \n");
        text(c.organisation, "in WriteCreaterBinary(userorgnamelen) \n");
    }
    void bytes(const std::uint8_t* p, std::size_t n, std::string_view place) {
        if (!failed_ && !out_.write(p, n)) fail(place);
    }
    void header(std::uint32_t estimate, const Creator& c) {
        tag(TagCode::Start, 0, estimate);
        tag(TagCode::Version, 0, kFormatVersion);
        tag(TagCode::Date, 0, dateTag());
        tag(TagCode::Protect, 0, 0);
        creator(c);
    }
    script::Result finish() {
        tag(TagCode::End, 0, 0);
        return failed_ ? script::kFail : script::kOk;
    }

  private:
    // A creator text: its length rounded down to a multiple of 4, plus 4, so that at least
    // one terminating zero is stored. Texts of up to 254 characters are held whole, and
    // their stored length stays within 256.
    void text(std::string_view s, std::string_view place) {
        if (failed_) return;
        std::array<std::uint8_t, 256> b{};
        const std::size_t n = std::min<std::size_t>(s.size(), kCreatorMaxText);
        const std::size_t len = n / 4 * 4 + 4;
        if (n > 0) std::memcpy(b.data(), s.data(), n);
        std::array<std::uint8_t, 4> lenBytes{};
        storeU32(lenBytes.data(), static_cast<std::uint32_t>(len));
        if (!out_.write(lenBytes.data(), lenBytes.size())) return fail(place);
        if (!out_.write(b.data(), len)) fail("in WriteCreaterBinary \n");
    }
    void fail(std::string_view place) {
        failed_ = true;
        msg_.errorBox(msg::kWriteError);
        msg_.errorBoxPlain(place);
    }

    platform::MessageService& msg_;
    OutputFile& out_;
    bool failed_ = false;
};

std::uint32_t u32(std::int64_t v) {
    return static_cast<std::uint32_t>(v);
}

}  // namespace

std::uint32_t dateTagOf(const struct tm& local) {
    return static_cast<std::uint32_t>((local.tm_year % 100) * 10000 + (local.tm_mon + 1) * 100 +
                                      local.tm_mday);
}

script::Result writeModelBinary(platform::MessageService& msg, const db::Database& db,
                                OutputFile& out, bool motion, const Creator& creator) {
    std::int64_t estimate = 544 + 32LL * db.axisCount + 4LL * db.patchCount +
                            160LL * db.shapeCount + 334LL * db.blockCount + 128LL * db.affineCount +
                            192LL * db.attributeCount + 80LL * (db.mapinfoCount - 1) +
                            8LL * (db.maplistCount - 1) + 32LL * (db.mapdataCount - 1) +
                            db.textureBytesUsed;
    if (motion) estimate += 72LL * db.rigidCount + 8LL * db.rlinkCount + 80LL * db.actorCount;

    ModelWriter w(msg, out);
    w.header(u32(estimate), creator);
    w.section(Section::Axis, u32(db.axisCount));
    w.records(db.axes, 0, db.axisCount, kAxisBytes, encodeAxis, "in WriteAxisBinary \n");
    w.section(Section::Patch, u32(db.patchCount));
    w.records(
        db.patches, 0, db.patchCount, kPatchBytes,
        [](std::int32_t v, std::uint8_t* p) { storeI32(p, v); }, "in WriteShapeBinary(i) \n");
    w.section(Section::Shape, u32(db.shapeCount));
    w.records(db.shapes, 0, db.shapeCount, kShapeBytes, encodeShape, "in WriteShapeBinary(ui) \n");
    w.section(Section::Block, u32(db.blockCount - 1));
    w.records(db.blocks, 1, db.blockCount, kBlockBytes, encodeBlock, "in WriteBlockBinary(f) \n");
    w.section(Section::Affine, u32(db.affineCount - 1));
    w.records(db.affines, 1, db.affineCount, kAffineBytes, encodeAffine,
              "in WriteAffineBinary(d) \n");
    w.section(Section::Attribute, u32(db.attributeCount));
    w.records(db.attributes, 0, db.attributeCount, kAttributeBytes, encodeAttribute,
              "in WriteAttriBinary(f) \n");
    w.section(Section::Mapinfo, u32(db.mapinfoCount - 1));
    w.records(db.mapinfos, 1, db.mapinfoCount, kMapinfoBytes, encodeMapinfo,
              "in WriteMapinfoBinary(f) \n");
    w.section(Section::Maplist, u32(db.maplistCount - 1));
    w.records(db.maplists, 1, db.maplistCount, kMaplistBytes, encodeMaplist,
              "in WriteMaplistBinary(ui) \n");
    w.section(Section::Mapdata, u32(db.mapdataCount - 1));
    w.records(db.mapdatas, 1, db.mapdataCount, kMapdataBytes, encodeMapdata,
              "in WriteMapdataBinary(i) \n");
    w.section(Section::Texture, u32(db.textureBytesUsed));
    w.bytes(db.textureBuffer.data(), static_cast<std::size_t>(db.textureBytesUsed),
            "in WriteTextureBinary \n");
    if (motion) {
        w.section(Section::Rigid, u32(db.rigidCount));
        w.records(db.rigids, 0, db.rigidCount, kRigidBytes, encodeRigid,
                  "in WriteRigidBinary(f) \n");
        w.section(Section::Rlink, u32(db.rlinkCount));
        w.records(db.rlinks, 0, db.rlinkCount, kRlinkBytes, encodeRlink,
                  "in WriteRlinkBinary(ui) \n");
        w.section(Section::Actor, u32(db.actorCount - 1));
        w.records(db.actors, 1, db.actorCount, kActorBytes, encodeActor,
                  "in WriteRigidBinary(ui) \n");
    }
    return w.finish();
}

script::Result writePoseBinary(platform::MessageService& msg, const db::Database& db,
                               OutputFile& out, const Creator& creator) {
    const std::int64_t estimate =
        544 + 128LL * db.affineCount + 334LL * db.blockCount + 72LL * db.rigidCount;
    ModelWriter w(msg, out);
    w.header(u32(estimate), creator);
    w.section(Section::BlockPose, u32(db.blockCount - 1));
    w.records(db.blocks, 1, db.blockCount, kBlockBytes, encodeBlock, "in WriteBlockBinary(f) \n");
    w.section(Section::AffinePose, u32(db.affineCount - 1));
    w.records(db.affines, 1, db.affineCount, kAffineBytes, encodeAffine,
              "in WriteAffineBinary(d) \n");
    w.section(Section::RigidPose, u32(db.rigidCount));
    w.records(db.rigids, 0, db.rigidCount, kRigidBytes, encodeRigid, "in WriteRigidBinary(f) \n");
    return w.finish();
}

}  // namespace rz::fileio
