#pragma once
// One worker's pass over one tile: what it shares with the other workers of the render, and
// the shape and quadrilateral in hand. The stages are split over render_shapes.cpp (shapes,
// faces and grids), render_quads.cpp (quadrilaterals and micropolygons) and
// render_resolve.cpp (the tile into the C-Buffer).

#include <atomic>
#include <mutex>

#include "db/database.hpp"
#include "platform/message_service.hpp"
#include "render/render_state.hpp"
#include "render/shading.hpp"
#include "script/interp.hpp"

namespace rz::render {

// What every worker of one render reads; the stores are written (placement on the matrix
// stack, expansion at their free ends) only under `stores`.
struct SharedRender {
    const RenderState& state;
    db::Database& db;
    const script::Interp& in;  // its stop request
    std::mutex& stores;
    std::atomic<bool>& stop;
    int layerFilter = -1;
    // The shapes drawn, and the store counts as the render began: expansions by other
    // workers come and go beyond them.
    int firstShape = 0;
    int endShape = 0;
    std::int32_t axisCount = 0;
    std::int32_t patchCount = 0;
};

// How the colour of a micropolygon comes about.
enum class Colouring {
    Lines,   // RAPID: edges only
    Vertex,  // lit at the quadrilateral's corners, interpolated, finished per micropolygon
    Micro,   // mapped surfaces: shaded and mapped at every micropolygon
};

struct TilePass {
    TilePass(const SharedRender& s, WorkArea& w, platform::MessageService& m, db::ColorBuffer& im,
             const Tile& t)
        : shared(s), work(w), msg(m), image(im), tile(t), shading{.lights = s.db.lights} {}

    const SharedRender& shared;
    WorkArea& work;
    platform::MessageService& msg;
    db::ColorBuffer& image;
    Tile tile;

    // The shape in hand.
    Mat4 placement = kIdentity;
    Mat4 toCamera = kIdentity;
    Mat4 normalMatrix = kIdentity;  // inverse transpose of the placement's linear part
    Vec3d eye{};                    // the camera position, world space
    SurfaceShading shading;
    Colouring colouring = Colouring::Vertex;
    bool smooth = true;     // vertices carry their own normals
    bool mirrored = false;  // the placement turns the winding of faces round

    // The quadrilateral being split, and the lit colours of its corners.
    const Quad* quad = nullptr;
    std::array<Lit, 4> lit{};
};

// A vertex of the model placed, taken to camera space and projected.
QuadVertex placeVertex(const TilePass& p, const db::Axis& axis);
// The screen position and depth of a vertex from its camera position.
void project(const RenderState& st, QuadVertex& v);

// Pushes a quadrilateral on the SPLIT-STACK; false (after the message) when it is full.
bool pushQuad(TilePass& p, const Quad& q);
// The quadrilateral pass until the SPLIT-STACK is empty.
void drainQuads(TilePass& p);

// Renders every shape into the tile's Z-Buffer; false when the render was stopped.
bool renderShapes(TilePass& p);

// The Z-Buffer of the tile emptied, and the tile resolved into the C-Buffer.
void clearTile(WorkArea& w, const Screen& screen, const Tile& tile);
void resolveTile(const RenderState& st, const WorkArea& w, const Tile& tile,
                 db::ColorBuffer& image);

}  // namespace rz::render
