#pragma once
// The lit colours of the pre-pass's vertices, kept by one worker for the render in hand. A grid
// vertex is a corner of up to four quadrilaterals; when its normal is its own (a smooth
// surface), orientation only ever leaves that normal or its exact negation, so each of the two
// is shaded once and reused. An entry counts only when it carries the render's stamp, so a new
// render empties the cache without touching it.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <vector>

#include "render/shading.hpp"

namespace rz::render {

// A quadrilateral corner that is no vertex of the pre-pass (a near-plane piece's midpoint, a
// mesh vertex outside its shape's own axes).
inline constexpr std::size_t kNoVertex = std::numeric_limits<std::size_t>::max();

class VertexLights {
  public:
    // Readies the cache for a render of `vertices` pre-pass vertices. Called before the
    // workers start; it grows (at least doubling) only when a render has more than any before.
    // Without the memory for it, the render shades every corner as it comes.
    void begin(std::size_t vertices) {
        if (entries_.size() < vertices) {
            try {
                entries_.resize(std::max(vertices, 2 * entries_.size()));
            } catch (const std::bad_alloc&) {
                entries_ = {};
            }
        }
        if (++stamp_ == 0) {
            for (Entry& e : entries_) e.stamp = {};
            stamp_ = 1;
        }
    }

    // The light of vertex `vertex` with its normal negated or not, shaded by `shadeIt` the
    // first time it is asked for in this render.
    template <class Shade>
    Lit lit(std::size_t vertex, bool negated, Shade&& shadeIt) {
        if (vertex >= entries_.size()) return shadeIt();
        Entry& e = entries_[vertex];
        const std::size_t side = negated ? 1 : 0;
        if (e.stamp[side] != stamp_) {
            e.lit[side] = shadeIt();
            e.stamp[side] = stamp_;
        }
        return e.lit[side];
    }

    std::size_t size() const { return entries_.size(); }

  private:
    struct Entry {
        std::array<Lit, 2> lit{};
        std::array<std::uint32_t, 2> stamp{};
    };
    std::vector<Entry> entries_;
    std::uint32_t stamp_ = 0;
};

}  // namespace rz::render
