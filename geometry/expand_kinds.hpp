#pragma once
// The generator of every parametric kind. Each checks the room it needs, appends its axes,
// patch entries and one shape record, and returns kOk, or kFail after its message with
// nothing appended.

#include "db/database.hpp"
#include "geometry/expansion_writer.hpp"
#include "platform/message_service.hpp"

namespace rz::geometry {

int expandBox(db::Database& db, platform::MessageService& msg, const ExpandJob& job);
int expandQuad(db::Database& db, platform::MessageService& msg, const ExpandJob& job);
int expandGridPlane(db::Database& db, platform::MessageService& msg, const ExpandJob& job);
int expandRevolve(db::Database& db, platform::MessageService& msg, const ExpandJob& job);
int expandDisc(db::Database& db, platform::MessageService& msg, const ExpandJob& job);
int expandRing(db::Database& db, platform::MessageService& msg, const ExpandJob& job);
int expandBall(db::Database& db, platform::MessageService& msg, const ExpandJob& job);

}  // namespace rz::geometry
