#include "render/views.hpp"

#include <algorithm>

#include "db/current_records.hpp"
#include "render/box_cursor.hpp"
#include "render/draw_values.hpp"
#include "render/view_repaint.hpp"
#include "render/wire_drawing.hpp"
#include "script/tokens.hpp"

namespace rz::render {

ImageStatus startViews(Views& views, script::Interp& in, int clientWidth, int clientHeight) {
    const ImageStatus status = views.raster.resize(std::clamp(clientWidth, 1, Raster::kMaxSide),
                                                   std::clamp(clientHeight, 1, Raster::kMaxSide));
    if (status != ImageStatus::Ok) return status;
    views.environment = true;
    views.factor = kDefaultZoomFactor;
    layoutViews(views, in);
    db::Database& db = db::database(in);
    db.cameraUndo = db.camera;
    return ImageStatus::Ok;
}

script::Result drawViews(Views& views, script::Interp& in, const WireRequest& request) {
    if (drawWireframe(views, in, request) != script::kOk) return script::kFail;
    const std::optional<WireValue> value = wireValue(request.value);
    if (request.target < 0 && value && value->kind == WireKind::Wire &&
        db::database(in).viewSwitches.boxCursor)
        drawBoxCursor(views, in, request.perspectiveOnly);
    return script::kOk;
}

void Views::redraw(script::Interp& in) {
    if (!environment || previewOwnsWindow) return;
    layoutViews(*this, in);
    repaint(*this, in, kAllClear);
    // A request has no one to hand a failure to; the drawing has shown its message.
    static_cast<void>(drawViews(*this, in, WireRequest{}));
}

void Views::toggleBoxCursor(script::Interp& in) {
    if (!environment || previewOwnsWindow) return;
    drawBoxCursor(*this, in, false);
}

}  // namespace rz::render
