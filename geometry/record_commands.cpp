#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string_view>

#include "db/capacity.hpp"
#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "geometry/commands.hpp"
#include "geometry/geometry_messages.hpp"
#include "geometry/truncate.hpp"
#include "script/arguments.hpp"
#include "script/command_table.hpp"
#include "script/language_symbols.hpp"
#include "script/statement.hpp"

namespace rz::geometry {
namespace {

using db::SysVar;
using script::kFail;
using script::kOk;
using script::Result;

// The string slot that holds sh.name.
constexpr int shapeNameSlot() {
    for (const script::StringVariable& v : script::kStringVariables)
        if (v.name == "sh.name") return v.slot;
    return -1;
}
static_assert(shapeNameSlot() >= 0);

// A store takes one more record while its count stays below its capacity. A count that
// has gone negative is not a place to write either.
script::Result roomForOne(script::Interp& in, std::int64_t count, std::int64_t capacity,
                          std::string_view full) {
    if (count < 0) {
        in.msg.internalError();
        return kFail;
    }
    if (count >= capacity) return script::fail(in, full);
    return kOk;
}

template <class T>
T field(script::Interp& in, SysVar v) {
    return truncateToField<T>(db::scalarVar(in, v));
}

}  // namespace

static script::Result cmdAxisAdd(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    db::Database& db = db::database(in);
    if (roomForOne(in, db.axisCount, axisCapacity(db), msg::kAxisFull) != kOk) return kFail;
    db::Axis& a = db.axes[db.axisCount++];
    a.wv = db::vectorVar(in, SysVar::AxisWv);
    a.nv = db::vectorVar(in, SysVar::AxisNv);
    a.u = db::scalarVar(in, SysVar::AxisU);
    a.v = db::scalarVar(in, SysVar::AxisV);
    return kOk;
}

static script::Result cmdPatchAdd(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    db::Database& db = db::database(in);
    if (roomForOne(in, db.patchCount, patchCapacity(db), msg::kPatchFull) != kOk) return kFail;
    db.patches[db.patchCount++] = field<std::int32_t>(in, SysVar::PatchP);
    return kOk;
}

static script::Result cmdShapeAdd(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    db::Database& db = db::database(in);
    if (roomForOne(in, db.shapeCount, shapeCapacity(db), msg::kShapeFull) != kOk) return kFail;
    db::Shape s;  // a fresh record: no vertex edits, no saved attribute
    // The block number keeps its low 16 bits only, as it always has.
    s.shapeId = field<std::uint16_t>(in, SysVar::ShapeId);
    s.axisId = field<std::uint32_t>(in, SysVar::ShAxisId);
    s.axisTotal = field<std::uint32_t>(in, SysVar::ShAxisTotal);
    s.patchId = field<std::uint32_t>(in, SysVar::ShPatchId);
    s.patchTotal = field<std::uint32_t>(in, SysVar::ShPatchTotal);
    s.matrixId = field<std::uint16_t>(in, SysVar::ShMatrixId);
    s.attribId = field<std::uint16_t>(in, SysVar::ShAttribId);
    s.textureId = field<std::uint16_t>(in, SysVar::ShTextureId);
    s.layer = field<std::uint8_t>(in, SysVar::ShLayer);
    s.kind = field<std::uint8_t>(in, SysVar::ShKind);
    s.page = field<std::uint8_t>(in, SysVar::ShPage);
    s.lrflag = field<std::uint8_t>(in, SysVar::ShLrflag);
    s.smoothflag = field<std::uint8_t>(in, SysVar::ShSmoothflag);
    s.dummy = field<std::uint8_t>(in, SysVar::ShDummy);
    s.bbmin = db::vectorVar(in, SysVar::ShBbmin);
    s.bbmax = db::vectorVar(in, SysVar::ShBbmax);
    // A longer name keeps its first 31 bytes and the terminating zero.
    const std::string_view name = in.sym.slotText(shapeNameSlot());
    const std::size_t n = std::min(name.size(), s.name.size() - 1);
    std::memcpy(s.name.data(), name.data(), n);
    db.shapes[db.shapeCount++] = s;
    return kOk;
}

static script::Result cmdMatrixAdd(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    db::Database& db = db::database(in);
    if (roomForOne(in, db.affineCount, affineCapacity(db), msg::kAffineFull) != kOk) return kFail;
    if (db.affineCount == 0) {
        // Slot 0 is the permanent identity.
        in.msg.internalError();
        return kFail;
    }
    db.affines[db.affineCount++] = db::matrixVar(in, SysVar::MatrixA);
    return kOk;
}

namespace {
const std::array<script::CommandRow, 4> kCommands{{
    {"axis.add", cmdAxisAdd},
    {"patch.add", cmdPatchAdd},
    {"shape.add", cmdShapeAdd},
    {"matrix.add", cmdMatrixAdd},
}};
}  // namespace

std::span<const script::CommandRow> rawRecordCommands() {
    return kCommands;
}

}  // namespace rz::geometry
