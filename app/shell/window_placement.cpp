#include "app/shell/window_placement.hpp"

namespace rz::app {
namespace {

int side(std::int32_t stored, int fallback, int screen) {
    const int wanted = stored < 1 ? fallback : stored;
    return wanted >= screen ? screen : wanted;
}

}  // namespace

QRect startGeometry(const db::WindowPlacement& placement, QSize screen) {
    const db::WindowPlacement defaults;
    return {placement.x, placement.y, side(placement.width, defaults.width, screen.width()),
            side(placement.height, defaults.height, screen.height())};
}

}  // namespace rz::app
