#pragma once
// The model store: every record array with its count (which is also the next free index),
// the current record of each type, and the load bases. Arrays are allocated once at
// start-up with capacities from the settings and never grow.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "db/box_cursor_state.hpp"
#include "db/point_edit_session.hpp"
#include "db/records.hpp"
#include "db/selection_state.hpp"
#include "math/value_types.hpp"

namespace rz::db {

// Store capacities, from the "System Setting" section of the settings file.
struct Capacities {
    std::int32_t axismax = 26000;
    std::int32_t patchmax = 22000;
    std::int32_t shapemax = 4000;
    std::int32_t blockmax = 1000;
    std::int32_t rigidmax = 1000;
    std::int32_t rlinkmax = 2000;
    std::int32_t actormax = 100;
    std::int32_t affinemax = 4000;
    std::int32_t attrimax = 1500;
    std::int32_t maplistmax = 4000;
    std::int32_t mapinfomax = 2000;
    std::int32_t mapdatamax = 100;
    std::int32_t mapimagemax = 2457600;
    std::int32_t scriptmax = 128000;
};

// The largest value each capacity key may ask for; a larger one would only exhaust the
// machine. Record numbers reach scripts through 32-bit float variables, which hold whole
// numbers exactly only up to 2^24, and a record that others name by a 16-bit field cannot
// usefully be numbered beyond that field (uint16: 65536 records, int16: 32768). Within those
// bounds the stores of big records are held lower, so that every store at its maximum takes
// about 1.3 GiB together (kMaxStoreBytes), a modest share of a 24 GiB workstation.
inline constexpr Capacities kCapacityMaxima{
    .axismax = 1 << 24,        // 32-byte axes: 512 MiB
    .patchmax = 1 << 24,       // 4-byte entries: 64 MiB
    .shapemax = 1 << 20,       // 96-byte shapes: 96 MiB
    .blockmax = 65536,         // rigids name their blocks in uint16
    .rigidmax = 32768,         // rlinks name their rigid in int16
    .rlinkmax = 32768,         // blocks and rlinks name rlinks in int16
    .actormax = 32768,         // rigids name their actor in int16
    .affinemax = 65536,        // shapes name their matrix in uint16
    .attrimax = 65536,         // shapes name their attribute in uint16
    .maplistmax = 32768,       // maplists chain on in int16
    .mapinfomax = 32768,       // maplists name mapinfos in int16
    .mapdatamax = 32768,       // mapinfos name their image in int16
    .mapimagemax = 512 << 20,  // texture bytes: 512 MiB
    .scriptmax = 64 << 20,     // newexec script bytes: 64 MiB
};

// The bytes the stores of these capacities take.
constexpr std::uint64_t storeBytes(const Capacities& c) {
    const auto bytes = [](std::int32_t count, std::size_t size) {
        return static_cast<std::uint64_t>(count) * size;
    };
    return bytes(c.axismax, sizeof(Axis)) + bytes(c.patchmax, sizeof(std::int32_t)) +
           bytes(c.shapemax, sizeof(Shape)) + bytes(c.blockmax, sizeof(Block)) +
           bytes(c.rigidmax, sizeof(Rigid)) + bytes(c.rlinkmax, sizeof(Rlink)) +
           bytes(c.actormax, sizeof(Actor)) + bytes(c.affinemax, sizeof(Mat4)) +
           bytes(c.attrimax, sizeof(Attribute)) + bytes(c.maplistmax, sizeof(Maplist)) +
           bytes(c.mapinfomax, sizeof(Mapinfo)) + bytes(c.mapdatamax, sizeof(Mapdata)) +
           bytes(c.mapimagemax, 1) + bytes(c.scriptmax, 1);
}

inline constexpr std::uint64_t kMaxStoreBytes = std::uint64_t{3} << 29;  // 1.5 GiB
static_assert(storeBytes(kCapacityMaxima) <= kMaxStoreBytes);

// Counts as they were when the last data file began to load; record numbers read from a
// file are relative to them.
struct LoadBases {
    std::int32_t axis = 0;
    std::int32_t patch = 0;
    std::int32_t shape = 0;
    std::int32_t block = 0;  // block count - 1
    std::int32_t rigid = 0;
    std::int32_t rlink = 0;
    std::int32_t actor = 0;
    std::int32_t affine = 0;
    std::int32_t attribute = 0;
    std::int32_t maplist = 0;
    std::int32_t mapinfo = 0;
    std::int32_t mapdata = 0;
    std::int32_t textureBytes = 0;
};

inline constexpr int kEditListSize = 5000;

// ---- Geometry state ----------------------------------------------------------------------
// The matrix machinery of the geometry commands: the current matrix they build, the stack
// every composition goes through, the rotation centre with its two backups, and the mirror
// count of the last scale. Slot 0 of the affine store is the permanent identity.
inline constexpr int kMatrixStackDepth = 101;

struct GeometryState {
    Mat4 current = kIdentity;
    std::array<Mat4, kMatrixStackDepth> stack{};
    std::int32_t depth = 0;  // 0 = empty
    Vec3 center{};
    Vec3 centerBackup{};           // center.backup / center.restore
    Vec3 temporaryCenterBackup{};  // held while a temporary rotation is in effect
    std::int32_t mirrorCount = 0;  // negative factors of the last scale
};

// ---- Record-command state ---------------------------------------------------------------
// new.atr and new.mapinfo refuse another record while the last one is still pending;
// unlink.mapinfo takes the maplist and mapinfo counts back to those of the last link.mapinfo.
struct RecordCommandState {
    bool attributePending = false;
    bool mapinfoPending = false;
    std::int32_t linkUndoMaplists = 0;
    std::int32_t linkUndoMapinfos = 0;
};

// ---- Undo point ------------------------------------------------------------------------
// The counts remembered when geometry creation starts (a primitive, a copy, a load); the
// single-step undo lowers the counts back to them. Unset until the first such operation,
// so an undo before it removes nothing.
struct UndoPoint {
    bool set = false;
    std::int32_t axis = 0;
    std::int32_t patch = 0;
    std::int32_t shape = 0;
    std::int32_t block = 0;
    std::int32_t affine = 0;
};

// ---- Renderer image ---------------------------------------------------------------------
// The colour buffer (C-Buffer): width x height pixels of red, green, blue and a fourth
// byte, rows top to bottom. The renderer allocates it at start-up; until then it is empty
// and nothing can be read from it.
struct ColorBuffer {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels;
};

struct Database {
    Capacities capacity;

    std::vector<Axis> axes;
    std::vector<std::int32_t> patches;
    std::vector<Shape> shapes;
    std::vector<Block> blocks;
    std::vector<Rigid> rigids;
    std::vector<Rlink> rlinks;
    std::vector<Actor> actors;
    std::vector<Mat4> affines;
    std::vector<Attribute> attributes;
    std::vector<Maplist> maplists;
    std::vector<Mapinfo> mapinfos;
    std::vector<Mapdata> mapdatas;
    std::vector<std::uint8_t> textureBuffer;
    std::vector<EditRecord> editList;
    // The joint walks' work list: one more entry than rigids, as many blocks as a tree of
    // that many joints has.
    std::vector<JointTask> jointTasks;

    std::int32_t axisCount = 0;
    std::int32_t patchCount = 0;
    std::int32_t shapeCount = 0;
    std::int32_t blockCount = 1;
    std::int32_t rigidCount = 0;
    std::int32_t rlinkCount = 0;
    std::int32_t actorCount = 1;
    std::int32_t affineCount = 1;
    std::int32_t attributeCount = 1;
    std::int32_t maplistCount = 1;
    std::int32_t mapinfoCount = 1;
    std::int32_t mapdataCount = 1;
    std::int32_t textureBytesUsed = 0;
    std::int32_t textureWritePos = 0;  // where a texture being read appends its bytes

    // Current records, by index.
    std::int32_t currentBlock = 0;
    std::int32_t currentRigid = 0;
    std::int32_t currentRlink = 0;
    std::int32_t currentActor = 0;
    std::int32_t currentAttribute = 0;
    std::int32_t currentMaplist = 0;
    std::int32_t currentMapinfo = 0;
    std::int32_t currentMapdata = 0;

    LoadBases loadBase;
    std::array<std::int32_t, 7> dialogState{};  // [2]: the block add.block adds to
    std::int32_t vrmlMode = 0;
    float vrmlScale = 1.0f;

    // Name of the last file read or written by read/write.
    std::array<char, 4096> modelFileName{};

    // The renderer's camera record, its one-level undo copy, and the light table.
    Camera camera;
    Camera cameraUndo;
    std::array<Light, kLightCount> lights{};
    std::int32_t currentLight = 0;
    std::int32_t lightCount = 1;

    GeometryState geometry;
    BoxCursorState boxCursor;
    SelectionState selection;
    RecordCommandState records;
    UndoPoint undoPoint;
    PointEditSession pointEdit;
    ColorBuffer colorBuffer;

    // The usable axis limit: the last 1000 axes are kept free of checked operations.
    std::int32_t usableAxisLimit() const { return capacity.axismax - 1000; }
};

}  // namespace rz::db
