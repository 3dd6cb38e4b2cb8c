#include "render/camera_commands.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "geometry/truncate.hpp"
#include "math/matrix_math.hpp"
#include "render/model_extent.hpp"
#include "render/render_messages.hpp"
#include "render/views.hpp"
#include "script/arguments.hpp"
#include "script/expression.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::render {
namespace {

using db::SysVar;
using script::kFail;
using script::kOk;
using script::Tok;

// What camerainit sets.
constexpr Vec3 kInitPos{500, 500, 500};
constexpr Vec3 kInitUpper{-0.33333f, 0.33333f, -0.33333f};
constexpr float kInitZoom = 80.0f;
constexpr float kInitHither = 50.0f;
constexpr float kInitYon = 1e8f;

// What autoview sets besides the eye and target.
constexpr Vec3 kAutoviewUpper{-1, 1, -1};
constexpr float kAutoviewZoom = 60.0f;
constexpr double kAutoviewDistance = 1.5;  // times the model's diagonal

// parsview: the eye sits 410 pixels' worth of world units away on the (1, 1, 1) diagonal.
constexpr double kParsviewPixels = 410.0;
constexpr double kOneThird = 0.33333334f;

Vec3& var(script::Interp& in, SysVar v) {
    return db::vectorVar(in, v);
}

// Every command that changes the view first brings the camera record and the current light
// up to date and keeps the camera in the undo copy.
void beginViewChange(script::Interp& in) {
    db::putCameraRecord(in);
    db::putLightRecord(in);
    db::Database& db = db::database(in);
    db.cameraUndo = db.camera;
}

// "(" expression ")" and the end of the statement.
script::Result parenthesised(script::Interp& in, double& out) {
    if (in.next() != Tok::LParen) return script::failSkip(in, script::msg::kNoOpenParen);
    in.values.reset();
    in.next();
    if (script::expression(in) != kOk) return script::failSkipQuiet(in);
    if (in.cur != Tok::RParen) return script::failSkip(in, script::msg::kNoCloseParen);
    out = in.values.pop();
    return script::noArguments(in);
}

// p turned about `center` by the world axis.
Vec3d turnAbout(const Vec3d& p, const Vec3d& center, RotationAxis axis, double degrees) {
    return transformPoint(p - center, rotation(axis, degrees)) + center;
}

// The eye orbits the target; the up vector goes with it, unnormalised.
script::Result orbit(script::Interp& in, RotationAxis axis) {
    double degrees = 0.0;
    if (parenthesised(in, degrees) != kOk) return kFail;
    beginViewChange(in);
    const Vec3d eye = widen(var(in, SysVar::CPos));
    const Vec3d target = widen(var(in, SysVar::CTar));
    const Vec3d upper = widen(var(in, SysVar::CUpper));
    const Vec3d newEye = turnAbout(eye, target, axis, degrees);
    var(in, SysVar::CPos) = narrow(newEye);
    var(in, SysVar::CUpper) = narrow(turnAbout(eye + upper, target, axis, degrees) - newEye);
    db::putCameraRecord(in);
    return kOk;
}

// The target turns about the eye; the up vector goes with it, normalised.
script::Result aim(script::Interp& in, RotationAxis axis) {
    double degrees = 0.0;
    if (parenthesised(in, degrees) != kOk) return kFail;
    beginViewChange(in);
    const Vec3d eye = widen(var(in, SysVar::CPos));
    const Vec3d target = widen(var(in, SysVar::CTar));
    const Vec3d upper = widen(var(in, SysVar::CUpper));
    const Vec3d newTarget = turnAbout(target, eye, axis, degrees);
    var(in, SysVar::CTar) = narrow(newTarget);
    var(in, SysVar::CUpper) =
        narrow(normalised(turnAbout(target + upper, eye, axis, degrees) - newTarget));
    db::putCameraRecord(in);
    return kOk;
}

// Along the view by s: the eye alone, or the eye and the target together.
script::Result forward(script::Interp& in, bool withTarget) {
    double s = 0.0;
    if (parenthesised(in, s) != kOk) return kFail;
    beginViewChange(in);
    const Vec3d eye = widen(var(in, SysVar::CPos));
    const Vec3d target = widen(var(in, SysVar::CTar));
    const Vec3d dir = target - eye;
    const double len = length(dir);
    if (len == 0.0) return script::fail(in, msg::kZeroViewVector);
    const Vec3d step = dir * (s / len);
    var(in, SysVar::CPos) = narrow(eye + step);
    if (withTarget) var(in, SysVar::CTar) = narrow(target + step);
    db::putCameraRecord(in);
    return kOk;
}

// A record named with "@": the point of it a fix command takes. The eye goes to a shape's or
// block's maximum corner, everything else to the centre of its box; a rigid gives its
// position.
enum class FixPoint { Corner, Center };

script::Result namedPoint(script::Interp& in, FixPoint which, std::string_view detail, Vec3& out) {
    const Tok t = in.next();
    const db::Database& db = db::database(in);
    const int index = geometry::truncateToInt(in.lex.number());
    const auto pick = [&](const Vec3& lo, const Vec3& hi) {
        out = which == FixPoint::Corner ? hi : narrow((widen(lo) + widen(hi)) * 0.5);
    };
    if (t == Tok::ShapeRef && index >= 0 && index < db.shapeCount)
        pick(db.shapes[index].bbmin, db.shapes[index].bbmax);
    else if (t == Tok::BlockRef && index >= 0 && index < db.blockCount)
        pick(db.blocks[index].xyzmin, db.blocks[index].xyzmax);
    else if (t == Tok::RigidRef && index >= 0 && index < db.rigidCount)
        out = db.rigids[index].pos;
    else {
        in.msg.errorBox(script::msg::kBadIdentifier);
        in.msg.errorBoxPlain(detail);
        return script::failSkipQuiet(in);
    }
    return script::noArguments(in);
}

script::Result fix(script::Interp& in, SysVar target, FixPoint which, std::string_view detail) {
    Vec3 p{};
    if (namedPoint(in, which, detail, p) != kOk) return kFail;
    var(in, target) = p;
    if (target == SysVar::CPos || target == SysVar::CTar) db::putCameraRecord(in);
    return kOk;
}

void printVolume(script::Interp& in, const Extent& e) {
    const auto d = [](float v) { return static_cast<double>(v); };
    platform::MessageService& m = in.msg;
    m.formatBuffer("\n<< Volume of models >>\n\n");
    m.appendBuffer("maximum ( %10.4g, %10.4g, %10.4g )\n", d(e.max[0]), d(e.max[1]), d(e.max[2]));
    m.appendBuffer("minimum ( %10.4g, %10.4g, %10.4g )\n", d(e.min[0]), d(e.min[1]), d(e.min[2]));
    m.appendBuffer("center  ( %10.4g, %10.4g, %10.4g )\n", (d(e.max[0]) + d(e.min[0])) / 2,
                   (d(e.max[1]) + d(e.min[1])) / 2, (d(e.max[2]) + d(e.min[2])) / 2);
    m.appendBuffer("XYZ-size( %10.4g, %10.4g, %10.4g )\n", d(e.max[0]) - d(e.min[0]),
                   d(e.max[1]) - d(e.min[1]), d(e.max[2]) - d(e.min[2]));
    m.console(m.buffer());
}

}  // namespace

static script::Result cmdCamerainit(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    var(in, SysVar::CPos) = kInitPos;
    var(in, SysVar::CTar) = {};
    var(in, SysVar::CRot) = {};
    var(in, SysVar::CUpper) = kInitUpper;
    db::scalarVar(in, SysVar::CZoom) = kInitZoom;
    db::scalarVar(in, SysVar::CHither) = kInitHither;
    db::scalarVar(in, SysVar::CYon) = kInitYon;
    db::putCameraRecord(in);
    return kOk;
}

static script::Result cmdCameraSet(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    db::getCameraRecord(in);
    in.msg.console(msg::kCameraSetDone);
    return kOk;
}

// One dot a shape, in lines of kDotsPerLine, then the extent.
static script::Result cmdVolume(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    constexpr int kDotsPerLine = 64;
    constexpr std::string_view kDots =
        "................................................................";
    static_assert(kDots.size() == kDotsPerLine);
    const db::Database& db = db::database(in);
    for (int left = db.shapeCount; left > 0; left -= kDotsPerLine)
        in.msg.console(kDots.substr(0, static_cast<std::size_t>(std::min(left, kDotsPerLine))));
    in.msg.console("\n");
    printVolume(in, storedShapesExtent(db));
    return kOk;
}

static script::Result cmdAutoview(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    const db::Database& db = db::database(in);
    if (db.shapeCount <= 0) return kOk;
    beginViewChange(in);
    const Extent e = storedShapesExtent(db);
    const Vec3d lo = widen(e.min);
    const Vec3d hi = widen(e.max);
    const Vec3d target = (lo + hi) * 0.5;
    const double d = kAutoviewDistance * length(hi - lo);
    var(in, SysVar::CTar) = narrow(target);
    var(in, SysVar::CPos) = narrow(target + Vec3d{d, d, d});
    var(in, SysVar::CUpper) = kAutoviewUpper;
    db::scalarVar(in, SysVar::CZoom) = kAutoviewZoom;
    db::putCameraRecord(in);
    in.msg.console(msg::kAutoviewDone);
    return kOk;
}

static script::Result cmdAngleX(script::Interp& in) {
    return orbit(in, RotationAxis::X);
}
static script::Result cmdAngleY(script::Interp& in) {
    return orbit(in, RotationAxis::Y);
}
static script::Result cmdAngleZ(script::Interp& in) {
    return orbit(in, RotationAxis::Z);
}
static script::Result cmdAimX(script::Interp& in) {
    return aim(in, RotationAxis::X);
}
static script::Result cmdAimY(script::Interp& in) {
    return aim(in, RotationAxis::Y);
}
static script::Result cmdAimZ(script::Interp& in) {
    return aim(in, RotationAxis::Z);
}

static script::Result cmdFoward(script::Interp& in) {
    return forward(in, false);
}

static script::Result cmdFowardall(script::Interp& in) {
    return forward(in, true);
}

static script::Result cmdTrack(script::Interp& in) {
    Vec3 d{};
    if (script::lastVector(in, d) != kOk) return kFail;
    beginViewChange(in);
    var(in, SysVar::CPos) = narrow(widen(var(in, SysVar::CPos)) + widen(d));
    var(in, SysVar::CTar) = narrow(widen(var(in, SysVar::CTar)) + widen(d));
    db::putCameraRecord(in);
    return kOk;
}

static script::Result cmdBackupview(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    db::putCameraRecord(in);
    db::Database& db = db::database(in);
    db.cameraUndo = db.camera;
    return kOk;
}

// Every camera variable comes back with the record, so the next view command, which copies
// the variables into the record, keeps the restored view.
static script::Result cmdUndoview(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    db::Database& db = db::database(in);
    db.camera = db.cameraUndo;
    db::getCameraRecord(in);
    return kOk;
}

static script::Result cmdParsview(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    const Views* views = startedViews(in);
    const double factor = views != nullptr ? views->factor : kDefaultZoomFactor;
    const double q = kParsviewPixels * factor;
    const double offset = std::sqrt(3.0 * q * q) * kOneThird;
    const Vec3d target = widen(var(in, SysVar::WCenter));
    var(in, SysVar::CTar) = narrow(target);
    var(in, SysVar::CPos) = narrow(target + Vec3d{offset, offset, offset});
    db::putCameraRecord(in);
    db::Database& db = db::database(in);
    db.cameraUndo = db.camera;
    return kOk;
}

static script::Result cmdCPosFix(script::Interp& in) {
    return fix(in, SysVar::CPos, FixPoint::Corner, msg::kInCPosFix);
}
static script::Result cmdCTarFix(script::Interp& in) {
    return fix(in, SysVar::CTar, FixPoint::Center, msg::kInCTarFix);
}
static script::Result cmdLPosFix(script::Interp& in) {
    return fix(in, SysVar::LPos, FixPoint::Center, msg::kInLPosFix);
}
static script::Result cmdLTarFix(script::Interp& in) {
    return fix(in, SysVar::LTar, FixPoint::Center, msg::kInLTarFix);
}

namespace {
const std::array<script::CommandRow, 20> kCommands{{
    {"camerainit", cmdCamerainit},
    {"camera.set", cmdCameraSet},
    {"volume", cmdVolume},
    {"autoview", cmdAutoview},
    {"angle.x", cmdAngleX},
    {"angle.y", cmdAngleY},
    {"angle.z", cmdAngleZ},
    {"aim.x", cmdAimX},
    {"aim.y", cmdAimY},
    {"aim.z", cmdAimZ},
    {"foward", cmdFoward},
    {"fowardall", cmdFowardall},
    {"track", cmdTrack},
    {"undoview", cmdUndoview},
    {"backupview", cmdBackupview},
    {"parsview", cmdParsview},
    {"c.pos.fix", cmdCPosFix},
    {"c.tar.fix", cmdCTarFix},
    {"l.pos.fix", cmdLPosFix},
    {"l.tar.fix", cmdLTarFix},
}};
}  // namespace

std::span<const script::CommandRow> cameraCommands() {
    return kCommands;
}

}  // namespace rz::render
