#pragma once
// The state of the user interface around the interpreter: whether the primitive buttons
// take input, which interactive operation left-button drags in the views perform, which
// pop-up menu the right button shows and whether the real-time display owns the views.

namespace rz::app {

// The interactive operations a menu or palette item starts in the views.
enum class MouseMode {
    None,            // left-button presses grab the box cursor's handles and marker
    Translate,       // blocks move with the box cursor (2213)
    TranslateCopy,   // a moved copy (2220)
    Scale,           // blocks scale with the box cursor (2206)
    CentrePoint,     // the rotation centre is set (2215)
    ViewScroll,      // the views scroll (751, 251, 252)
    Camera,          // the camera turns and moves (227)
    JointPosition,   // a joint is placed (3002)
    PartTranslate,   // parts move (2606)
    ActorTranslate,  // a motion model moves (3012)
    PickBlock,       // clicks select blocks by their labels (2209)
    PickFace,        // clicks select shapes by their labels (2211)
};

enum class ViewPopup { Views = 10011, PointEdit = 10014, RealTime = 10015 };

struct InterfaceState {
    bool input = true;  // false while a file dialog flow or a mouse operation runs
    bool realTime = false;
    bool pointEditing = false;
    MouseMode mouse = MouseMode::None;
    ViewPopup popup = ViewPopup::Views;
};

}  // namespace rz::app
