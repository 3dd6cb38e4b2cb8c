#include "db/current_records.hpp"
#include "geometry/commands.hpp"
#include "geometry/matrix_stack.hpp"
#include "script/arguments.hpp"
#include "script/expression.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;
using script::Tok;

db::GeometryState& state(script::Interp& in) {
    return db::database(in).geometry;
}

// "(" angle ")" in degrees, and nothing after it.
int rotate(script::Interp& in, RotationAxis axis) {
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

int cmdMatinit(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    state(in).current = kIdentity;
    return kOk;
}

int cmdMatpush(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    return pushMatrix(state(in), in.msg);
}

int cmdMatpop(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    return popMatrix(state(in), in.msg);
}

int cmdMove(script::Interp& in) {
    Vec3 t{};
    if (script::lastVector(in, t) != kOk) return kFail;
    return translateAppend(state(in), in.msg, t);
}

int cmdScale(script::Interp& in) {
    Vec3 s{};
    if (script::lastVector(in, s) != kOk) return kFail;
    return scaleAbout(state(in), in.msg, s);
}

int cmdRotX(script::Interp& in) {
    return rotate(in, RotationAxis::X);
}
int cmdRotY(script::Interp& in) {
    return rotate(in, RotationAxis::Y);
}
int cmdRotZ(script::Interp& in) {
    return rotate(in, RotationAxis::Z);
}

int cmdCenter(script::Interp& in) {
    Vec3 c{};
    if (script::lastVector(in, c) != kOk) return kFail;
    state(in).center = c;
    return kOk;
}

int cmdCenterBackup(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    state(in).centerBackup = state(in).center;
    return kOk;
}

int cmdCenterRestore(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    state(in).center = state(in).centerBackup;
    return kOk;
}

}  // namespace rz::geometry
