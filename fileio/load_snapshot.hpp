#pragma once
// What every model load goes through: the snapshot of the counts that becomes the load
// bases, the way back to that snapshot when the file turns out to be bad, and the
// relocation of the references inside the records that the load appended.

#include <array>
#include <cstdint>

#include "db/database.hpp"
#include "fileio/file_types.hpp"
#include "platform/message_service.hpp"

namespace rz::fileio {

// The load bases become the counts as they are now.
void takeLoadSnapshot(db::Database& db);

// Keeps what a load may change: counts, load bases, current records, the records that
// load commands can overwrite below the counts (records 0 and 1 and the current one of
// every store), the camera and the lights. rollback() puts all of it back, which removes
// everything the load appended.
class LoadGuard {
  public:
    explicit LoadGuard(db::Database& db);
    void rollback();

  private:
    template <class T>
    struct Saved {
        std::array<std::int32_t, 3> index{-1, -1, -1};
        std::array<T, 3> record{};
    };
    template <class T>
    static void keep(Saved<T>& s, const std::vector<T>& store, std::int32_t current);
    template <class T>
    static void putBack(const Saved<T>& s, std::vector<T>& store);

    struct Counts {
        std::int32_t axis, patch, shape, block, rigid, rlink, actor, affine, attribute, maplist,
            mapinfo, mapdata, textureBytes, textureWritePos;
        std::int32_t currentBlock, currentRigid, currentRlink, currentActor, currentAttribute,
            currentMaplist, currentMapinfo, currentMapdata, currentLight, lightCount;
    };

    db::Database& db_;
    Counts counts_{};
    db::LoadBases loadBase_;
    db::Camera camera_;
    std::array<db::Light, db::kLightCount> lights_{};
    Saved<db::Axis> axes_;
    Saved<std::int32_t> patches_;
    Saved<db::Shape> shapes_;
    Saved<db::Block> blocks_;
    Saved<db::Rigid> rigids_;
    Saved<db::Rlink> rlinks_;
    Saved<db::Actor> actors_;
    Saved<Mat4> affines_;
    Saved<db::Attribute> attributes_;
    Saved<db::Maplist> maplists_;
    Saved<db::Mapinfo> mapinfos_;
    Saved<db::Mapdata> mapdatas_;
};

// How far the record numbers of a loaded file moved in each store, which depends on how
// the file's records were placed: the binary reader appends at the counts, while the
// load commands of a script add a load base only under their own conditions.
struct LoadShifts {
    std::int32_t block = 0;
    std::int32_t affine = 0;
    std::int32_t axis = 0;
    std::int32_t patch = 0;
    std::int32_t attribute = 0;
    std::int32_t maplist = 0;
    std::int32_t mapinfo = 0;
    std::int32_t mapdata = 0;
    std::int32_t texture = 0;
    std::int32_t rigid = 0;
    std::int32_t rlink = 0;
    std::int32_t actor = 0;
};
LoadShifts loadShifts(const db::LoadBases& base, FileType type);

// Moves the references of the appended records by the shifts of the load and checks that
// the geometry and images they describe lie inside the stores. A file whose records point
// outside is reported and gives false; the caller then rolls back.
bool relocateLoaded(platform::MessageService& msg, db::Database& db, FileType type);
// Only the map images appended since the load bases (a texture file read on its own).
void relocateMapdata(db::Database& db, std::int32_t first, std::int32_t textureShift);

}  // namespace rz::fileio
