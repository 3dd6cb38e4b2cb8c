#pragma once
// What the commands of the layers below the wireframe views ask of them. The views live
// above those layers, so they answer through this interface, which the running workstation
// connects (script::Interp::viewRequests); without views nothing is asked.

namespace rz::script {
struct Interp;
}

namespace rz::db {

class ViewRequests {
  public:
    // Clears every pane and draws the model again, as "winclear; wire;" does.
    virtual void redraw(script::Interp& in) = 0;
    // Draws the box cursor (box.s, box.e, direc) into every pane, or erases it when it is
    // drawn: it is drawn with XOR, so a second call with the same values leaves no trace.
    // Erase before changing the corners, draw again afterwards.
    virtual void toggleBoxCursor(script::Interp& in) = 0;

  protected:
    ~ViewRequests() = default;
};

}  // namespace rz::db
