#pragma once
// The corners of 3DFACE entities gathered into faces, one entity at a time.

#include <array>
#include <cstdint>
#include <iosfwd>

#include "polyconv/dxf_tokens.hpp"
#include "polyconv/geometry.hpp"
#include "polyconv/storage_budget.hpp"

namespace rz::polyconv {

class FaceCollector {
  public:
    FaceCollector(std::ostream& console, StorageBudget& budget)
        : console_(console), budget_(budget) {}

    // A 3DFACE begins: its corner groups follow.
    void start_face();
    // A group of the face being read; groups outside a face are ignored.
    void take_group(const Group& group);
    // The face is complete. Repeated corners are merged and a face with fewer than three
    // left is dropped. False when the face does not fit in the budget.
    bool finish_face();

    const FaceSet& faces() const { return result_; }
    FaceSet take_faces() { return std::move(result_); }

  private:
    struct Corner {
        Vec3 position;
        std::uint8_t axes_read = 0;
        bool appended = false;
    };
    static constexpr std::uint8_t kAllAxes = 0b111;

    std::ostream& console_;
    StorageBudget& budget_;
    bool in_face_ = false;
    std::array<Corner, 4> corners_{};
    Face current_;
    FaceSet result_;
};

}  // namespace rz::polyconv
