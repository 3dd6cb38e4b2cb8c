#pragma once
// What the model dialogs read of the model, read only, and the statements they compose
// from it: record lists, the selection of a part's shapes, and names as `let` statements.

#include <QString>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/shell/dialogs/dialog_forms.hpp"
#include "db/database.hpp"

namespace rz::app {

// Block, rigid and actor names are 64-byte fields: 63 bytes and the terminator.
inline constexpr int kNameBytes = 63;

// Parts (blocks from 1 on, block 0 being the shapes of no part), as "Block(%d): %s".
std::vector<ListEntry> partEntries(const db::Database& db);
// Joints as "Rigid(%d): %s".
std::vector<ListEntry> jointEntries(const db::Database& db);
// Motion models from 1 on (actor 0 is reserved), as "Actor(%d): %s".
std::vector<ListEntry> actorEntries(const db::Database& db);
// Shapes as "Skin(%d)" with their name and part.
std::vector<ListEntry> shapeEntries(const db::Database& db);
// Materials with their colour.
std::vector<ListEntry> materialEntries(const db::Database& db);
// Mappings from 1 on (mapinfo 0 is the default).
std::vector<ListEntry> mappingEntries(const db::Database& db);

QString blockName(const db::Database& db, int block);
QString rigidName(const db::Database& db, int rigid);
QString actorName(const db::Database& db, int actor);
int selectedShapeCount(const db::Database& db);

// The statements that make the visible shapes of these parts (or these shapes) selected,
// through the face browse; empty when there is none.
std::string selectPartsStatements(const db::Database& db, std::span<const int> blocks);
std::string selectShapesStatements(const db::Database& db, std::span<const int> shapes);

// `let variable "name"; `, or nothing when the name cannot be one: empty, longer than
// kNameBytes bytes, or holding a quote or a control character, which would end the literal.
std::optional<std::string> letName(const char* variable, const QString& name);

// printf-style composition of a statement string.
std::string statements(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace rz::app
