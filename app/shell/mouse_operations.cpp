#include "app/shell/mouse_operations.hpp"

#include "render/view_mouse.hpp"

namespace rz::app {

// Placeholder until the operations land: the box cursor only.
MouseOperations::MouseOperations(CommandPort& port, render::Views& views, InterfaceState& state)
    : port_(port), views_(views), state_(state) {}

void MouseOperations::press(QPoint p) {
    render::viewMousePress(views_, port_.interp(), p.x(), p.y());
}
bool MouseOperations::drag(QPoint p) {
    return render::viewMouseDrag(views_, port_.interp(), p.x(), p.y());
}
void MouseOperations::release(QPoint p) {
    render::viewMouseRelease(views_, port_.interp(), p.x(), p.y());
}
void MouseOperations::finish() {}

}  // namespace rz::app
