#pragma once
// The shapes of one render made ready once, before any tile: placed on the matrix stack,
// their boxes projected to screen bounds, their shading set up, parametric shapes expanded
// and every vertex of a grid or mesh placed and projected. The tile workers only read it, so
// they need no lock. What placement and expansion said is held in the pre-pass log and shown
// again in each tile at the point where the shape comes up, as if the tile had done the work.

#include <cstdint>
#include <optional>
#include <vector>

#include "db/database.hpp"
#include "platform/message_service.hpp"
#include "render/render_state.hpp"
#include "render/shading.hpp"
#include "render/tile_log.hpp"

namespace rz::render {

// How the colour of a micropolygon comes about.
enum class Colouring : std::uint8_t {
    Lines,   // RAPID: edges only
    Vertex,  // lit at the quadrilateral's corners, interpolated, finished per micropolygon
    Micro,   // mapped surfaces: shaded and mapped at every micropolygon
};

// Where a shape's model coordinates go.
struct ShapeFrame {
    Mat4 placement = kIdentity;
    Mat4 toCamera = kIdentity;
    Mat4 normalMatrix = kIdentity;  // inverse transpose of the placement's linear part
    bool mirrored = false;          // the placement turns the winding of faces round
};

// A vertex of the model placed, taken to camera space and projected.
QuadVertex placeVertex(const RenderState& st, const ShapeFrame& frame, const db::Axis& axis);

enum class ShapeGeometry : std::uint8_t { None, Mesh, Grid };
// What the shape's box says about a tile: nothing (a box still at its sentinels keeps the
// shape everywhere), that it is wholly behind the near plane, or its screen bounds.
enum class BoxCull : std::uint8_t { Never, Always, Bounds };

// A range of entries of the pre-pass log.
struct LogRange {
    std::size_t first = 0;
    std::size_t end = 0;
};

struct PreparedShape {
    LogRange said;         // the layer note, the placement's messages: in every tile
    LogRange expandSaid;   // the expansion's messages: in the tiles the box reaches
    bool reached = false;  // placed (or refused) and checked for a stop after it
    bool placed = false;
    BoxCull cull = BoxCull::Never;
    double x0 = 0.0;  // screen bounds of the box, samples
    double y0 = 0.0;
    double x1 = 0.0;
    double y1 = 0.0;
    ShapeFrame frame;
    std::optional<SurfaceShading> shading;  // set when the box reaches a tile
    Colouring colouring = Colouring::Vertex;
    bool smooth = true;  // vertices carry their own normals
    ShapeGeometry geometry = ShapeGeometry::None;
    const db::Shape* shape = nullptr;
    // Grid: nu x nv placed vertices from `first`. Mesh: the shape's own axes from `axisFirst`,
    // placed from `first`; faces naming other axes place those in the tile.
    std::size_t first = 0;
    int nu = 0;
    int nv = 0;
    std::int32_t axisFirst = 0;
    std::int32_t axisTotal = 0;

    bool missesTile(const Tile& t) const {
        if (cull == BoxCull::Never) return false;
        if (cull == BoxCull::Always) return true;
        return x1 < t.xStart || x0 > t.xEnd + 1 || y1 < t.yStart || y0 > t.yEnd + 1;
    }
};

// A run of model vertices of one prepared shape still to be placed: `axes[first..first+count)`
// into `vertices` at the same places.
struct PlacementRun {
    std::size_t shape = 0;  // index into `shapes`
    std::size_t first = 0;
    std::size_t count = 0;
};

// Room for one render's shapes and vertices; it grows to the largest render seen and is kept.
// The pre-pass copies the model vertices of each grid or mesh into `axes` (an expanded shape's
// vertices live only until the next shape is expanded) and leaves placing them to
// placePrepared, which spreads the runs over threads.
struct ShapePrepass {
    std::vector<PreparedShape> shapes;
    std::vector<db::Axis> axes;
    std::vector<QuadVertex> vertices;
    std::vector<PlacementRun> runs;
    std::size_t runCount = 0;
    TileLog log;
};

struct PrepassScope {
    int firstShape = 0;
    int endShape = 0;
    int layerFilter = -1;
    std::int32_t axisCount = 0;  // the axes in use as the render began
};

// Prepares the shapes of `scope` for the tiles of `screen`; messages go to `pass.log` with the
// message mode and window of `mainMsg`. The vertices are placed by placePrepared.
void prepareShapes(ShapePrepass& pass, const RenderState& st, db::Database& db,
                   const platform::MessageService& mainMsg, const PrepassScope& scope);

// Places, takes to camera space and projects the vertices prepareShapes gathered, on up to
// `threads` threads (the calling one among them). Every vertex is computed alone, so the
// result does not depend on the number of threads.
void placePrepared(ShapePrepass& pass, const RenderState& st, int threads);

}  // namespace rz::render
