#include "render/view_resize.hpp"

#include <algorithm>

#include "db/system_variables.hpp"
#include "render/view_repaint.hpp"

namespace rz::render {
namespace {

// The frame around the view area is this much wider and taller than the area itself.
constexpr int kFrameExtraWidth = 10;
constexpr int kFrameExtraHeight = 13;
constexpr int kMargin = 5;
// The smallest area: four panes of at least one pixel each way.
constexpr int kMinWidth = 8;

}  // namespace

ViewArea fitViewArea(int clientWidth, int clientHeight) {
    const int roomX = clientWidth - 2 * kMargin - kFrameExtraWidth;
    const int roomY = clientHeight - 2 * kMargin - kFrameExtraHeight;
    // A multiple of 4 across keeps the height an exact three quarters of it.
    int width = std::min(roomX, roomY / 3 * 4) / 4 * 4;
    width = std::max(width, kMinWidth);
    const int height = width / 4 * 3;
    const int x = std::max(kMargin, (clientWidth - width - kFrameExtraWidth) / 2);
    return {x, kMargin, width, height};
}

ImageStatus resizeViews(Views& views, script::Interp& in, int clientWidth, int clientHeight) {
    const int width = std::clamp(clientWidth, 1, Raster::kMaxSide);
    const int height = std::clamp(clientHeight, 1, Raster::kMaxSide);
    const bool sameSize = width == views.raster.width() && height == views.raster.height();
    if (const ImageStatus s = views.raster.resize(width, height); s != ImageStatus::Ok) return s;
    // The box cursor drawn into an old image is gone with it.
    if (!sameSize) views.cursor.inPane = {};
    const ViewArea area = fitViewArea(width, height);
    db::scalarVar(in, db::SysVar::WindyXpos) = static_cast<float>(area.x);
    db::scalarVar(in, db::SysVar::WindyYpos) = static_cast<float>(area.y);
    db::scalarVar(in, db::SysVar::WindyXwidth) = static_cast<float>(area.width);
    db::scalarVar(in, db::SysVar::WindyYwidth) = static_cast<float>(area.height);
    layoutViews(views, in);
    return ImageStatus::Ok;
}

}  // namespace rz::render
