#pragma once
// Walking a shape's vertex-edit list.

#include <cstddef>
#include <cstdint>

#include "db/database.hpp"

namespace rz::geometry {

// Calls f for every record of the list that starts at head. The walk ends at the end mark,
// at a link outside the edit store, or after as many steps as the store has records, so a
// damaged list can neither read past the store nor loop.
template <class F>
void forEachEdit(const db::Database& db, std::uint32_t head, F&& f) {
    std::uint32_t link = head;
    for (std::size_t steps = 0; steps < db.editList.size(); ++steps) {
        if (link == db::kNoEdits || link >= db.editList.size()) return;
        const db::EditRecord& e = db.editList[link];
        f(e);
        link = static_cast<std::uint32_t>(e.link);
    }
}

}  // namespace rz::geometry
