#pragma once
// The micropolygon renderer of one running workstation: the render state, one work area per
// tile worker, the material sample images, and the progress report a front end installs.
// Everything is allocated by startRenderer (InitRender) and kept until shutdown.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "db/settings.hpp"
#include "render/render_state.hpp"
#include "render/shape_prepass.hpp"
#include "script/interp.hpp"

namespace rz::render {

// After every tile released, in tile order: tiles done so far and the tile count.
using RenderProgress = std::function<void(int done, int total)>;

struct Renderer {
    RenderState state;
    ShapePrepass prepass;  // the shapes of the render in hand, shared by its workers
    std::vector<std::unique_ptr<WorkArea>> workers;  // one for each tile thread
    std::size_t zbufferEntries = 0;                  // in every worker's Z-Buffer
    int zbufFlag = 2;
    std::vector<std::uint8_t> sampleImage;   // 80 x 60, 4 bytes a pixel
    std::vector<std::uint8_t> sample2Image;  // 80 x 60, 4 bytes a pixel
    RenderProgress progress;
    // Set while a render runs on the drawing thread: the tiles then say nothing on the
    // status line, which belongs to the window's thread.
    bool drawingThread = false;

    // Micropolygons rasterised since start-up, over every worker.
    std::uint64_t micropolygons() const;
};

inline constexpr int kSampleWidth = 80;
inline constexpr int kSampleHeight = 60;

// The tile threads the settings ask for: 0 means one for each hardware thread.
int renderThreads(const db::Settings& settings);

// InitRender: the work areas (one for each tile thread; threads beyond the first that cannot
// have theirs are simply not used), the Z-Buffers, both sample images, each Z-Buffer cleared.
// A first work area, Z-Buffer or sample image that cannot be had ends the program with its
// message. The C-Buffer is the database's and already allocated.
void startRenderer(Renderer& renderer, script::Interp& in, const db::Settings& settings);

// The renderer of a running interpreter; null before start-up.
inline Renderer* startedRenderer(script::Interp& in) {
    return in.renderer;
}

enum class RenderOutcome { Done, Aborted };

// Renders the shapes that pass the layer filter in draw mode `mode` (1..7) into the C-Buffer,
// the camera taken from the camera variables. Aborted when the interpreter's stop request
// came: the tiles finished by then are kept.
RenderOutcome render(Renderer& renderer, script::Interp& in, int layerFilter, int mode);

// Every entry of every worker's Z-Buffer empty.
void clearZBuffers(Renderer& renderer);

}  // namespace rz::render
