#include "render/views.hpp"

#include <algorithm>

#include "db/current_records.hpp"
#include "render/box_cursor.hpp"
#include "render/draw_values.hpp"
#include "render/layer_redraw.hpp"
#include "render/view_context.hpp"
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
    db.boxCursor.redraw = redrawBoxCursor;
    db.selection.redraw = redrawLayers;
    return ImageStatus::Ok;
}

script::Result drawViews(Views& views, script::Interp& in, const WireRequest& request) {
    // The drawing may cover the cursor's pixels, after which XOR could not take it away.
    PaneMask cursorPanes = views.cursor.inPane;
    eraseBoxCursor(views);
    const script::Result drawn = drawWireframe(views, in, request);
    const std::optional<WireValue> value = wireValue(request.value);
    if (drawn == script::kOk && request.target < 0 && value && value->kind == WireKind::Wire) {
        if (!request.perspectiveOnly)
            cursorPanes = allPanes(views);
        else if (perspectiveShown(views))
            cursorPanes[0] = true;
    }
    if (db::database(in).boxCursor.shown) {
        drawBoxCursor(views, in, cursorPanes);
        refreshCursorPanes(views, in);
    }
    return drawn;
}

}  // namespace rz::render
