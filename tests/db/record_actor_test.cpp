// The actor commands: figures named by one of their rigids.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record_test_support.hpp"

namespace rz::test {
namespace {

using Texts = std::vector<std::string>;
namespace smsg = script::msg;

constexpr const char* kNew = "■■　運動モデル設定パラメータ新規設定，ＯＫ！　■■ \n";
constexpr const char* kSelected = "■■　運動モデル設定パラメータの選択，ＯＫ！　■■ \n";

class ActorTest : public RecordTest {};

TEST_F(ActorTest, NewActorStartsFromTheDefaultsUntilTheStoreIsFull) {
    runFresh("let actor.name \"walker\"; let actor.start.rigid 4; new.actor;");
    EXPECT_EQ(statuses(), Texts{kNew});
    EXPECT_EQ(model.actorCount, 2);
    EXPECT_EQ(scalar("actor.point"), 1.0f);
    EXPECT_EQ(model.currentActor, 1);
    EXPECT_STREQ(model.actors[1].name.data(), "noname");
    EXPECT_EQ(model.actors[1].startRigid, 0);
    EXPECT_EQ(text("actor.name"), "noname");

    runFresh("new.actor; new.actor;");
    EXPECT_EQ(systemBoxes(), Texts{" 運動モデルデータ登録がオーバーフローしました！ ( 3 ) \n"});
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.actorCount, 3);
}

TEST_F(ActorTest, SetAndSaveStoreTheVariables) {
    runFresh("new.actor; let actor.name \"walker\"; let actor.layer 1; set.actor;");
    EXPECT_EQ(statuses().back(), "■■　運動モデル設定パラメータ設定，ＯＫ！　■■ \n");
    EXPECT_STREQ(model.actors[1].name.data(), "walker");
    EXPECT_EQ(model.actors[1].layer, 1);
    runFresh("var v; v = 2; let actor.name \"runner\"; save.actor v;");
    EXPECT_STREQ(model.actors[2].name.data(), "runner");
    EXPECT_EQ(model.currentActor, 1);
    runFresh("v = 3; save.actor v;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));
}

TEST_F(ActorTest, DeleteMovesLaterActorsAndTheirRigidsDown) {
    runFresh(
        "new.actor; let actor.name \"a\"; set.actor; new.actor; let actor.name \"b\"; set.actor;");
    model.rigidCount = 3;
    model.rigids[0].actor = 1;
    model.rigids[1].actor = 2;
    model.rigids[2].actor = -1;
    runFresh("delete.actor 1;");
    EXPECT_EQ(statuses(), Texts{"■■　運動モデル設定削除，ＯＫ！　■■ \n"});
    EXPECT_EQ(model.actorCount, 2);
    EXPECT_STREQ(model.actors[1].name.data(), "b");
    EXPECT_EQ(model.rigids[0].actor, -1);
    EXPECT_EQ(model.rigids[1].actor, 1);
    EXPECT_EQ(model.rigids[2].actor, -1);

    for (const char* s : {"delete.actor 0;", "delete.actor 2;", "delete.actor x;"}) {
        runFresh(s);
        EXPECT_EQ(errors().size(), 2u) << s;
        EXPECT_EQ(model.actorCount, 2) << s;
    }
}

TEST_F(ActorTest, NumStopsAtTheLastActor) {
    runFresh("new.actor; new.actor;");
    const struct {
        const char* statement;
        int selected;
        Texts status;
    } cases[] = {
        {"num.actor 1;", 1, {kSelected}},
        {"num.actor INC;", 2, {kSelected}},
        {"num.actor INC;",
         2,
         {"WARNING!!: 運動モデル情報番号が設定数を超えています。（修正済）", kSelected}},
        {"num.actor -4;",
         0,
         {"WARNING!!: 運動モデル情報番号が負値になっています。（修正済）", kSelected}},
    };
    for (const auto& c : cases) {
        runFresh(c.statement);
        EXPECT_EQ(scalar("actor.point"), c.selected) << c.statement;
        EXPECT_EQ(statuses(), c.status) << c.statement;
    }
}

TEST_F(ActorTest, LoadAlwaysAddsTheBaseAndFailsToActorOne) {
    model.loadBase.actor = 1;
    runFresh("load.actor 1;");
    EXPECT_EQ(errors(), Texts{});
    EXPECT_EQ(model.currentActor, 2);
    EXPECT_EQ(model.actorCount, 3);
    runFresh("load.actor 2;");
    EXPECT_EQ(errors(), (Texts{errorText(smsg::kValueNotCorrect), kRunFailed}));
    EXPECT_EQ(model.currentActor, 1);
}

TEST_F(ActorTest, InitKeepsActorZeroReserved) {
    runFresh("new.actor; new.actor; let actor.layer 3; init.actor;");
    EXPECT_EQ(statuses().back(), "■■　運動モデルデータベースの全初期化終了！　■■ \n");
    EXPECT_EQ(model.actorCount, 1);
    EXPECT_EQ(scalar("actor.point"), 0.0f);
    EXPECT_EQ(scalar("actor.layer"), 0.0f);
    runFresh("new.actor;");
    EXPECT_EQ(model.currentActor, 1);
}

TEST_F(ActorTest, CapaAndSetCountReportTheStore) {
    runFresh("capa.actor;");
    EXPECT_EQ(systemBoxes(), Texts{"■■　運動モデル設定残り登録数: 2 ( 66 % )　■■ \n"});
    runFresh("new.actor; new.actor; var n; set.actorcount n;");
    EXPECT_EQ(model.actorCount, 2);
    EXPECT_EQ(scalar("n"), 2.0f);
}

}  // namespace
}  // namespace rz::test
