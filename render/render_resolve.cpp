// A tile's Z-Buffer emptied before its shapes, and resolved into the C-Buffer after them.

#include <algorithm>

#include "render/depth_layers.hpp"
#include "render/render_pass.hpp"

namespace rz::render {

void clearTile(WorkArea& w, const Screen& screen, const Tile& tile) {
    if (w.used.empty()) return;
    const std::size_t layers = static_cast<std::size_t>(screen.layers);
    const std::size_t width = static_cast<std::size_t>(tile.width());
    const std::size_t count = (w.used.x1 - w.used.x0 + 1) * layers;
    for (int row = w.used.y0; row <= w.used.y1; ++row) {
        const std::size_t first = (row * width + w.used.x0) * layers;
        std::fill_n(w.zbuffer.begin() + static_cast<std::ptrdiff_t>(first), count, kEmptyEntry);
    }
    w.used = UsedSamples{};
}

// Only the pixels over used samples: a pixel whose samples are all empty keeps its colour.
// A sample of a pixel that lies outside the tile counts as empty.
void resolveTile(const RenderState& st, const WorkArea& w, const Tile& tile,
                 db::ColorBuffer& image) {
    if (w.used.empty()) return;
    const int f = st.screen.factor();
    const int layers = st.screen.layers;
    const int width = tile.width();
    const int height = tile.height();
    const int samples = f * f;
    const int px0 = (tile.xStart + w.used.x0) / f;
    const int py0 = (tile.yStart + w.used.y0) / f;
    const int px1 = std::min((tile.xStart + w.used.x1) / f, image.width - 1);
    const int py1 = std::min((tile.yStart + w.used.y1) / f, image.height - 1);
    const ZEntry emptySample = kEmptyEntry;
    for (int py = py0; py <= py1; ++py) {
        std::uint8_t* out =
            image.pixels.data() + (static_cast<std::size_t>(py) * image.width + px0) * 4;
        for (int px = px0; px <= px1; ++px, out += 4) {
            const std::array<std::uint8_t, 4> bg{out[0], out[1], out[2], out[3]};
            SampleSum sum;
            for (int sy = 0; sy < f; ++sy) {
                const int y = py * f + sy - tile.yStart;
                for (int sx = 0; sx < f; ++sx) {
                    const int x = px * f + sx - tile.xStart;
                    const bool inside = x >= 0 && x < width && y >= 0 && y < height;
                    const ZEntry* sample =
                        inside
                            ? w.zbuffer.data() + (static_cast<std::size_t>(y) * width + x) * layers
                            : &emptySample;
                    resolveSample(sample, 1, inside ? layers : 1, bg.data(), sum);
                }
            }
            out[0] = static_cast<std::uint8_t>(sum.r / samples);
            out[1] = static_cast<std::uint8_t>(sum.g / samples);
            out[2] = static_cast<std::uint8_t>(sum.b / samples);
            out[3] = static_cast<std::uint8_t>(sum.a / samples);
        }
    }
}

}  // namespace rz::render
