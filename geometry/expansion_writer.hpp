#pragma once
// The common frame of every expansion: room is claimed for all it appends before anything
// is written, the axes and patch entries go to the free ends of the stores, and the new
// shape record takes the next shape index. Nothing is allocated.

#include <array>
#include <cstdint>

#include "db/database.hpp"
#include "math/vec_math.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

// Grid form (-2, nu, nv header, shape kind 12) or polygon form (one quad face run per
// grid cell, shape kind 11).
enum class Form { Grid, Polygon };

// The eight floats of a parameter axis: wv.x, wv.y, wv.z, nv.x, nv.y, nv.z, u, v.
using Packed = std::array<float, 8>;

constexpr Packed packed(const db::Axis& a) {
    return {a.wv[0], a.wv[1], a.wv[2], a.nv[0], a.nv[1], a.nv[2], a.u, a.v};
}

// Everything a generator needs, copied out of the stores before it writes to them.
struct ExpandJob {
    db::Shape source;
    Packed a{};
    Packed b{};
    int div = 0;  // the divisions to use: the shape's own, or the coarse ones
    Form form = Form::Grid;
};

// The rows of a sweep that a generator writes: a closed sweep in polygon form drops the
// repeated seam row and its last cells wrap round to the first row.
struct SweepRows {
    int rows = 0;
    bool wraps = false;
};
SweepRows sweepRows(int div, bool closed, Form form);

// Patch entries of an nu x rows grid.
std::int64_t gridPatchEntries(Form form, std::int64_t nu, std::int64_t rows, bool wraps);

class ExpansionWriter {
  public:
    ExpansionWriter(db::Database& db, platform::MessageService& msg, const db::Shape& source);

    // Room for the axes, the patch entries and one shape; kFail after the store-full message.
    script::Result reserve(std::int64_t axes, std::int64_t patches);

    void vertex(const Vec3d& position, const Vec3d& normal, double u, double v);
    void patch(std::int32_t value);
    // The grid header, or the face runs of every cell of an nu x rows grid.
    void gridPatches(Form form, int nu, int rows, bool wraps);

    std::int32_t firstAxis() const { return firstAxis_; }

    // Fills the shape record and advances the three counts.
    script::Result finish(Form form, bool smooth);

  private:
    db::Database& db_;
    platform::MessageService& msg_;
    db::Shape source_;
    std::int32_t firstAxis_;
    std::int32_t firstPatch_;
    bool reserved_ = false;
    std::int64_t axesReserved_ = 0;
    std::int64_t patchesReserved_ = 0;
    std::int64_t axesWritten_ = 0;
    std::int64_t patchesWritten_ = 0;
};

}  // namespace rz::geometry
