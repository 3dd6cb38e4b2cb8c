#include "render/layer_redraw.hpp"

#include "render/draw_values.hpp"
#include "render/view_repaint.hpp"
#include "render/views.hpp"
#include "render/wire_drawing.hpp"

namespace rz::render {

void redrawLayers(script::Interp& in, db::LayerRedraw request) {
    Views* views = startedViews(in);
    if (views == nullptr || views->previewOwnsWindow) return;
    // The layer change stands whatever the drawing meets: a drawing that is refused has
    // shown its message, and the next one starts afresh.
    if (request.clearFirst) {
        layoutViews(*views, in);
        repaint(*views, in, kPlaneClear);
        static_cast<void>(drawViews(*views, in, {-1, 0, false}));
    }
    static_cast<void>(drawViews(*views, in, {kLayerSelect, request.value, false}));
}

}  // namespace rz::render
