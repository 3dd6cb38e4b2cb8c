#pragma once
// The bytes a conversion may still take for the geometry it reads. Every list grows through
// it, so together they never hold more than the budget, whatever the file declares.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace rz::polyconv {

class StorageBudget {
  public:
    explicit StorageBudget(std::size_t bytes) : remaining_(bytes) {}

    std::size_t remaining() const { return remaining_; }

    // Bytes held outside the lists; false, taking nothing, when they do not fit.
    bool take(std::size_t bytes) {
        if (bytes > remaining_) return false;
        remaining_ -= bytes;
        return true;
    }

    // Room for `more` further elements. The capacity doubles as a vector's would, but only
    // as far as the budget allows; false, leaving the list as it was, when not even `more`
    // fit.
    template <class T>
    bool make_room(std::vector<T>& list, std::size_t more = 1) {
        const std::size_t capacity = list.capacity();
        const std::size_t spare = capacity - list.size();
        if (more <= spare) return true;
        const std::size_t needed = more - spare;
        const std::size_t affordable = remaining_ / sizeof(T);
        if (needed > affordable) return false;
        const std::size_t growth =
            std::max(needed, std::min(std::max(capacity, kFirstCapacity), affordable));
        list.reserve(capacity + growth);
        remaining_ -= growth * sizeof(T);
        return true;
    }

  private:
    static constexpr std::size_t kFirstCapacity = 16;
    std::size_t remaining_;
};

}  // namespace rz::polyconv
