#pragma once
// The wireframe views of one running workstation: the drawing layer's image of the main
// window's client area, the panes laid out on it, the zoom factor, and the box cursor as it
// was last drawn. A window only copies the image to the screen.

#include <array>

#include "math/value_types.hpp"
#include "render/camera_view.hpp"
#include "render/image_display.hpp"
#include "render/pane_layout.hpp"
#include "render/raster.hpp"
#include "script/interp.hpp"

namespace rz::render {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(Point, Point) = default;
};

// The box cursor as it was last drawn with XOR: drawing it again with these values, through
// the panes and camera of that drawing, takes it away whatever changed since. A pane that
// was repainted since no longer holds it.
struct DrawnCursor {
    std::array<bool, kMaxPanes> inPane{};
    PaneLayout layout;
    CameraView camera;
    Vec3 s{};
    Vec3 e{};
    int direc = 1;
    Rgb colour{};
};

struct Views {
    Raster raster;
    PaneLayout layout;
    double factor = kDefaultZoomFactor;  // world units per pixel
    bool environment = false;            // the 3-D window environment
    bool previewOwnsWindow = false;      // the OpenGL preview draws the window instead
    bool fontTried = false;              // the font is looked for on the first text
    DrawnCursor cursor;
    ImageDisplay image;  // imagedisplay and framebuffer
};

// The image is as large as the main window's client area; sides beyond what the drawing
// layer can hold are cut to it (as a window is cut to the screen). The panes are laid out,
// the zoom factor is 100, the 3-D window environment is on, and the redraw hooks of the box
// cursor and of the layer selection are the views'.
ImageStatus startViews(Views& views, script::Interp& in, int clientWidth, int clientHeight);

// The views of a running interpreter; nothing before they are started.
inline Views* startedViews(script::Interp& in) {
    return in.views != nullptr && in.views->environment ? in.views : nullptr;
}

struct WireRequest;
// Draws the model as the request asks. The box cursor stays on top: it is taken away
// before and drawn again after, and a wireframe of every layer (target below 0) draws it
// into its panes while it is shown. kOk, or kFail after the message.
script::Result drawViews(Views& views, script::Interp& in, const WireRequest& request);

}  // namespace rz::render
