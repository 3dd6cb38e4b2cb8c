#pragma once
// The panes of the view area: their rectangles for each layout (winmode), their display
// modes, and the world window of each orthographic pane for the zoom factor and centre.

#include <array>
#include <optional>

#include "math/vec_math.hpp"
#include "render/raster_types.hpp"

namespace rz::render {

enum class DisplayMode { Perspective = 2, XY = 3, YZ = 4, XZ = 5 };

// The world axes shown across and down an orthographic pane, and the one it looks along.
struct ShownAxes {
    int across;
    int down;
    int depth;
};
constexpr ShownAxes shownAxes(DisplayMode mode) {
    switch (mode) {
        case DisplayMode::YZ:
            return {2, 1, 0};
        case DisplayMode::XZ:
            return {0, 2, 1};
        case DisplayMode::XY:
        case DisplayMode::Perspective:
            break;
    }
    return {0, 1, 2};
}

// Layouts (winmode) and their named constants.
inline constexpr int kW4Mode = 1;
inline constexpr int kParsMode = 6;

// Inclusive pixel bounds.
struct PaneRect {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;

    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    // The same pixels as a drawing-layer rectangle (right and bottom outside).
    Rect rect() const { return {left, top, right + 1, bottom + 1}; }
};

// World values at the four edges and the signed world units per pixel; zero for the
// perspective pane.
struct WorldWindow {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double unitsH = 0.0;
    double unitsV = 0.0;
};

struct Pane {
    PaneRect rect;
    DisplayMode mode = DisplayMode::Perspective;
    WorldWindow world;
};

inline constexpr int kMaxPanes = 4;

struct PaneLayout {
    std::array<Pane, kMaxPanes> panes{};
    int count = 0;
};

// The view area in client pixels: windy.xpos, windy.ypos, windy.xwidth, windy.ywidth.
struct ViewArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The panes of a layout, or nothing for a winmode that is none.
std::optional<PaneLayout> layoutPanes(const ViewArea& area, int winmode, double factor,
                                      const Vec3d& center);

WorldWindow worldWindow(DisplayMode mode, int width, int height, double factor,
                        const Vec3d& center);

// The world units per pixel that set.winfact n selects, or nothing for an n outside 0..10.
std::optional<double> zoomFactor(int n);
inline constexpr double kDefaultZoomFactor = 100.0;

}  // namespace rz::render
