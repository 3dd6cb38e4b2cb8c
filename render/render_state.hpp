#pragma once
// The renderer's state (DB_Render) and one worker's work area (DB_RenderWork): the screen and
// tile being drawn, the layered depth buffer of one tile, and the three fixed work stacks.
// Everything is sized at start-up; a render writes into these and allocates nothing.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "db/records.hpp"
#include "math/value_types.hpp"
#include "render/camera_view.hpp"
#include "render/vertex_lights.hpp"

namespace rz::render {

// The draw modes that render.
enum class DrawMode : std::uint8_t {
    Rapid = 1,
    Fast = 2,
    Quick = 3,
    Full = 4,
    Check = 5,
    Fine = 6,
    Finish = 7,
};

// One Z-Buffer entry: depth (camera z x 100) and the colour with its opacity (255 opaque).
struct ZEntry {
    std::int32_t depth = 0;
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
};
static_assert(sizeof(ZEntry) == 8);
inline constexpr std::int32_t kEmptyDepth = 0x540BE400;
inline constexpr ZEntry kEmptyEntry{kEmptyDepth, 0, 0, 0, 0};

// Screen positions are in 1/500 sample, depths in 1/100 camera unit.
inline constexpr std::int32_t kSubSample = 500;
inline constexpr std::int32_t kDepthScale = 100;
// The second near limit: nothing nearer than this is projected.
inline constexpr float kNearDepthLimit = 0.5f;

// The image being rendered and the tile in hand, in samples (bounds inclusive).
struct Screen {
    int totalWidth = 0;
    int totalHeight = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    int columns = 1;
    int rows = 1;
    int antiAlias = 0;  // 0: 1 sample a pixel, 1: 2x2, 2: 4x4
    int layers = 1;     // 1 or 4
    float halfWidth = 0.0f;
    float nearPlane = 0.0f;
    float farPlane = 0.0f;
    int tileCount() const { return columns * rows; }
    int factor() const { return 1 << antiAlias; }
};

struct Tile {
    int number = 0;  // from 0, row by row
    int xStart = 0;
    int xEnd = 0;
    int yStart = 0;
    int yEnd = 0;
    // The same bounds x 500.
    std::int64_t xStart500 = 0;
    std::int64_t xEnd500 = 0;
    std::int64_t yStart500 = 0;
    std::int64_t yEnd500 = 0;
    int width() const { return xEnd - xStart + 1; }
    int height() const { return yEnd - yStart + 1; }
};

// The state of one render, shared read-only by its workers.
struct RenderState {
    std::uint8_t drawMode = 0;
    std::uint8_t quality = 0;  // 0: 32,768 colours, 1: about 2.09 million
    bool sampleMode = false;
    Screen screen;
    db::Camera camera;
    CameraView view;
    int threshold = 6;             // micropolygon size threshold T, square samples
    std::uint8_t glViewMode = 11;  // how the OpenGL preview draws (GLVIEW.FLATSHADE)
    std::uint8_t glViewSize = 1;   // how much of its window it fills (GLVIEW.HALFSIZE)
};

// A stack of fixed capacity: a push beyond it is refused.
template <class T, std::size_t N>
class FixedStack {
  public:
    static constexpr std::size_t kCapacity = N;
    bool push(const T& value) {
        if (size_ >= N) return false;
        items_[size_++] = value;
        return true;
    }
    T* pushSlot() { return size_ < N ? &items_[size_++] : nullptr; }
    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }
    T& top() { return items_[size_ - 1]; }
    T pop() { return items_[--size_]; }
    void drop() { --size_; }
    void clear() { size_ = 0; }

  private:
    std::array<T, N> items_{};
    std::size_t size_ = 0;
};

// One corner of a quadrilateral, in every space the pipeline and the shading need.
struct QuadVertex {
    Vec3 model{};
    Vec3 modelNormal{};
    Vec3 world{};
    Vec3 normal{};
    Vec3 camera{};
    float u = 0.0f;
    float v = 0.0f;
    std::int32_t sx = 0;  // 1/500 sample
    std::int32_t sy = 0;
    std::int32_t sz = 0;  // camera z x 100
};

struct Quad {
    std::array<QuadVertex, 4> v{};
    // The pre-pass vertex of each corner, kNoVertex when it has none.
    std::array<std::size_t, 4> source{kNoVertex, kNoVertex, kNoVertex, kNoVertex};
    int generation = 0;    // near-plane splits it came through
    bool negated = false;  // kept back-facing, its normals turned
    // Set by orientation: the corners lit with their vertex's own normal (bit c), and whether
    // those normals were negated.
    std::uint8_t ownNormals = 0;
    bool turned = false;
};

// A micropolygon corner: its screen position and depth, and where it lies on its
// quadrilateral (s, t in millionths), from which normals, positions, texture coordinates
// and vertex colours are interpolated.
struct MicroVertex {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;
    std::int32_t s = 0;
    std::int32_t t = 0;
};

struct MicroPolygon {
    std::array<MicroVertex, 4> v{};
    std::int64_t size = 0;  // the size measure A, square samples
};

inline constexpr std::size_t kSplitStackSize = 200;
inline constexpr std::size_t kCountStackSize = 500;
inline constexpr std::size_t kMicroStackSize = 400;
inline constexpr std::size_t kPolygonVertexMax = kCountStackSize;

// The samples of a tile that micropolygons wrote, relative to the tile (bounds inclusive);
// empty while x0 > x1.
struct UsedSamples {
    int x0 = 1 << 30;
    int y0 = 1 << 30;
    int x1 = -1;
    int y1 = -1;
    bool empty() const { return x0 > x1 || y0 > y1; }
    void add(int rowFirst, int rowLast, int colFirst, int colLast) {
        y0 = rowFirst < y0 ? rowFirst : y0;
        y1 = rowLast > y1 ? rowLast : y1;
        x0 = colFirst < x0 ? colFirst : x0;
        x1 = colLast > x1 ? colLast : x1;
    }
};

// One worker's work area: the Z-Buffer of its tile, the stacks and the polygon vertex buffer.
// The Z-Buffer holds a tile's samples row by row, the layers of a sample side by side; between
// tiles every entry is empty, so that a tile clears only the samples it used.
struct WorkArea {
    std::vector<ZEntry> zbuffer;
    UsedSamples used;
    FixedStack<Quad, kSplitStackSize> split;
    FixedStack<std::int32_t, kCountStackSize> count;
    FixedStack<MicroPolygon, kMicroStackSize> micro;
    std::array<QuadVertex, kPolygonVertexMax> polygon{};
    std::array<std::size_t, kPolygonVertexMax> polygonSource{};  // pre-pass vertex or kNoVertex
    VertexLights lights;
    std::uint64_t micropolygons = 0;  // rasterised since start-up
};

}  // namespace rz::render
