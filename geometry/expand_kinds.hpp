#pragma once
// The generator of every parametric kind. Each checks the room it needs, appends its axes,
// patch entries and one shape record, and returns kOk, or kFail after its message with
// nothing appended.

#include "db/database.hpp"
#include "geometry/expansion_writer.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::geometry {

script::Result expandBox(db::Database& db, platform::MessageService& msg, const ExpandJob& job);
script::Result expandQuad(db::Database& db, platform::MessageService& msg, const ExpandJob& job);
script::Result expandGridPlane(db::Database& db, platform::MessageService& msg,
                               const ExpandJob& job);
script::Result expandRevolve(db::Database& db, platform::MessageService& msg, const ExpandJob& job);
script::Result expandDisc(db::Database& db, platform::MessageService& msg, const ExpandJob& job);
script::Result expandRing(db::Database& db, platform::MessageService& msg, const ExpandJob& job);
script::Result expandBall(db::Database& db, platform::MessageService& msg, const ExpandJob& job);

}  // namespace rz::geometry
