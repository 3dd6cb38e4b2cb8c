#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.hpp"

namespace rz::test {
namespace {

app::CommandLine parse(std::vector<const char*> args) {
    args.insert(args.begin(), "rovora_z");
    return app::parseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLine, OptionsAndActionsInOrder) {
    const app::CommandLine cl =
        parse({"--headless", "-e", "nop;", "a.sub", "--ini", "x.ini", "-e", "wire;", "b.pts"});
    EXPECT_TRUE(cl.error.empty());
    EXPECT_TRUE(cl.headless);
    EXPECT_EQ(cl.iniFile, "x.ini");
    ASSERT_EQ(cl.actions.size(), 4u);
    using K = app::StartAction::Kind;
    EXPECT_EQ(cl.actions[0].kind, K::Statements);
    EXPECT_EQ(cl.actions[0].text, "nop;");
    EXPECT_EQ(cl.actions[1].kind, K::Script);
    EXPECT_EQ(cl.actions[1].text, "a.sub");
    EXPECT_EQ(cl.actions[2].text, "wire;");
    EXPECT_EQ(cl.actions[3].text, "b.pts");
}

TEST(CommandLine, BadCommandLines) {
    for (const auto& args : std::vector<std::vector<const char*>>{
             {"-e"}, {"--ini"}, {"--bogus"}, {"-x", "a"}, {"--import-dxf"}}) {
        EXPECT_FALSE(parse(args).error.empty()) << args.front();
    }
    EXPECT_TRUE(parse({"--help"}).help);
    EXPECT_TRUE(parse({"--version"}).version);
    EXPECT_TRUE(parse({"-"}).error.empty());
}

}  // namespace
}  // namespace rz::test
