#include "geometry/primitive_commands.hpp"

#include <array>
#include <cstddef>
#include <span>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "db/undo_point.hpp"
#include "geometry/cursor_marker.hpp"
#include "geometry/geometry_messages.hpp"
#include "geometry/primitives.hpp"
#include "geometry/truncate.hpp"
#include "script/arguments.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;
using script::Result;
using script::Tok;

struct Arguments {
    Vec3 s{};
    Vec3 e{};
    std::array<float, 4> numbers{};  // omitted ones stay 0
};

script::Result vectorVariable(script::Interp& in, Vec3& out) {
    if (in.next() != Tok::Vector) return script::failSkip(in, script::msg::kBadVariableType);
    out = in.sym.vector(in.lex.symbol());
    return kOk;
}

// s, e, then `required` numbers and up to `total` in all, each after a ",", each a number,
// a named constant or a scalar variable. The statement must end after them.
script::Result readArguments(script::Interp& in, std::size_t required, std::size_t total,
                             Arguments& out) {
    if (vectorVariable(in, out.s) != kOk) return kFail;
    if (script::expectComma(in) != kOk) return kFail;
    if (vectorVariable(in, out.e) != kOk) return kFail;
    for (std::size_t i = 0; i < total; ++i) {
        const Tok t = in.next();
        if (i >= required && (t == Tok::End || t == Tok::Eof)) return kOk;
        if (t != Tok::Comma) return script::failSkip(in, script::msg::kBadSeparator);
        if (script::literalNumber(in, out.numbers[i], true) != kOk) return kFail;
    }
    return script::expectEnd(in);
}

int cursorCode(script::Interp& in) {
    return truncateToInt(db::scalarVar(in, db::SysVar::BCursorCode));
}

PrimitiveInput inputOf(const Arguments& a, double ratio, float div, float direc, float futa) {
    return {widen(a.s),         widen(a.e),           ratio,
            truncateToInt(div), truncateToInt(direc), truncateToInt(futa) != 0};
}

// The commands named after one kind: s, e [, div [, direc [, futa]]].
script::Result generateNamed(script::Interp& in, PrimKind kind) {
    Arguments a;
    if (readArguments(in, 0, 3, a) != kOk) return kFail;
    const auto& n = a.numbers;
    return createPrimitive(db::database(in), in.msg, static_cast<int>(kind),
                           inputOf(a, 1.0, n[0], n[1], n[2]), kPrimitiveLayer);
}

// s, e [, n]: the count is taken and has no use.
script::Result generateBox(script::Interp& in, PrimKind kind) {
    Arguments a;
    if (readArguments(in, 0, 1, a) != kOk) return kFail;
    return createPrimitive(db::database(in), in.msg, static_cast<int>(kind),
                           inputOf(a, 1.0, 0, 0, 0), kPrimitiveLayer);
}

// s, e [, n]: the marker follows direc; the count is taken and has no use.
script::Result buildMarker(script::Interp& in) {
    Arguments a;
    if (readArguments(in, 0, 1, a) != kOk) return kFail;
    const int direc = truncateToInt(db::scalarVar(in, db::SysVar::Direc));
    const CursorMarker marker(db::database(in), in.msg, a.s, a.e, direc);
    // A marker that does not fit has been reported; the views draw nothing then.
    return kOk;
}

}  // namespace

static script::Result cmdSetPrimitive(script::Interp& in) {
    Arguments a;
    if (readArguments(in, 4, 4, a) != kOk) return kFail;
    if (a.s[0] == a.e[0] || a.s[1] == a.e[1] || a.s[2] == a.e[2]) {
        in.msg.errorBox(msg::kFlatBlock);
        return kOk;
    }
    const auto& n = a.numbers;
    return createPrimitive(db::database(in), in.msg, cursorCode(in),
                           inputOf(a, n[0], n[1], n[2], n[3]), kPrimitiveLayer);
}

static script::Result cmdSetBCursor(script::Interp& in) {
    Arguments a;
    if (readArguments(in, 0, 3, a) != kOk) return kFail;
    const auto& n = a.numbers;
    return createPrimitive(db::database(in), in.msg, cursorCode(in),
                           inputOf(a, 1.0, n[0], n[1], n[2]), kGuideLayer);
}

static script::Result cmdUndoPrimitive(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    db::undoToPoint(db::database(in));
    in.msg.statusText(msg::kPrimitiveUndone);
    return kOk;
}

static script::Result cmdBoxgen2(script::Interp& in) {
    return generateBox(in, PrimKind::Box2);
}
static script::Result cmdBoxgen3(script::Interp& in) {
    return generateBox(in, PrimKind::Box3);
}
static script::Result cmdCorngen1(script::Interp& in) {
    return generateNamed(in, PrimKind::Corn1);
}
static script::Result cmdCylngen1(script::Interp& in) {
    return generateNamed(in, PrimKind::Cyl1);
}
static script::Result cmdCorngen4(script::Interp& in) {
    return generateNamed(in, PrimKind::Corn4);
}
static script::Result cmdCylngen4(script::Interp& in) {
    return generateNamed(in, PrimKind::Cyl4);
}
static script::Result cmdBallgen1(script::Interp& in) {
    return generateNamed(in, PrimKind::Ball1);
}
static script::Result cmdBallgen8(script::Interp& in) {
    return generateNamed(in, PrimKind::Ball8);
}

static script::Result cmdBcurgen(script::Interp& in) {
    return buildMarker(in);
}
static script::Result cmdBcurreg(script::Interp& in) {
    return buildMarker(in);
}

namespace {
const std::array<script::CommandRow, 13> kCommands{{
    {"set.primitive", cmdSetPrimitive},
    {"set.b.cursor", cmdSetBCursor},
    {"undo.primitive", cmdUndoPrimitive},
    {"boxgen2", cmdBoxgen2},
    {"boxgen3", cmdBoxgen3},
    {"corngen1", cmdCorngen1},
    {"cylngen1", cmdCylngen1},
    {"corngen4", cmdCorngen4},
    {"cylngen4", cmdCylngen4},
    {"ballgen1", cmdBallgen1},
    {"ballgen8", cmdBallgen8},
    {"bcurgen", cmdBcurgen},
    {"bcurreg", cmdBcurreg},
}};
}  // namespace

std::span<const script::CommandRow> primitiveCommands() {
    return kCommands;
}

}  // namespace rz::geometry
