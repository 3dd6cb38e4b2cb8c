#pragma once
// "@name" in a statement: the model's records looked up by their names.

#include <string_view>

#include "db/database.hpp"
#include "script/lexer.hpp"

namespace rz::db {

// Actors, then rigids, then blocks, then shapes, each in index order: the first record of
// that name wins. Only records in use are searched.
class RecordNames final : public script::RecordFinder {
  public:
    explicit RecordNames(const Database& db) : db_(db) {}
    bool findRecordByName(std::string_view name, script::Tok& kind, int& index) const override;

  private:
    const Database& db_;
};

}  // namespace rz::db
