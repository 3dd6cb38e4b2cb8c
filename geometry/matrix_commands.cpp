#include "db/current_records.hpp"

#include <array>
#include <span>
#include "geometry/commands.hpp"
#include "geometry/matrix_stack.hpp"
#include "script/arguments.hpp"
#include "script/command_table.hpp"
#include "script/expression.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;
using script::Result;
using script::Tok;

db::GeometryState& state(script::Interp& in) {
    return db::database(in).geometry;
}

// "(" angle ")" in degrees, and nothing after it.
script::Result rotate(script::Interp& in, RotationAxis axis) {
    if (in.next() != Tok::LParen) return script::failSkip(in, script::msg::kNoOpenParen);
    in.values.reset();
    in.next();
    if (script::expression(in) != kOk) return script::failSkipQuiet(in);
    if (in.cur != Tok::RParen) return script::failSkip(in, script::msg::kNoCloseParen);
    const double degrees = in.values.pop();
    if (script::noArguments(in) != kOk) return kFail;
    return rotateAbout(state(in), in.msg, axis, degrees);
}

}  // namespace

static script::Result cmdMatinit(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    state(in).current = kIdentity;
    return kOk;
}

static script::Result cmdMatpush(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    return pushMatrix(state(in), in.msg);
}

static script::Result cmdMatpop(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    return popMatrix(state(in), in.msg);
}

static script::Result cmdMove(script::Interp& in) {
    Vec3 t{};
    if (script::lastVector(in, t) != kOk) return kFail;
    return translateAppend(state(in), in.msg, t);
}

static script::Result cmdScale(script::Interp& in) {
    Vec3 s{};
    if (script::lastVector(in, s) != kOk) return kFail;
    return scaleAbout(state(in), in.msg, s);
}

static script::Result cmdRotX(script::Interp& in) {
    return rotate(in, RotationAxis::X);
}
static script::Result cmdRotY(script::Interp& in) {
    return rotate(in, RotationAxis::Y);
}
static script::Result cmdRotZ(script::Interp& in) {
    return rotate(in, RotationAxis::Z);
}

static script::Result cmdCenter(script::Interp& in) {
    Vec3 c{};
    if (script::lastVector(in, c) != kOk) return kFail;
    state(in).center = c;
    return kOk;
}

static script::Result cmdCenterBackup(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    state(in).centerBackup = state(in).center;
    return kOk;
}

static script::Result cmdCenterRestore(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    state(in).center = state(in).centerBackup;
    return kOk;
}

namespace {
const std::array<script::CommandRow, 11> kCommands{{
    {"move", cmdMove},
    {"rot.x", cmdRotX},
    {"rot.y", cmdRotY},
    {"rot.z", cmdRotZ},
    {"center", cmdCenter},
    {"scale", cmdScale},
    {"matpush", cmdMatpush},
    {"matpop", cmdMatpop},
    {"matinit", cmdMatinit},
    {"center.backup", cmdCenterBackup},
    {"center.restore", cmdCenterRestore},
}};
}  // namespace

std::span<const script::CommandRow> matrixCommands() {
    return kCommands;
}

}  // namespace rz::geometry
