// Start-up of the whole workstation with the shell's own command rows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "platform/console_sink.hpp"
#include "script/command_table.hpp"
#include "script/language_commands.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace rz::test {
namespace {

script::Result shellHandler(script::Interp&) {
    return script::kOk;
}

void startWith(std::span<const script::CommandRow> shellRows) {
    platform::ConsoleSink sink;
    workstation::Workstation w(sink);
    const std::array<script::CommandRows, 1> shell{shellRows};
    w.start(db::Settings{}, shell);
    std::_Exit(0);
}

TEST(WorkstationDeathTest, ShellRowsThatDoNotFitTheTableEndStartUp) {
    const std::array<script::CommandRow, 1> unknown{{{"no.such.command", shellHandler}}};
    const std::array<script::CommandRow, 1> twice{{{"print", shellHandler}}};
    EXPECT_EXIT(startWith(unknown), ::testing::ExitedWithCode(255),
                ::testing::HasSubstr("command \"no.such.command\" is not in the command table"));
    EXPECT_EXIT(startWith(twice), ::testing::ExitedWithCode(255),
                ::testing::HasSubstr("command \"print\" is given twice"));
}

// The core now gives every command of the table: no row is left to the placeholder that
// answers "not supported", except the language's own "nosupport".
TEST(Workstation, EveryCommandHasItsHandler) {
    platform::ConsoleSink sink;
    workstation::Workstation w(sink);
    w.start(db::Settings{});
    for (std::size_t i = 0; i < script::kCommandNames.size(); ++i) {
        if (script::kCommandNames[i] == "nosupport") continue;
        EXPECT_NE(w.interp.handlers.commands[i], &script::notBuiltNosupport)
            << script::kCommandNames[i];
    }
}

}  // namespace
}  // namespace rz::test
