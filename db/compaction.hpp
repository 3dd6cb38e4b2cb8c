#pragma once
// Closing up a store after records were removed from it: which records go, the new number
// of every record that stays (for rewriting the references into the store), and the move of
// the kept records down, each in one pass over the store.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace rz::db {

// The records in use of a store: its count held to what was allocated.
template <class T>
std::int32_t liveCount(std::int32_t count, const std::vector<T>& store) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(store.size())));
}

// Which records of a store go, and where the others move: every kept record keeps its
// order and moves down by the number of removed records before it.
class Compaction {
  public:
    explicit Compaction(std::int32_t count) : gone_(static_cast<std::size_t>(count), 0) {}

    std::int64_t count() const { return static_cast<std::int64_t>(gone_.size()); }
    bool inside(std::int64_t i) const { return i >= 0 && i < count(); }
    void remove(std::int64_t i) {
        if (inside(i)) gone_[static_cast<std::size_t>(i)] = 1;
    }
    bool removed(std::int64_t i) const {
        return inside(i) && gone_[static_cast<std::size_t>(i)] != 0;
    }

    // Numbers the kept records; called once, after the last remove.
    void number() {
        to_.resize(gone_.size() + 1);
        std::int32_t next = 0;
        for (std::size_t i = 0; i < gone_.size(); ++i) {
            to_[i] = next;
            next += gone_[i] == 0 ? 1 : 0;
        }
        to_[gone_.size()] = next;
    }
    std::int32_t kept() const { return to_.back(); }

    // The new number of record i. A removed record gives the place of the next kept one, so
    // an empty range starting there stays in order; a number past the store moves down by
    // everything removed.
    std::int64_t to(std::int64_t i) const {
        if (i >= 0 && i <= count()) return to_[static_cast<std::size_t>(i)];
        return i < 0 ? i : i - (count() - kept());
    }
    // A reference whose `none` value stays none; one to a removed record becomes none.
    template <class I>
    I ref(I v, I none) const {
        if (v == none || removed(v)) return none;
        return static_cast<I>(to(v));
    }

    template <class T>
    void compact(std::vector<T>& store) const {
        std::size_t out = 0;
        for (std::size_t i = 0; i < gone_.size(); ++i) {
            if (gone_[i] != 0) continue;
            if (out != i) store[out] = store[i];
            ++out;
        }
    }

  private:
    std::vector<std::uint8_t> gone_;
    std::vector<std::int32_t> to_;
};

// Ranges of a store named by the deleted shapes and by the shapes that stay. A record goes
// when a deleted shape covers it and no remaining one does, so records two shapes share
// stay with the one that is left.
class Coverage {
  public:
    explicit Coverage(std::int32_t count)
        : removed_(static_cast<std::size_t>(count) + 1, 0),
          kept_(static_cast<std::size_t>(count) + 1, 0) {}

    void add(bool removed, std::int64_t first, std::int64_t total) {
        const auto n = static_cast<std::int64_t>(removed_.size()) - 1;
        const std::int64_t a = std::clamp<std::int64_t>(first, 0, n);
        const std::int64_t b = std::clamp<std::int64_t>(first + total, 0, n);
        if (a >= b) return;
        std::vector<std::int32_t>& d = removed ? removed_ : kept_;
        ++d[static_cast<std::size_t>(a)];
        --d[static_cast<std::size_t>(b)];
    }

    Compaction compaction() const {
        const auto n = static_cast<std::int32_t>(removed_.size()) - 1;
        Compaction c(n);
        std::int32_t removed = 0;
        std::int32_t kept = 0;
        for (std::int32_t i = 0; i < n; ++i) {
            removed += removed_[static_cast<std::size_t>(i)];
            kept += kept_[static_cast<std::size_t>(i)];
            if (removed > 0 && kept == 0) c.remove(i);
        }
        c.number();
        return c;
    }

  private:
    std::vector<std::int32_t> removed_;  // differences: +1 where a range starts, -1 after it
    std::vector<std::int32_t> kept_;
};

}  // namespace rz::db
