#pragma once
// An interpreter and model store right after start-up, its messages recorded, and the
// helpers to look at them the way a user does: through print statements.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "db/settings.hpp"
#include "platform/recording_sink.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace rz::test {

class StartedDatabase : public ::testing::Test {
  protected:
    explicit StartedDatabase(const db::Settings& settings = {}) { w.start(settings); }

    // Runs a command string, as a menu would.
    void run(const std::string& text) { script::execCommandString(in, 0, text.c_str()); }

    // What "print ITEMS;" shows in the status bar, or the first error box when it failed.
    std::string print(const std::string& items) {
        sink.clear();
        run("print " + items + ";");
        if (!sink.boxes().empty()) return "box: " + sink.boxes().front();
        return sink.statuses().empty() ? "nothing shown" : sink.statuses().back();
    }

    platform::RecordingSink sink;
    workstation::Workstation w{sink};
    platform::MessageService& msg = w.msg;
    script::Interp& in = w.interp;
    db::Database& model = w.db;
};

// The texts print gives for a number and a vector.
inline std::string printed(double v) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), " %f\n", v);
    return text.data();
}
inline std::string printed(double x, double y, double z) {
    std::array<char, 160> text{};
    std::snprintf(text.data(), text.size(), " ( %f %f %f )\n", x, y, z);
    return text.data();
}

}  // namespace rz::test
