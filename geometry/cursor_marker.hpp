#pragma once
// The box-cursor marker: the box s-e and a cone on the box edge that leaves s along the
// direction axis, its apex at the e side, so the views show which way direc points. It is
// temporary geometry: the parametric records and their grid expansions are appended at the
// free end of the stores and the counts are restored when the marker goes out of scope.

#include <cstdint>

#include "db/database.hpp"
#include "geometry/expanded_shape.hpp"
#include "math/value_types.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

class CursorMarker {
  public:
    static constexpr int kConeDivisions = 8;

    // direc outside 1..3 is taken as X.
    CursorMarker(db::Database& db, platform::MessageService& msg, const Vec3& s, const Vec3& e,
                 int direc);
    ~CursorMarker();
    CursorMarker(const CursorMarker&) = delete;
    CursorMarker& operator=(const CursorMarker&) = delete;

    // kOk, or kFail after the store-full message (nothing to draw then).
    script::Result status() const { return status_; }
    // Grids to draw: the box's four sides, and the cone.
    const GridView& box() const { return box_; }
    const GridView& cone() const { return cone_; }

  private:
    script::Result build(platform::MessageService& msg, const Vec3& s, const Vec3& e, int direc);
    GridView expand(platform::MessageService& msg, int shape);

    db::Database& db_;
    std::int32_t axisCount_;
    std::int32_t patchCount_;
    std::int32_t shapeCount_;
    script::Result status_ = script::kOk;
    GridView box_;
    GridView cone_;
};

}  // namespace rz::geometry
