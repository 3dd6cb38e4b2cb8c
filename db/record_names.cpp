#include "db/record_names.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace rz::db {
namespace {

// A stored name is NUL-terminated within its field, or fills it.
template <std::size_t N>
std::string_view storedName(const std::array<char, N>& field) {
    return {field.data(), strnlen(field.data(), N)};
}

template <class Record, std::size_t N>
int find(const std::vector<Record>& store, std::int32_t count, std::array<char, N> Record::*field,
         std::string_view name) {
    const auto live = std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(store.size()));
    for (std::int64_t i = 0; i < live; ++i)
        if (storedName(store[i].*field) == name) return static_cast<int>(i);
    return -1;
}

}  // namespace

bool RecordNames::findRecordByName(std::string_view name, script::Tok& kind, int& index) const {
    using script::Tok;
    const struct {
        Tok kind;
        int found;
    } searches[] = {
        {Tok::ActorRef, find(db_.actors, db_.actorCount, &Actor::name, name)},
        {Tok::RigidRef, find(db_.rigids, db_.rigidCount, &Rigid::name, name)},
        {Tok::BlockRef, find(db_.blocks, db_.blockCount, &Block::name, name)},
        {Tok::ShapeRef, find(db_.shapes, db_.shapeCount, &Shape::name, name)},
    };
    for (const auto& s : searches) {
        if (s.found < 0) continue;
        kind = s.kind;
        index = s.found;
        return true;
    }
    return false;
}

}  // namespace rz::db
