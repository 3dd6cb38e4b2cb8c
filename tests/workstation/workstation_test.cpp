// Start-up of the whole workstation with the shell's own command rows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "platform/console_sink.hpp"
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

TEST(Workstation, ShellRowsJoinTheCoreOnes) {
    platform::ConsoleSink sink;
    workstation::Workstation w(sink);
    const std::array<script::CommandRow, 1> rows{{{"capa.mdl", shellHandler}}};
    const std::array<script::CommandRows, 1> shell{rows};
    w.start(db::Settings{}, shell);
    script::execCommandString(w.interp, 0, "capa.mdl; print 1;");
    EXPECT_EQ(w.msg.errorCount(), 0);
}

}  // namespace
}  // namespace rz::test
