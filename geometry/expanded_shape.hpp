#pragma once
// The calling protocol of every consumer of expanded geometry: remember the three counts,
// expand a parametric shape in grid form, use its vertices, restore the counts. Explicit
// grids are used straight from their own records.

#include <cstdint>
#include <span>

#include "db/database.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

struct GridView {
    std::span<const db::Axis> vertices;  // nu * nv of them, row by row
    int nu = 0;
    int nv = 0;
};

class ExpandedShape {
  public:
    enum class Detail { Full, Coarse };

    ExpandedShape(db::Database& db, platform::MessageService& msg, int shape,
                  Detail detail = Detail::Full);
    ~ExpandedShape();
    ExpandedShape(const ExpandedShape&) = delete;
    ExpandedShape& operator=(const ExpandedShape&) = delete;

    // kOk, or kFail when the expansion was refused (already reported).
    script::Result status() const { return status_; }
    // The shape as a vertex grid; empty for polygon meshes and after a failure.
    const GridView& grid() const { return grid_; }

  private:
    db::Database& db_;
    std::int32_t axisCount_;
    std::int32_t patchCount_;
    std::int32_t shapeCount_;
    script::Result status_;
    GridView grid_;
};

// The grid of a kind-12 shape as its header describes it, cut to its own axes.
GridView explicitGrid(const db::Database& db, const db::Shape& s);

}  // namespace rz::geometry
