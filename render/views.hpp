#pragma once
// The wireframe views of one running workstation: the drawing layer's image of the main
// window's client area, the panes laid out on it, the zoom factor, and where the box cursor
// was last drawn in each pane. A window only copies the image to the screen.

#include <array>

#include "db/view_requests.hpp"
#include "render/pane_layout.hpp"
#include "render/raster.hpp"
#include "script/interp.hpp"

namespace rz::render {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(Point, Point) = default;
};

// The box cursor as last drawn in one pane, for the mouse tools: the screen position of each
// corner (numbered as the block tools number them; (0, 0) when it cannot be projected), the
// bounds of those that can, and the direction marker.
struct CursorPane {
    static constexpr int kNoBound = 99999999;
    std::array<Point, 8> handles{};
    int boxLeft = kNoBound;
    int boxTop = kNoBound;
    int boxRight = -kNoBound;
    int boxBottom = -kNoBound;
    Point marker;
};

struct Views final : db::ViewRequests {
    Raster raster;
    PaneLayout layout;
    double factor = kDefaultZoomFactor;  // world units per pixel
    bool environment = false;            // the 3-D window environment
    bool previewOwnsWindow = false;      // the OpenGL preview draws the window instead
    bool fontTried = false;              // the font is looked for on the first text
    std::array<CursorPane, kMaxPanes> cursor{};

    void redraw(script::Interp& in) override;
    void toggleBoxCursor(script::Interp& in) override;
};

// The image is as large as the main window's client area; sides beyond what the drawing
// layer can hold are cut to it (as a window is cut to the screen). The panes are laid out,
// the zoom factor is 100 and the 3-D window environment is on.
ImageStatus startViews(Views& views, script::Interp& in, int clientWidth, int clientHeight);

// The views of a running interpreter; nothing before they are started.
inline Views* startedViews(script::Interp& in) {
    return in.views != nullptr && in.views->environment ? in.views : nullptr;
}

struct WireRequest;
// Draws the model as the request asks; a wireframe of every layer (target below 0) also
// draws the box cursor when its switch is on. kOk, or kFail after the message.
script::Result drawViews(Views& views, script::Interp& in, const WireRequest& request);

}  // namespace rz::render
