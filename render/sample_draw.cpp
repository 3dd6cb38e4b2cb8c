#include "render/sample_draw.hpp"

#include <algorithm>
#include <array>

#include "db/capacity.hpp"
#include "db/current_records.hpp"
#include "geometry/primitive_plan.hpp"
#include "render/render_messages.hpp"
#include "render/renderer.hpp"
#include "render/shading.hpp"
#include "script/arguments.hpp"
#include "script/statement.hpp"

namespace rz::render {
namespace {

using script::kFail;
using script::kOk;

constexpr float kBallRadius = 80.0f;
constexpr int kBallDivisions = 10;
constexpr std::uint8_t kSampleLayer = 1;

// The ball is seen along -z, so the longitudes 0..180 are its near half: a face rule that
// shows front faces sees it from outside, one that shows back faces sees into the far half.
struct HalfRow {
    std::uint8_t faceRule;
    geometry::Degrees longitude;
};
constexpr std::array<HalfRow, 2> kHalves{{
    {0, {0.0f, 180.0f}},
    {1, {180.0f, 360.0f}},
}};

geometry::Degrees longitudeFor(std::uint8_t faceRule) {
    for (const HalfRow& h : kHalves)
        if (h.faceRule == faceRule) return h.longitude;
    return geometry::kFullTurn;
}

// The ball fills most of the 60 rows; the light comes from the upper right front.
constexpr db::Camera kSampleCamera{
    .pos = {0.0f, 0.0f, 460.0f},
    .tar = {0.0f, 0.0f, 0.0f},
    .rot = {0.0f, 0.0f, 0.0f},
    .upper = {0.0f, 1.0f, 0.0f},
    .hither = 10.0f,
    .yon = 100000.0f,
    .scrn = 0.0f,
    .zoom = 30.0f,
};

db::Light sampleLight() {
    db::Light l;
    l.pos = {1000.0f, 1000.0f, 1000.0f};
    l.rgb = {1.0f, 1.0f, 1.0f};
    l.kind = kLightPara;
    l.gain = 1.0f;
    return l;
}

// The ball's parameter axes and its shape record just past the last shape; the counts are
// the caller's to restore.
void appendBall(db::Database& db, int attribute, std::uint8_t faceRule) {
    const geometry::PlannedShape ball =
        geometry::ballShape(Vec3d{}, Vec3d{kBallRadius, kBallRadius, kBallRadius}, kBallDivisions,
                            geometry::Degrees{0.0f, 180.0f}, longitudeFor(faceRule));
    db::Shape s;
    s.axisId = static_cast<std::uint32_t>(db.axisCount);
    s.axisTotal = static_cast<std::uint32_t>(geometry::parameterAxes(ball.kind));
    s.attribId = static_cast<std::uint16_t>(attribute);
    s.layer = kSampleLayer;
    s.kind = ball.kind;
    s.lrflag = ball.lrflag;
    s.smoothflag = 1;
    s.bbmin = {-kBallRadius, -kBallRadius, -kBallRadius};
    s.bbmax = {kBallRadius, kBallRadius, kBallRadius};
    for (const geometry::Packed* p : {&ball.a, &ball.b}) {
        const geometry::Packed& a = *p;
        db.axes[static_cast<std::size_t>(db.axisCount++)] = {
            {a[0], a[1], a[2]}, {a[3], a[4], a[5]}, a[6], a[7]};
    }
    db.shapes[static_cast<std::size_t>(db.shapeCount++)] = s;
}

// The sample's 80 x 60 pixels into the first sample image, the one before into the second.
void keepSample(Renderer& r, const db::ColorBuffer& image) {
    std::copy(r.sampleImage.begin(), r.sampleImage.end(), r.sample2Image.begin());
    const int width = std::min(kSampleWidth, image.width);
    const int height = std::min(kSampleHeight, image.height);
    for (int y = 0; y < height; ++y)
        std::copy_n(image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width * 4,
                    width * 4,
                    r.sampleImage.begin() + static_cast<std::ptrdiff_t>(y) * kSampleWidth * 4);
}

}  // namespace

static script::Result cmdSampleDraw(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    Renderer* renderer = startedRenderer(in);
    if (renderer == nullptr) return script::fail(in, msg::kNeedWindowEnvironment);
    db::Database& db = db::database(in);
    if (db::checkShapeSpace(db, in.msg, 1, 2, 0) != kOk) return kFail;
    const int attribute = db.currentAttribute;
    const std::uint8_t faceRule =
        attribute >= 0 && attribute < static_cast<int>(db.attributes.size())
            ? db.attributes[static_cast<std::size_t>(attribute)].face
            : 0;

    const std::int32_t axes = db.axisCount;
    const std::int32_t shapes = db.shapeCount;
    const db::Camera camera = db.camera;
    const db::Light light = db.lights[0];
    appendBall(db, attribute, faceRule);
    db.camera = kSampleCamera;
    db.lights[0] = sampleLight();
    renderer->state.sampleMode = true;
    const RenderOutcome outcome = render(*renderer, in, -1, static_cast<int>(DrawMode::Check));
    renderer->state.sampleMode = false;
    db.lights[0] = light;
    db.camera = camera;
    db.shapeCount = shapes;
    db.axisCount = axes;
    if (outcome == RenderOutcome::Aborted) {
        in.msg.console(msg::kDrawAborted);
        return kFail;
    }
    keepSample(*renderer, db.colorBuffer);
    return kOk;
}

namespace {
const std::array<script::CommandRow, 1> kCommands{{
    {"sample.draw", cmdSampleDraw},
}};
}  // namespace

std::span<const script::CommandRow> sampleCommands() {
    return kCommands;
}

}  // namespace rz::render
