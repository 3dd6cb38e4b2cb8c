#include "render/view_context.hpp"

#include <algorithm>

#include "db/current_records.hpp"

namespace rz::render {
namespace {

std::uint8_t component(float v) {
    if (!(v > 0.0f)) return 0;
    return static_cast<std::uint8_t>(std::min(v, 255.0f));
}

}  // namespace

Palette readPalette(script::Interp& in) {
    Palette p;
    for (int i = 0; i < db::kWireColourCount; ++i) {
        const Vec3& c = db::wireColour(in, static_cast<db::WireColour>(i));
        p[i] = {component(c[0]), component(c[1]), component(c[2])};
    }
    return p;
}

CameraView currentCamera(script::Interp& in) {
    db::putCameraRecord(in);
    db::putLightRecord(in);
    return setupView(db::database(in).camera);
}

CameraView cameraOfVariables(script::Interp& in) {
    db::Database& db = db::database(in);
    const db::Camera saved = db.camera;
    db::putCameraRecord(in);
    const CameraView view = setupView(db.camera);
    db.camera = saved;
    return view;
}

PaneTargets paneTargets(const Views& views, const CameraView& camera, bool perspectiveOnly) {
    PaneTargets t;
    const int last = perspectiveOnly ? (perspectiveShown(views) ? 1 : 0) : views.layout.count;
    for (int i = 0; i < last; ++i) {
        t.pane[t.count] = i;
        t.projector[t.count] = PaneProjector(views.layout.panes[i], camera);
        ++t.count;
    }
    return t;
}

bool perspectiveShown(const Views& views) {
    return views.layout.count > 0 && views.layout.panes[0].mode == DisplayMode::Perspective;
}

}  // namespace rz::render
