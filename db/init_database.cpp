#include "db/init_database.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "platform/process.hpp"
#include "platform/store_allocation.hpp"
#include "script/messages.hpp"

namespace rz::db {
namespace {

using enum SysVar;

constexpr std::string_view kTextureBuffer = "TextureBuffer(wbuf)";
constexpr std::string_view kEditList = "DB_EditList";

// Failing to register symbols at start-up means a table too small for the system's own
// names; the registration has already said which table.
constexpr std::string_view kSymbolsDetail = " ... in init() : symbol!\n";
constexpr std::string_view kWireViewDetail = " ... in initWinDyVariable()!\n";
constexpr std::string_view kColoursDetail = " ... in initializeGFX() : gfxlib\n";

// A negative capacity is a store that can never be had.
template <class T>
void allocateArea(platform::MessageService& msg, std::vector<T>& store, std::int32_t capacity,
                  std::string_view area) {
    if (capacity < 0 || !platform::allocateStore(store, static_cast<std::size_t>(capacity)))
        stopStartup(msg, allocationFailure(area));
}

// A walk of a figure reaches one block more than it crosses joints.
std::int32_t jointTaskCapacity(std::int32_t rigids) {
    if (rigids < 0) return -1;
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(std::int64_t{rigids} + 1, std::numeric_limits<std::int32_t>::max()));
}

void allocateModel(platform::MessageService& msg, Database& db) {
    const Capacities& c = db.capacity;
    allocateArea(msg, db.axes, c.axismax, "model");
    allocateArea(msg, db.patches, c.patchmax, "patches");
    allocateArea(msg, db.shapes, c.shapemax, "shapes");
    allocateArea(msg, db.blocks, c.blockmax, "blocks");
    allocateArea(msg, db.rigids, c.rigidmax, "rigids");
    allocateArea(msg, db.jointTasks, jointTaskCapacity(c.rigidmax), "rigid work list");
    allocateArea(msg, db.rlinks, c.rlinkmax, "rlinks");
    allocateArea(msg, db.actors, c.actormax, "actors");
    allocateArea(msg, db.affines, c.affinemax, "affines");
    allocateArea(msg, db.attributes, c.attrimax, "attribute");
    allocateArea(msg, db.maplists, c.maplistmax, "maplist[]");
    allocateArea(msg, db.mapinfos, c.mapinfomax, "mapinfo[]");
    allocateArea(msg, db.mapdatas, c.mapdatamax, "mapdata[]");
    allocateArea(msg, db.textureBuffer, c.mapimagemax, kTextureBuffer);
}

void requireRegistered(platform::MessageService& msg, bool registered, std::string_view detail) {
    if (!registered) stopStartup(msg, {std::string(detail), true});
}

// The renderer's image: its size comes from the rendering resolution of the settings.
void allocateColorBuffer(platform::MessageService& msg, Database& db, std::uint8_t cbufFlag) {
    struct Size {
        std::int32_t width;
        std::int32_t height;
    };
    static constexpr std::array<Size, 6> kSizes{
        {{640, 480}, {800, 600}, {1024, 768}, {1280, 960}, {1600, 1200}, {2000, 1500}}};
    const Size size = kSizes[std::clamp<std::size_t>(cbufFlag, 1, kSizes.size()) - 1];
    ColorBuffer& c = db.colorBuffer;
    if (!platform::allocateStore(c.pixels, static_cast<std::size_t>(size.width) * size.height * 4))
        stopStartup(msg, {" ... in InitRender() / [ C-Buffer ]\n", true});
    c.width = size.width;
    c.height = size.height;
}

void clearEditList(platform::MessageService& msg, Database& db) {
    allocateArea(msg, db.editList, kEditListSize, kEditList);
    std::fill(db.editList.begin(), db.editList.end(), EditRecord{});
    const auto shapes = std::min<std::size_t>(std::max(db.shapeCount, 0), db.shapes.size());
    for (std::size_t i = 0; i < shapes; ++i) db.shapes[i].editHead = kNoEdits;
}

}  // namespace

StartupFailure allocationFailure(std::string_view area) {
    // These areas have always ended the program quietly, without the banner.
    if (area == "symbol-name-area" || area == "DB_Symbols")
        return {" ... in init() : " + std::string(area) + "!\n", false};
    if (area == kTextureBuffer || area == kScriptBufferArea)
        return {" ... in init() / [ " + std::string(area) + " ]\n", true};
    if (area == kEditList) return {" ... in InitializeEditCursor() : DB_EditList!\n", true};
    return {" ... in init() : " + std::string(area) + "!\n", true};
}

void stopStartup(platform::MessageService& msg, const StartupFailure& failure) {
    msg.errorBox(script::msg::kAllocFailed);
    msg.errorBoxPlain(failure.detail);
    if (failure.fatalBanner) msg.fatalStop();
    platform::endProcess(1);
}

void resetMapping(script::Interp& in) {
    Database& db = database(in);
    db.mapinfoCount = 1;
    selectMapinfo(in, 0);
    struct Reset {
        SysVar var;
        float value;
    };
    static constexpr std::array<Reset, 19> kResetValues{{
        {MUstart, 0}, {MVstart, 0}, {MUend, 1},   {MVend, 1},   {MUlen, 1},
        {MVlen, 1},   {MUofs, 0},   {MVofs, 0},   {MMopa, 1},   {MBump, 1},
        {MXcent, 0},  {MYcent, 0},  {MZcent, 0},  {MXlen, 100}, {MYlen, 100},
        {MZlen, 100}, {MKind, 2},   {MMethod, 1}, {MTexId, 0},
    }};
    for (const Reset& r : kResetValues) scalarVar(in, r.var) = r.value;
    putMapinfoRecord(in);
    db.currentMapinfo = 1;
    putMapinfoRecord(in);
    for (Shape& s : db.shapes) s.textureId = 0;
    std::fill(db.maplists.begin(), db.maplists.end(), Maplist{});
}

void allocateModelStores(platform::MessageService& msg, Database& db, const Settings& settings) {
    db.capacity = settings.capacity;
    allocateModel(msg, db);
}

void startModelRecords(platform::MessageService& msg, Database& db, const Settings& settings) {
    resetModelRecords(db);
    allocateColorBuffer(msg, db, settings.cbufFlag);
    db.geometry = GeometryState{};
    db.boxCursor = BoxCursorState{};
    db.boxCursor.wireDetail = settings.wireDetail != 0;
}

void registerDatabaseSymbols(script::Interp& in) {
    Database& db = database(in);
    requireRegistered(in.msg, registerModelVariables(in), kSymbolsDetail);
    // The views' variables, the edit list, the mapping reset and the view colours.
    requireRegistered(in.msg, registerWireViewVariables(in), kWireViewDetail);
    clearEditList(in.msg, db);
    resetMapping(in);
    requireRegistered(in.msg, registerWireColours(in), kColoursDetail);
}

void putStartDefaults(script::Interp& in) {
    Database& db = database(in);
    putCameraRecord(in);
    db.currentLight = 0;
    putLightRecord(in);
    db.currentAttribute = 0;
    putAttriRecord(in);
    db.currentAttribute = 1;
    putAttriRecord(in);
    putMapinfoRecord(in);
}

}  // namespace rz::db
