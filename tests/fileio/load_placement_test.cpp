// A file read into a model that already holds records: whatever the model held, every
// appended record must refer to the file's own records, never to the model's.

#include "file_fixture.hpp"
#include "model_compare.hpp"
#include "sample_model.hpp"

namespace rz::test {
namespace {

class LoadPlacementTest : public FileTest {};

struct Before {
    const char* what;
    const char* commands;  // %s: the test's folder
};

// Models whose counts take each of the load rules' edge cases.
const std::vector<Before> kModels{
    {"empty", ""},
    {"shapes but only the reserved block", "mdladd \"%s/grid.mdl\";"},
    {"one block without shapes", "load.block 1; set.block;"},
    {"blocks without shapes", "load.block 3; set.block;"},
    {"an image but no mapping", "read \"%s/image.map\";"},
    {"images, attributes and a joint",
     "read \"%s/image.map\"; read \"%s/image.map\"; load.atr 4; set.atr; mdladd \"%s/grid.mdl\";"
     "load.block 2; set.block; load.rigid 0; set.rigid; load.rlink 0; set.rlink; load.actor 1;"
     "set.actor;"},
};

std::string withDir(const char* commands, const std::string& dir) {
    std::string out;
    for (const char* p = commands; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            out += dir;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

std::string name(const std::array<char, 64>& field) {
    return text(field.data(), field.size());
}
std::string name(const std::array<char, 32>& field) {
    return text(field.data(), field.size());
}

TEST_F(LoadPlacementTest, AppendedRecordsReferToTheFilesOwnRecords) {
    writeFile("grid.mdl", "m 1\ng 2 2\n0 0 0 1 0 0 0 1 0 1 1 0\n");
    {
        Workstation source;
        buildSampleModel(source, dir_, true);
        for (const char* f : {"s.pts", "s.ptb", "s.mms", "s.mmb"})
            ASSERT_TRUE(source.run("write " + quoted(f)).empty()) << f;
    }
    for (const char* file : {"s.pts", "s.ptb", "s.mms", "s.mmb"}) {
        for (const Before& m : kModels) {
            SCOPED_TRACE(std::string(file) + " into a model with " + m.what);
            Workstation ws;
            ASSERT_TRUE(ws.run(withDir(m.commands, dir_)).empty());
            const std::int32_t firstShape = ws.model.shapeCount;
            const std::int32_t firstAxis = ws.model.axisCount;
            ASSERT_TRUE(ws.run("read " + quoted(file)).empty());
            const db::Database& d = ws.model;
            ASSERT_EQ(d.shapeCount, firstShape + 3);
            const db::Shape& grid = d.shapes[firstShape];
            const db::Shape& mesh = d.shapes[firstShape + 1];
            const db::Shape& box = d.shapes[firstShape + 2];
            EXPECT_EQ(name(grid.name), "grid");
            EXPECT_EQ(name(d.blocks[grid.shapeId].name), "plate");
            EXPECT_EQ(name(d.blocks[mesh.shapeId].name), "body");
            EXPECT_EQ(name(d.blocks[box.shapeId].name), "body");
            EXPECT_EQ(grid.axisId, static_cast<std::uint32_t>(firstAxis));
            EXPECT_EQ(d.patches[mesh.patchId + 1], firstAxis);
            EXPECT_EQ(d.affines[box.matrixId][12], 10.0);
            EXPECT_EQ(d.attributes[grid.attribId].opacity, 0.875f);
            EXPECT_EQ(d.attributes[mesh.attribId].rgb, (Vec3{1, 0, 0}));
            // The grid's mapping chain leads to the file's mapinfo and its image.
            ASSERT_GT(grid.textureId, 0);
            ASSERT_LT(grid.textureId, d.maplistCount);
            const db::Mapinfo& info = d.mapinfos[d.maplists[grid.textureId].mapinfo];
            EXPECT_EQ(info.method, 3);
            ASSERT_GT(info.texId, 0);
            ASSERT_LT(info.texId, d.mapdataCount);
            const db::Mapdata& image = d.mapdatas[info.texId];
            EXPECT_EQ(
                std::string(reinterpret_cast<const char*>(d.textureBuffer.data()) + image.offset,
                            image.size),
                sampleTexture().substr(12));
            const bool motion = std::string(file).find(".mm") != std::string::npos;
            if (!motion) {
                EXPECT_EQ(d.blocks[grid.shapeId].rlinkId, -1);
                continue;
            }
            // The joint joins the file's two blocks and belongs to the file's actor.
            const db::Rigid& hinge = d.rigids[d.rigidCount - 1];
            EXPECT_EQ(name(hinge.name), "hinge");
            EXPECT_EQ(name(d.blocks[hinge.block1].name), "plate");
            EXPECT_EQ(name(d.blocks[hinge.block2].name), "body");
            ASSERT_GT(hinge.actor, 0);
            EXPECT_EQ(name(d.actors[hinge.actor].name), "robot");
            EXPECT_EQ(&d.rigids[d.actors[hinge.actor].startRigid], &hinge);
            const db::Block& plate = d.blocks[grid.shapeId];
            ASSERT_GE(plate.rlinkId, 0);
            EXPECT_EQ(&d.rigids[d.rlinks[plate.rlinkId].rigid], &hinge);
        }
    }
}

TEST_F(LoadPlacementTest, ExamplesLoadTheSameModelFromTextAndBinary) {
    for (const char* example : {"pyramid", "boxes"}) {
        SCOPED_TRACE(example);
        const std::string base = std::string(ROVORA_SOURCE_DIR) + "/examples/" + example;
        Workstation text;
        ASSERT_TRUE(text.run("read \"" + base + ".pts\"").empty());
        Workstation binary;
        ASSERT_TRUE(binary.run("read \"" + base + ".ptb\"").empty());
        EXPECT_GT(text.model.shapeCount, 0);
        expectSameModel(text.model, binary.model, false);
    }
}

}  // namespace
}  // namespace rz::test
