#include "app/shell/tool_windows/placement.hpp"

namespace rz::app {

int placedOffset(int stored, int screenExtent) {
    return stored < 0 || stored > screenExtent - kReachableMargin ? kFallbackOffset : stored;
}

QPoint placedOffset(const db::Offset& stored, QSize screen) {
    return {placedOffset(stored.x, screen.width()), placedOffset(stored.y, screen.height())};
}

db::Offset writtenOffset(QPoint recorded) {
    const QPoint outer = recorded - kAssumedFrame;
    return {outer.x(), outer.y()};
}

}  // namespace rz::app
