// A tile's Z-Buffer emptied before its shapes, and resolved into the C-Buffer after them.

#include <algorithm>

#include "render/depth_layers.hpp"
#include "render/render_pass.hpp"

namespace rz::render {

void clearTile(WorkArea& w, const Screen& screen, const Tile& tile) {
    const std::size_t used = static_cast<std::size_t>(tile.width()) * tile.height() * screen.layers;
    std::fill_n(w.zbuffer.begin(), std::min(used, w.zbuffer.size()), kEmptyEntry);
}

void resolveTile(const RenderState& st, const WorkArea& w, const Tile& tile,
                 db::ColorBuffer& image) {
    const int f = st.screen.factor();
    const int width = tile.width();
    const std::size_t plane = static_cast<std::size_t>(width) * tile.height();
    const int samples = f * f;
    const int px0 = tile.xStart / f;
    const int py0 = tile.yStart / f;
    const int px1 = std::min(tile.xEnd / f, image.width - 1);
    const int py1 = std::min(tile.yEnd / f, image.height - 1);
    for (int py = py0; py <= py1; ++py) {
        for (int px = px0; px <= px1; ++px) {
            std::uint8_t* out =
                image.pixels.data() + (static_cast<std::size_t>(py) * image.width + px) * 4;
            const std::array<std::uint8_t, 4> bg{out[0], out[1], out[2], out[3]};
            SampleSum sum;
            for (int sy = 0; sy < f; ++sy) {
                const ZEntry* row =
                    w.zbuffer.data() + static_cast<std::size_t>(py * f + sy - tile.yStart) * width;
                for (int sx = 0; sx < f; ++sx)
                    resolveSample(row + (px * f + sx - tile.xStart), plane, st.screen.layers,
                                  bg.data(), sum);
            }
            out[0] = static_cast<std::uint8_t>(sum.r / samples);
            out[1] = static_cast<std::uint8_t>(sum.g / samples);
            out[2] = static_cast<std::uint8_t>(sum.b / samples);
            out[3] = static_cast<std::uint8_t>(sum.a / samples);
        }
    }
}

}  // namespace rz::render
