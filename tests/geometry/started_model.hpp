#pragma once
// An interpreter and model right after start-up, its messages recorded, for the geometry
// commands as scripts and menus use them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/settings.hpp"
#include "platform/recording_sink.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

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
    explicit StartedModel(const db::Settings& settings = smallModelSettings()) {
        w.start(settings);
    }

    // Runs a command string, as a menu would; the boxes it showed.
    std::vector<std::string> run(const std::string& text) {
        sink.clear();
        script::execCommandString(in, 0, text.c_str());
        return sink.boxes();
    }

    platform::RecordingSink sink;
    workstation::Workstation w{sink};
    platform::MessageService& msg = w.msg;
    script::Interp& in = w.interp;
    db::Database& model = w.db;
};

inline const std::string kRunFailed = "ERROR: ERROR Occured! in execution.";

}  // namespace rz::test
