#pragma once
// Expansion of parametric shapes into explicit ones at the free end of the stores. The new
// shape is always the last one; consumers remember the three counts before and restore
// them afterwards (see ExpandedShape), so the expansion never stays in the model.

#include "db/database.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

enum class ExpandMode {
    Polygon = 1,    // quad face runs, shape kind 11
    Grid = 2,       // vertex grid, shape kind 12
    BakedGrid = 3,  // vertex grid with the shape's matrix and the current matrix applied
};

// Whether a kind is expanded on demand.
constexpr bool isParametric(std::uint8_t kind) {
    return kind > db::kLastExplicitKind;
}

// Whether a generator exists for the kind.
bool isExpandable(std::uint8_t kind);

// Full detail; the new shape gets layer 1. Explicit and unknown kinds append nothing and
// give kOk. kFail after the message when the stores are full or the parameters are bad.
script::Result expandShape(db::Database& db, platform::MessageService& msg, int shape,
                           ExpandMode mode);

// Fewer divisions, for quick wireframes: curved kinds take 4 for a sweep of exactly 0..360
// and 2 otherwise (never more than their own), the grid plane 2. No layer or matrix
// post-processing.
script::Result expandShapeCoarse(db::Database& db, platform::MessageService& msg, int shape,
                                 ExpandMode mode);

// The generator of the shape's kind in grid form with its own divisions and no
// post-processing; kOk without appending anything for kinds that are not parametric.
script::Result generateGrid(db::Database& db, platform::MessageService& msg, int shape);

}  // namespace rz::geometry
