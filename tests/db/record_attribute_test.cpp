// The attribute commands as the material dialog and data files use them: the pending new
// attribute, linking to the selected shapes, the trial attribute, deleting, loading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record_test_support.hpp"

namespace rz::test {
namespace {

using Texts = std::vector<std::string>;
namespace smsg = script::msg;

constexpr const char* kPending = "※　現在の設定の登録を済ませて下さい。（新規登録不可！） \n";
constexpr const char* kStored = "■■　質感パラメータの登録，ＯＫ！　■■ \n";
constexpr const char* kLinked = "■■　質感パラメータのリンク，ＯＫ！　■■ \n";
constexpr const char* kFull = "ＥＲＲＯＲ！　質感設定は 6 個までしか出来ません。 \n";

class AttributeTest : public RecordTest {
  protected:
    // Attributes 1 … n − 1 made the way the material dialog makes them, each with its own
    // diffuse value (a * 0.1).
    void makeAttributes(int n) {
        for (int a = model.attributeCount; a < n; ++a) {
            runFresh("new.atr; diffuse = " + std::to_string(a) +
                     " * 0.1; set.atr; save.atr atr.point;");
            ASSERT_EQ(errors(), Texts{});
        }
    }
    float diffuseOf(int a) { return model.attributes[a].diffuse; }
};

TEST_F(AttributeTest, NewAttributeWaitsUntilTheLastOneIsStored) {
    runFresh("diffuse = 0.25; new.atr;");
    EXPECT_EQ(model.attributeCount, 2);
    EXPECT_EQ(scalar("atr.point"), 1.0f);
    EXPECT_EQ(model.currentAttribute, 1);
    EXPECT_FLOAT_EQ(diffuseOf(1), 0.25f);

    runFresh("new.atr;");
    EXPECT_EQ(statuses(), Texts{kPending});
    EXPECT_EQ(model.attributeCount, 2);

    runFresh("save.atr atr.point; new.atr;");
    EXPECT_EQ(statuses(), Texts{kStored});
    EXPECT_EQ(model.attributeCount, 3);
    EXPECT_EQ(scalar("atr.point"), 2.0f);
}

TEST_F(AttributeTest, CancelGivesThePendingAttributeBack) {
    runFresh("new.atr; cancel.new.atr;");
    EXPECT_EQ(model.attributeCount, 1);
    // The point names the record just given back, beyond the count.
    EXPECT_EQ(scalar("atr.point"), 1.0f);
    runFresh("new.atr;");
    EXPECT_EQ(statuses(), Texts{});
    EXPECT_EQ(model.attributeCount, 2);
    // Without a pending attribute there is nothing to cancel.
    runFresh("save.atr atr.point; cancel.new.atr;");
    EXPECT_EQ(model.attributeCount, 2);
}

TEST_F(AttributeTest, AFullStoreRefusesNewAttributes) {
    makeAttributes(6);
    runFresh("new.atr;");
    EXPECT_EQ(systemBoxes(), Texts{kFull});
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.attributeCount, 6);
}

TEST_F(AttributeTest, LinkGivesTheSelectedShapesTheAttribute) {
    makeAttributes(3);
    addShape(0, 1);
    addShape(0, 0);
    addShape(0, 1);
    runFresh("new.atr; var a; a = 2; link.atr a;");
    EXPECT_EQ(statuses(), Texts{kLinked});
    EXPECT_EQ(model.shapes[0].attribId, 2);
    EXPECT_EQ(model.shapes[1].attribId, 0);
    EXPECT_EQ(model.shapes[2].attribId, 2);
    // The link ended the pending state.
    runFresh("new.atr;");
    EXPECT_EQ(statuses(), Texts{});

    runFresh("a = 9; link.atr a;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));
    EXPECT_EQ(model.shapes[0].attribId, 2);
}

struct NumCase {
    int from;
    const char* statement;
    int selected;
    const char* status;
};

// Attributes 0 … 3 exist: the count is 4.
const NumCase kNumCases[] = {
    {0, "num.atr 2;", 2, nullptr},
    {3, "num.atr INC;", 4, nullptr},
    {4, "num.atr INC;", 4, "WARNING!!: 質感番号が最大設定数を超えています。（修正済）\n"},
    {0, "num.atr DEC;", 0, "WARNING!!: 質感番号が負値になっています。（修正済）\n"},
    {2, "num.atr DEC;", 1, nullptr},
};

TEST_F(AttributeTest, NumStepsFromTheAttributePoint) {
    makeAttributes(4);
    for (const NumCase& c : kNumCases) {
        run("let atr.point " + std::to_string(c.from) + ";");
        runFresh(c.statement);
        EXPECT_EQ(scalar("atr.point"), c.selected) << c.statement;
        EXPECT_EQ(model.currentAttribute, c.selected) << c.statement;
        EXPECT_EQ(statuses(), c.status ? Texts{c.status} : Texts{}) << c.statement;
    }
    runFresh("num.atr 2;");
    EXPECT_FLOAT_EQ(scalar("diffuse"), 0.2f);
}

TEST_F(AttributeTest, LoadAddsTheBaseFromTwoOn) {
    makeAttributes(3);
    const struct {
        std::int32_t base;
        int selected;
    } cases[] = {{0, 1}, {1, 1}, {2, 3}, {3, 4}};
    for (const auto& c : cases) {
        model.loadBase.attribute = c.base;
        runFresh("load.atr 1;");
        EXPECT_EQ(model.currentAttribute, c.selected) << c.base;
        EXPECT_EQ(statuses(), Texts{"■■　質感パラメータ設定の呼び出し，ＯＫ！　■■ \n"});
    }
    EXPECT_EQ(model.attributeCount, 5);
    model.loadBase.attribute = 0;
    runFresh("load.atr 6;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));
    EXPECT_EQ(model.currentAttribute, 0);
}

TEST_F(AttributeTest, InitStartsEveryAttributeAgain) {
    makeAttributes(4);
    addShape(0, 0, 3);
    runFresh("new.atr; let p.spex 77; init.atr;");
    EXPECT_EQ(statuses(), Texts{"■■　質感パラメータの初期化、終了。　■■ \n"});
    EXPECT_EQ(model.attributeCount, 1);
    EXPECT_EQ(model.shapes[0].attribId, 0);
    EXPECT_EQ(scalar("p.spex"), 5.0f);
    EXPECT_EQ(scalar("p.specl"), 0.0f);
    EXPECT_EQ(vector("a.rgb"), (Vec3{0.2f, 0.9f, 0.1f}));
    EXPECT_EQ(model.currentAttribute, 1);
    EXPECT_EQ(model.attributes[0].specularExponent, 5.0f);
    EXPECT_EQ(model.attributes[1].specularExponent, 5.0f);
    EXPECT_FLOAT_EQ(model.attributes[1].diffuse, 0.6f);
    // The pending attribute went with the others.
    runFresh("new.atr;");
    EXPECT_EQ(model.attributeCount, 2);
}

TEST_F(AttributeTest, DeleteMovesLaterAttributesAndTheirShapesDown) {
    makeAttributes(6);
    for (int a = 0; a < 6; ++a) addShape(0, 0, a);
    runFresh("var v; v = 3; let atr.point 5; atr.delete v;");
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.attributeCount, 5);
    const int expected[] = {0, 1, 2, 0, 3, 4};
    for (int s = 0; s < 6; ++s) EXPECT_EQ(model.shapes[s].attribId, expected[s]) << s;
    EXPECT_FLOAT_EQ(diffuseOf(3), 0.4f);
    EXPECT_FLOAT_EQ(diffuseOf(4), 0.5f);
    EXPECT_EQ(scalar("atr.point"), 4.0f);
}

TEST_F(AttributeTest, DeleteRefusesNumbersOutsideTheAttributes) {
    makeAttributes(3);
    const struct {
        const char* value;
        const char* message;
    } cases[] = {
        {"0", "質感番号に０以下の値が設定されています。\n"},
        {"-2", "質感番号に０以下の値が設定されています。\n"},
        {"3", "質感番号が設定範囲を超えています。\n"},
        {"40", "質感番号が設定範囲を超えています。\n"},
    };
    run("var v;");
    for (const auto& c : cases) {
        runFresh(std::string("v = ") + c.value + "; atr.delete v;");
        EXPECT_EQ(errors(), (Texts{errorText(c.message), kRunFailed})) << c.value;
        EXPECT_EQ(model.attributeCount, 3);
    }
}

TEST_F(AttributeTest, TrialShowsTheVariablesOnTheSelectionUntilUntested) {
    makeAttributes(3);
    addShape(0, 1, 1);
    addShape(0, 0, 2);
    addShape(0, 1, 2);
    runFresh("num.atr 1; diffuse = 0.9; test.atr;");
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.shapes[0].attribId, 5);
    EXPECT_EQ(model.shapes[1].attribId, 2);
    EXPECT_EQ(model.shapes[2].attribId, 5);
    EXPECT_FLOAT_EQ(diffuseOf(5), 0.9f);
    EXPECT_FLOAT_EQ(diffuseOf(1), 0.1f);
    EXPECT_EQ(model.currentAttribute, 1);

    // A second trial keeps what the shapes had before the first.
    runFresh("diffuse = 0.8; test.atr; diffuse = 0; untest.atr;");
    EXPECT_FLOAT_EQ(scalar("diffuse"), 0.8f);
    EXPECT_EQ(model.shapes[0].attribId, 1);
    EXPECT_EQ(model.shapes[1].attribId, 2);
    EXPECT_EQ(model.shapes[2].attribId, 2);
    EXPECT_EQ(model.currentAttribute, 1);
}

TEST_F(AttributeTest, UntestLeavesShapesWithoutATrialAlone) {
    makeAttributes(3);
    addShape(0, 1, 2);
    runFresh("untest.atr;");
    EXPECT_EQ(model.shapes[0].attribId, 2);
}

TEST_F(AttributeTest, TrialNeedsRoomTwoPastTheCount) {
    makeAttributes(4);
    addShape(0, 1, 3);
    runFresh("test.atr;");
    EXPECT_EQ(systemBoxes(), Texts{kFull});
    EXPECT_EQ(model.shapes[0].attribId, 3);
}

TEST_F(AttributeTest, CapaAndSetCountReportTheStore) {
    makeAttributes(3);
    runFresh("capa.atr;");
    EXPECT_EQ(systemBoxes(), Texts{"■■　質感パラメータの残り登録数: 3 ( 50 ％ )　■■ \n"});
    makeAttributes(6);
    runFresh("set.atrcount atr.max;");
    EXPECT_EQ(model.attributeCount, 5);
    EXPECT_EQ(scalar("atr.max"), 5.0f);
}

}  // namespace
}  // namespace rz::test
