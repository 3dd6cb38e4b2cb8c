#pragma once
// An interpreter and model right after start-up, its messages recorded, for the geometry
// commands as scripts and menus use them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/database.hpp"
#include "db/init_database.hpp"
#include "db/settings.hpp"
#include "platform/message_service.hpp"
#include "platform/recording_sink.hpp"
#include "script/interp.hpp"
#include "script/statement.hpp"

namespace rz::test {

inline db::Settings smallModelSettings() {
    db::Settings s;
    s.capacity.axismax = 1004;  // 4 usable by checked operations, 1004 for axis.add
    s.capacity.patchmax = 6;
    s.capacity.shapemax = 5;
    s.capacity.blockmax = 6;
    s.capacity.rigidmax = 4;
    s.capacity.affinemax = 4;
    return s;
}

class StartedModel : public ::testing::Test {
  protected:
    explicit StartedModel(const db::Settings& settings = smallModelSettings())
        : msg(sink), in(msg) {
        db::initDatabase(in, model, settings);
    }

    // Runs a command string, as a menu would; the boxes it showed.
    std::vector<std::string> run(const std::string& text) {
        sink.clear();
        script::execCommandString(in, 0, text.c_str());
        return sink.boxes();
    }

    platform::RecordingSink sink;
    platform::MessageService msg;
    script::Interp in;
    db::Database model;
};

inline const std::string kRunFailed = "ERROR: ERROR Occured! in execution.";

}  // namespace rz::test
