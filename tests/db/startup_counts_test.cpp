// Right after start-up, the counts as a user sees them: the capa. reports give what is
// left of each store, that is its capacity less the records already in use.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "started_database.hpp"

namespace rz::test {
namespace {

class StartupCounts : public StartedDatabase {};

TEST_F(StartupCounts, CapacityReportsShowTheReservedRecordsInUse) {
    struct Case {
        const char* command;
        const char* report;
    };
    // Block, attribute, mapinfo, maplist and actor record 0 are taken; rigids and links are
    // empty.
    const std::vector<Case> cases = {
        {"capa.block;", "■■　パーツブロックパラメータの残り登録数: 999 ( 99 ％ )　■■ \n"},
        {"capa.atr;", "■■　質感パラメータの残り登録数: 1499 ( 99 ％ )　■■ \n"},
        {"capa.mapinfo;", "■■　Mapinfo(list)残り登録数: 1999 ( 99 % ) 3999 ( 99 % )　■■\n"},
        {"capa.rigid;", "■■　関節点設定(リンク)残り登録数: 1000 ( 100 % ) 2000 ( 100 % )　■■ \n"},
        {"capa.actor;", "■■　運動モデル設定残り登録数: 99 ( 99 % )　■■ \n"},
    };
    for (const Case& c : cases) {
        sink.clear();
        run(c.command);
        ASSERT_EQ(sink.log.size(), 1u) << c.command;
        EXPECT_EQ(sink.log[0].title, "Message for System.") << c.command;
        EXPECT_EQ(sink.log[0].text, c.report) << c.command;
    }
}

TEST_F(StartupCounts, CurrentRecordsAreRecordZeroOrOne) {
    // The point variables name the current records; attribute 1 and mapinfo 1 were put
    // last at start-up but the variables still say record 0.
    EXPECT_EQ(print("b.point, atr.point, mi.point, ml.point, rigid.point, actor.point"),
              " 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000\n");
    EXPECT_EQ(print("md.point, l.point, l.max, atr.max"), " 1.000000 0.000000 1.000000 1.000000\n");
}

}  // namespace
}  // namespace rz::test
