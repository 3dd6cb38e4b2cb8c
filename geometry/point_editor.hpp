#pragma once
// The shape-point editor: the points of the first selected shape (layer L.SELECT and
// above) are moved one at a time. Each move lands in the shape's vertex-edit list, one
// record per vertex; finishing applies the lists (the shape becomes an explicit copy with
// the moved points), cancelling puts the list back as it was. The session lives in
// db::Database::pointEdit.

#include <span>
#include <string_view>

#include "db/database.hpp"
#include "math/value_types.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

namespace msg {
inline constexpr std::string_view kNoShapeToEdit = " 点編集する形状が選択されていません！ ";
inline constexpr std::string_view kShapeNotEditable = " この形状は点編集できません！ ";
inline constexpr std::string_view kEditListFull = " EditList データ記憶エリアが一杯です！！ ";
}  // namespace msg

// Starts a session on the first selected shape, its first point current. Without one the
// status line says so and kFail is returned; a session already running is replaced.
script::Result beginPointEdit(db::Database& db, platform::MessageService& msg);

bool pointEditActive(const db::Database& db);
// The points as they are now, with every edit of the shape added; empty without a session.
std::span<const Vec3> editedPoints(const db::Database& db);
// -1 without a session.
int currentPoint(const db::Database& db);

// Steps wrap around: after the last point comes the first, before the first the last.
void stepPoint(db::Database& db, int step);
// A point outside the shape is ignored.
void choosePoint(db::Database& db, int point);

// Adds d to the point's edit record, appending one when the vertex has none. When every
// record of the edit list is in use the message is shown and nothing changes (kFail).
script::Result movePoint(db::Database& db, platform::MessageService& msg, int point, const Vec3& d);
// Takes back the last move still in the history; false when there is none.
bool undoPointMove(db::Database& db);

// Applies the shape's edits (applyShapeEdits) and ends the session. On failure the message
// has been shown and the session goes on.
script::Result finishPointEdit(db::Database& db, platform::MessageService& msg);
// Puts the shape's edit list back as it was at the beginning and ends the session.
void cancelPointEdit(db::Database& db);

}  // namespace rz::geometry
