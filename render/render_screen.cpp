#include "render/render_screen.hpp"

#include <algorithm>
#include <array>

namespace rz::render {
namespace {

struct ModeScreen {
    int mode;
    int antiAlias;
    int layers;
};

constexpr std::array<ModeScreen, 7> kModes{{
    {1, 0, 4},
    {2, 0, 1},
    {3, 0, 4},
    {4, 0, 4},
    {5, 0, 4},
    {6, 1, 4},
    {7, 2, 4},
}};

// The Z-Buffer scale s of the settings, as a fraction num / 2.
constexpr std::array<int, 4> kScaleHalves{1, 2, 4, 8};

int ceilDiv(int a, int b) {
    return (a + b - 1) / b;
}

}  // namespace

Screen screenFor(int mode, int zbufFlag, int width, int height) {
    const ModeScreen& m = kModes[std::clamp(mode, 1, 7) - 1];
    const int halves = kScaleHalves[std::clamp(zbufFlag, 1, 4) - 1];
    const int ws = width * halves / 2;
    const int hs = height * halves / 2;
    Screen s;
    s.antiAlias = m.antiAlias;
    s.layers = m.layers;
    s.tileWidth = ws / 2;
    s.tileHeight = hs / 2;
    switch (m.mode) {
        case 2:
            s.totalWidth = ws;
            s.totalHeight = hs;
            s.tileWidth = ws;
            s.tileHeight = hs;
            break;
        case 5:
            s.totalWidth = 80;
            s.totalHeight = 60;
            s.tileWidth = 320;
            s.tileHeight = 240;
            break;
        case 6:
        case 7:
            s.totalWidth = width << m.antiAlias;
            s.totalHeight = height << m.antiAlias;
            break;
        default: {
            const int divisor = zbufFlag == 1 ? 4 : 2;
            s.totalWidth = width / divisor;
            s.totalHeight = height / divisor;
            break;
        }
    }
    if (s.antiAlias == 0) {
        s.columns = 1;
        s.rows = 1;
    } else {
        s.columns = ceilDiv(s.totalWidth, std::max(s.tileWidth, 1));
        s.rows = ceilDiv(s.totalHeight, std::max(s.tileHeight, 1));
    }
    s.halfWidth = static_cast<float>(s.totalWidth / 2);
    return s;
}

Tile tileOf(const Screen& screen, int number) {
    Tile t;
    t.number = number;
    if (screen.antiAlias == 0) {
        t.xEnd = screen.totalWidth - 1;
        t.yEnd = screen.totalHeight - 1;
    } else {
        t.xStart = (number % screen.columns) * screen.tileWidth;
        t.yStart = (number / screen.columns) * screen.tileHeight;
        t.xEnd = std::min(t.xStart + screen.tileWidth, screen.totalWidth) - 1;
        t.yEnd = std::min(t.yStart + screen.tileHeight, screen.totalHeight) - 1;
    }
    t.xStart500 = std::int64_t{t.xStart} * kSubSample;
    t.xEnd500 = std::int64_t{t.xEnd} * kSubSample;
    t.yStart500 = std::int64_t{t.yStart} * kSubSample;
    t.yEnd500 = std::int64_t{t.yEnd} * kSubSample;
    return t;
}

}  // namespace rz::render
