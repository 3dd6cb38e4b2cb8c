// The light commands: the sixteen lights of the renderer mirrored in the light variables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record_test_support.hpp"

namespace rz::test {
namespace {

using Texts = std::vector<std::string>;
namespace smsg = script::msg;

constexpr const char* kStored = "■■　光源パラメータの登録，ＯＫ！　■■ \n";
constexpr const char* kCalled = "■■　光源パラメータ設定の呼び出し，ＯＫ！　■■ \n";
constexpr const char* kNegative = "WARNING!!: 光源番号が負値になっています。（修正済）\n";
constexpr const char* kTooLarge = "WARNING!!: 光源番号が最大設定数を超えています。（修正済）\n";

class LightTest : public RecordTest {};

TEST_F(LightTest, NewLightsUpToSixteen) {
    for (int n = 2; n <= 16; ++n) {
        runFresh("new.light;");
        EXPECT_EQ(statuses(), Texts{"■■　光源パラメータの新規設定，ＯＫ！　■■ \n"});
        EXPECT_EQ(model.lightCount, n);
        EXPECT_EQ(model.currentLight, n - 1);
        EXPECT_EQ(scalar("l.max"), n);
        EXPECT_EQ(scalar("l.point"), n - 1);
    }
    runFresh("new.light;");
    EXPECT_EQ(systemBoxes(), Texts{"ＥＲＲＯＲ！　光源設定は 16 個までしか出来ません。 \n"});
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.lightCount, 16);
}

TEST_F(LightTest, SetAndSavePutTheVariablesIntoALight) {
    runFresh("let l.pos 1 2 3; let l.kind POINT; set.light;");
    EXPECT_EQ(statuses(), Texts{kStored});
    EXPECT_EQ(model.lights[0].pos, (Vec3{1, 2, 3}));
    EXPECT_EQ(model.lights[0].kind, 2);

    runFresh("var v; v = 5; let l.gain 0.5; save.light v;");
    EXPECT_EQ(statuses(), Texts{kStored});
    EXPECT_EQ(model.currentLight, 5);
    EXPECT_EQ(model.lights[5].gain, 0.5f);

    runFresh("v = 16; save.light v;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));
    EXPECT_EQ(model.currentLight, 5);
}

struct NumCase {
    int from;
    const char* statement;
    int current;
    Texts status;
};

const NumCase kNumCases[] = {
    {0, "num.light 3;", 3, {kCalled}},
    {3, "num.light INC;", 4, {kCalled}},
    {0, "num.light DEC;", 0, {kNegative, kCalled}},
    {15, "num.light INC;", 15, {kTooLarge, kCalled}},
    {2, "num.light 40;", 15, {kTooLarge, kCalled}},
};

TEST_F(LightTest, NumCallsALightIntoTheVariablesWithoutMovingThePoint) {
    model.lights[4].gain = 4.0f;
    model.lights[15].gain = 15.0f;
    for (const NumCase& c : kNumCases) {
        model.currentLight = c.from;
        runFresh(c.statement);
        EXPECT_EQ(model.currentLight, c.current) << c.statement;
        EXPECT_EQ(statuses(), c.status) << c.statement;
        EXPECT_EQ(scalar("l.gain"), model.lights[c.current].gain) << c.statement;
        EXPECT_EQ(scalar("l.point"), 0.0f) << c.statement;
    }
}

TEST_F(LightTest, LightSelectsByNumberModulo256) {
    runFresh("let l.gain 2; light 3;");
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.currentLight, 3);
    EXPECT_EQ(scalar("l.point"), 3.0f);
    EXPECT_EQ(model.lights[3].gain, 2.0f);

    runFresh("light 258;");
    EXPECT_EQ(model.currentLight, 2);

    runFresh("light 20;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kBadParam), kRunFailed}));
    EXPECT_EQ(model.currentLight, 0);
    EXPECT_EQ(scalar("l.point"), 2.0f);
}

TEST_F(LightTest, CancelGivesTheNewLightBack) {
    runFresh("new.light; new.light; cancel.new.light;");
    EXPECT_EQ(model.lightCount, 2);
    EXPECT_EQ(scalar("l.max"), 2.0f);
    EXPECT_EQ(scalar("l.point"), 2.0f);
    runFresh("cancel.new.light; cancel.new.light;");
    EXPECT_EQ(model.lightCount, 1);
}

TEST_F(LightTest, SetLightnoReportsTheCountBelowSixteen) {
    runFresh("var n; new.light; set.lightno n;");
    EXPECT_EQ(scalar("n"), 2.0f);
    model.lightCount = 16;
    runFresh("set.lightno n;");
    EXPECT_EQ(scalar("n"), 15.0f);
    EXPECT_EQ(model.lightCount, 15);
}

}  // namespace
}  // namespace rz::test
