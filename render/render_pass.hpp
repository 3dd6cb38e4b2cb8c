#pragma once
// One worker's pass over one tile: what it shares with the other workers of the render, and
// the shape and quadrilateral in hand. The stages are split over render_shapes.cpp (shapes,
// faces and grids), render_quads.cpp (quadrilaterals and micropolygons) and
// render_resolve.cpp (the tile into the C-Buffer).

#include <atomic>

#include "db/database.hpp"
#include "platform/message_service.hpp"
#include "render/render_state.hpp"
#include "render/shading.hpp"
#include "render/shape_prepass.hpp"
#include "script/interp.hpp"

namespace rz::render {

// What every worker of one render reads; nothing of it is written while the tiles run.
struct SharedRender {
    const RenderState& state;
    const db::Database& db;
    const ShapePrepass& prepass;
    const script::Interp& in;  // its stop request
    std::atomic<bool>& stop;
    // The store counts as the render began.
    std::int32_t axisCount = 0;
    std::int32_t patchCount = 0;
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

    // The shape in hand; its shading is copied, as orient marks the quadrilateral in it.
    const PreparedShape* shape = nullptr;
    Vec3d eye{};  // the camera position, world space
    SurfaceShading shading;
    Colouring colouring = Colouring::Vertex;
    bool smooth = true;

    // The quadrilateral being split, and the lit colours of its corners.
    const Quad* quad = nullptr;
    std::array<Lit, 4> lit{};
};

// The screen position and depth of a vertex from its camera position.
void project(const RenderState& st, QuadVertex& v);

// The quadrilateral pass for one quadrilateral of a shape (oriented in place), then for the
// near-plane pieces it left on the SPLIT-STACK until that is empty again.
void renderQuad(TilePass& p, Quad& q);

// Renders every shape into the tile's Z-Buffer; false when the render was stopped.
bool renderShapes(TilePass& p);

// The samples the tile used resolved into the C-Buffer, and emptied again.
void clearTile(WorkArea& w, const Screen& screen, const Tile& tile);
void resolveTile(const RenderState& st, const WorkArea& w, const Tile& tile,
                 db::ColorBuffer& image);

}  // namespace rz::render
