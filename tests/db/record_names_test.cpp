// "@name": actors, then rigids, then blocks, then shapes, each first by index, and only the
// records in use.
#include <gtest/gtest.h>

#include <cstring>

#include "db/record_names.hpp"
#include "started_database.hpp"

namespace rz::test {
namespace {

using script::Tok;

template <std::size_t N>
void name(std::array<char, N>& field, const char* text) {
    field.fill('\0');
    std::memcpy(field.data(), text, std::strlen(text));
}

class RecordNamesTest : public StartedDatabase {
  protected:
    RecordNamesTest() {
        model.shapeCount = 3;
        model.blockCount = 3;
        model.rigidCount = 2;
        model.actorCount = 2;
        name(model.shapes[2].name, "arm");
        name(model.blocks[1].name, "arm");
        name(model.blocks[2].name, "arm");
        name(model.rigids[1].name, "elbow");
        name(model.actors[1].name, "elbow");
        name(model.shapes[1].name, "hand");
        name(model.blocks[2].name, "leg");
    }
};

TEST_F(RecordNamesTest, SearchesActorsRigidsBlocksShapesInThatOrder) {
    const db::RecordNames names(model);
    const struct {
        const char* name;
        Tok kind;
        int index;
    } cases[] = {
        {"elbow", Tok::ActorRef, 1},  // an actor wins over a rigid of the same name
        {"arm", Tok::BlockRef, 1},    // a block wins over a shape, the first block over later ones
        {"hand", Tok::ShapeRef, 1},
        {"leg", Tok::BlockRef, 2},
    };
    for (const auto& c : cases) {
        Tok kind = Tok::Undefined;
        int index = -1;
        ASSERT_TRUE(names.findRecordByName(c.name, kind, index)) << c.name;
        EXPECT_EQ(kind, c.kind) << c.name;
        EXPECT_EQ(index, c.index) << c.name;
    }
}

TEST_F(RecordNamesTest, RecordsBeyondTheCountsAreNotSearched) {
    name(model.blocks[5].name, "spare");
    Tok kind = Tok::Undefined;
    int index = -1;
    EXPECT_FALSE(db::RecordNames(model).findRecordByName("spare", kind, index));
    EXPECT_FALSE(db::RecordNames(model).findRecordByName("ar", kind, index));
}

}  // namespace
}  // namespace rz::test
