// Installing the subsystems' command rows into the handler table.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "interp_fixture.hpp"
#include "script/command_install.hpp"
#include "script/language_commands.hpp"

namespace rz::test {
namespace {

using script::CommandRow;
using script::CommandRows;
using script::InstallFault;

script::Result first(script::Interp&) {
    return script::kOk;
}
script::Result second(script::Interp&) {
    return script::kFail;
}

std::size_t row(std::string_view name, std::size_t from = 0) {
    const auto* at =
        std::find(script::kCommandNames.begin() + from, script::kCommandNames.end(), name);
    return static_cast<std::size_t>(at - script::kCommandNames.begin());
}

class CommandInstallTest : public InterpTest {};

TEST_F(CommandInstallTest, EveryRowOfANameGetsItsHandlerAndTheRestKeepThePlaceholder) {
    const std::array<CommandRow, 2> rows{{{"nop", first}, {"dummy", second}}};
    const std::array<CommandRows, 1> providers{rows};
    ASSERT_FALSE(script::installCommands(in, providers));
    const std::size_t nop = row("nop");
    EXPECT_EQ(in.handlers.commands[nop], first);
    EXPECT_EQ(in.handlers.commands[row("nop", nop + 1)], first);  // the table holds nop twice
    EXPECT_EQ(in.handlers.statementCommands[0], second);
    EXPECT_EQ(in.handlers.commands[row("print")], script::notBuiltNosupport);
}

TEST_F(CommandInstallTest, AnUnknownOrDoublyGivenNameIsAFaultAndChangesNothing) {
    const std::array<CommandRow, 1> unknown{{{"no.such.command", first}}};
    const std::array<CommandRow, 2> twice{{{"print", first}, {"nop", first}}};
    const std::array<CommandRow, 1> again{{{"print", second}}};
    const struct {
        std::array<CommandRows, 2> providers;
        InstallFault::Kind kind;
        std::string_view name;
    } cases[] = {
        {{unknown, {}}, InstallFault::Kind::UnknownName, "no.such.command"},
        {{twice, again}, InstallFault::Kind::GivenTwice, "print"},
    };
    for (const auto& c : cases) {
        const script::CommandHandlers before = in.handlers;
        const InstallFault fault = script::installCommands(in, c.providers);
        EXPECT_EQ(fault.kind, c.kind) << c.name;
        EXPECT_EQ(fault.name, c.name);
        EXPECT_TRUE(in.handlers.commands == before.commands) << c.name;
    }
}

}  // namespace
}  // namespace rz::test
