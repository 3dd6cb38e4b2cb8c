// The layer states changed in bulk, the browse selection of shapes and block groups, and the
// toggles by attribute and mapping, on shapes and blocks set up directly in the store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/db/started_database.hpp"

namespace rz::test {
namespace {

using Layers = std::vector<int>;
using Texts = std::vector<std::string>;

const std::string kBadParam = "ERROR:  パラメータが不正です！ ";
const std::string kTooMany = "ERROR:  パラメータが多すぎます！ ";
const std::string kFailed = "ERROR: ERROR Occured! in execution.";

class LayerSelection : public StartedDatabase {
  protected:
    // Shapes with these layers and blocks; `blockLayers.size()` blocks in use.
    void setUp(const Layers& layers, const Layers& blockIds, const Layers& blockLayers) {
        model.shapeCount = static_cast<int>(layers.size());
        for (std::size_t i = 0; i < layers.size(); ++i) {
            model.shapes[i].layer = static_cast<std::uint8_t>(layers[i]);
            model.shapes[i].shapeId = static_cast<std::uint32_t>(blockIds[i]);
        }
        model.blockCount = static_cast<int>(blockLayers.size());
        for (std::size_t b = 0; b < blockLayers.size(); ++b)
            model.blocks[b].layer = static_cast<std::uint8_t>(blockLayers[b]);
    }
    Layers shapeLayers() const {
        Layers out;
        for (int i = 0; i < model.shapeCount; ++i) out.push_back(model.shapes[i].layer);
        return out;
    }
    Layers blockLayers() const {
        Layers out;
        for (int b = 0; b < model.blockCount; ++b) out.push_back(model.blocks[b].layer);
        return out;
    }
    Texts runBoxes(const std::string& text) {
        sink.clear();
        run(text);
        return sink.boxes();
    }
};

TEST_F(LayerSelection, BulkLayerCommands) {
    const Layers shapes{0, 1, 2, 10, 100, 101};
    const Layers blocks{0, 0, 1, 2, 100};
    const struct {
        const char* statement;
        Layers shapes;
        Layers blocks;
        Texts boxes;
    } cases[] = {
        {"rev.layer;", {1, 0, 2, 10, 100, 101}, {1, 1, 0, 2, 100}, {}},
        {"rev.layer; rev.layer;", shapes, blocks, {}},
        {"hide.layer;", {2, 1, 2, 10, 100, 101}, {2, 2, 1, 2, 100}, {}},
        // Hidden records stay hidden under 0; block 0 is never changed.
        {"set.layer;", {0, 0, 2, 10, 0, 0}, {0, 0, 0, 2, 0}, {}},
        {"set.layer L.ACTIVE;", {1, 1, 1, 10, 1, 1}, {0, 1, 1, 1, 1}, {}},
        {"set.select 1;", {0, 1, 2, 10, 101, 101}, {0, 0, 1, 2, 101}, {}},
        // Blocks keep their highlight.
        {"reset.select;", {0, 1, 2, 10, 0, 1}, blocks, {}},
        // A state is one byte, with room for the highlight under set.select.
        {"set.layer 256;", shapes, blocks, {kBadParam, kFailed}},
        {"set.select 156;", shapes, blocks, {kBadParam, kFailed}},
        {"set.layer \"x\";", shapes, blocks, {kBadParam, kFailed}},
        {"set.layer 1, 2;", shapes, blocks, {kTooMany, kFailed}},
        {"rev.layer 1;", shapes, blocks, {kTooMany, kFailed}},
    };
    for (const auto& c : cases) {
        setUp(shapes, Layers(shapes.size(), 1), blocks);
        EXPECT_EQ(runBoxes(c.statement), c.boxes) << c.statement;
        EXPECT_EQ(shapeLayers(), c.shapes) << c.statement;
        EXPECT_EQ(blockLayers(), c.blocks) << c.statement;
    }
}

// Seven shapes in the block groups 0-1, 2-4 and 5-6 of blocks 1, 2 and 3.
TEST_F(LayerSelection, BrowseStepsThroughShapesAndBlockGroups) {
    const Layers none(7, 0);
    const std::string kNothing = " 全形状選択不能！！ \n";
    const struct {
        const char* statement;
        Layers before;
        Layers after;
        Texts boxes;
        Texts statuses;
    } cases[] = {
        {"sel.jump.block MID.JUMP;", none, {0, 0, 100, 100, 100, 0, 0}, {}, {}},
        {"select.block;", none, {100, 100, 0, 0, 0, 0, 0}, {"bpcount : 1\n"}, {}},
        {"select.block; select.block 1;",
         none,
         {0, 0, 100, 100, 100, 0, 0},
         {"bpcount : 1\n", "bpcount : 2\n"},
         {}},
        {"select.block 2;", none, {0, 0, 0, 0, 0, 100, 100}, {"bpcount : 3\n"}, {}},
        {"select.block 9;", none, {0, 0, 0, 0, 0, 100, 100}, {"bpcount : 3\n"}, {}},
        {"select.block 2; select.block -1;",
         none,
         {0, 0, 100, 100, 100, 0, 0},
         {"bpcount : 3\n", "bpcount : 2\n"},
         {}},
        {"select.block 2; select.block -9;",
         none,
         {100, 100, 0, 0, 0, 0, 0},
         {"bpcount : 3\n", "bpcount : 1\n"},
         {}},
        {"select.block; select.block SEL.CLOSE;", none, none, {"bpcount : 1\n"}, {}},
        // Hidden shapes of the group are not highlighted.
        {"select.block 1;",
         {0, 0, 2, 0, 0, 0, 0},
         {0, 0, 2, 100, 100, 0, 0},
         {"bpcount : 2\n"},
         {}},
        {"select.face;", none, {100, 0, 0, 0, 0, 0, 0}, {}, {}},
        {"select.face 3; select.face -2;", none, {0, 100, 0, 0, 0, 0, 0}, {}, {}},
        {"select.face 3; select.face 10;", none, {0, 0, 0, 100, 0, 0, 0}, {}, {}},
        // The highlight goes on once, however often the same shape is browsed.
        {"select.face; select.face; select.face SEL.CLOSE;",
         {1, 0, 0, 0, 0, 0, 0},
         {1, 0, 0, 0, 0, 0, 0},
         {},
         {}},
        {"sel.jump.face NEW.JUMP;", none, {0, 0, 0, 0, 0, 0, 100}, {}, {}},
        {"select.face;", {2, 2, 0, 0, 0, 0, 0}, {2, 2, 100, 0, 0, 0, 0}, {}, {}},
        {"select.face;", Layers(7, 2), Layers(7, 2), {}, {kNothing}},
        {"select.block;", Layers(7, 2), Layers(7, 2), {}, {kNothing}},
        {"sel.jump.face 5;", none, none, {kBadParam, kFailed}, {}},
    };
    for (const auto& c : cases) {
        setUp(c.before, {1, 1, 2, 2, 2, 3, 3}, {0, 0, 0, 0});
        model.selection = {};
        sink.clear();
        run(c.statement);
        EXPECT_EQ(sink.boxes(), c.boxes) << c.statement;
        EXPECT_EQ(sink.statuses(), c.statuses) << c.statement;
        EXPECT_EQ(shapeLayers(), c.after) << c.statement;
    }

    setUp({}, {}, {0});
    EXPECT_EQ(runBoxes("sel.jump.face TOP.JUMP;"),
              (Texts{"ERROR:  Shape データベースインデックス値が異常です！！ ", kFailed}));
}

// Shapes 0 … 3 of blocks 1, 1, 2, 2 with attributes 1, 1, 2, 1; mapping chains: shape 0
// maplists 1 → 2 (mapinfos 5, 7), shape 1 maplist 2 (mapinfo 7), shape 2 none, shape 3 as 0.
TEST_F(LayerSelection, TogglesByAttributeAndMapping) {
    const struct {
        const char* statement;
        bool loopedChain;
        Layers shapes;
        Layers blocks;
    } cases[] = {
        {"sel.block.attri 1;", false, {1, 0, 0, 1}, {0, 0, 1}},
        {"sel.block.attri 1; sel.block.attri 1;", false, {0, 1, 0, 0}, {0, 1, 0}},
        {"sel.block.attri 2;", false, {0, 1, 1, 0}, {0, 0, 1}},
        {"sel.block.attri;", false, {0, 1, 0, 0}, {0, 0, 0}},
        {"sel.block.mapping 7;", false, {1, 0, 0, 1}, {0, 0, 1}},
        {"sel.block.mapping 5;", false, {1, 1, 0, 1}, {0, 1, 1}},
        {"sel.block.mapping;", false, {0, 1, 0, 0}, {0, 0, 0}},
        // A chain that loops back on itself ends all the same.
        {"sel.block.mapping 9;", true, {0, 1, 0, 0}, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        setUp({0, 1, 0, 0}, {1, 1, 2, 2}, {0, 0, 0});
        const int attributes[] = {1, 1, 2, 1};
        const int chains[] = {1, 2, 0, 1};
        for (int i = 0; i < 4; ++i) {
            model.shapes[i].attribId = static_cast<std::uint16_t>(attributes[i]);
            model.shapes[i].textureId = static_cast<std::uint16_t>(chains[i]);
        }
        model.maplists[1] = {5, 2};
        model.maplists[2] = {7, static_cast<std::int16_t>(c.loopedChain ? 1 : 0)};
        model.maplistCount = 3;
        sink.clear();
        run(c.statement);
        EXPECT_EQ(sink.boxes(), Texts{}) << c.statement;
        EXPECT_EQ(shapeLayers(), c.shapes) << c.statement;
        EXPECT_EQ(blockLayers(), c.blocks) << c.statement;
    }
}

}  // namespace
}  // namespace rz::test
