// The DXF and VRML exports: their exact layout against files written by hand, faces of
// collapsed cells, broken polygon data, a failed expansion, and the VRML map switch.

#include <algorithm>
#include <string>
#include <vector>

#include "export_model.hpp"
#include "file_fixture.hpp"
#include "fileio/file_messages.hpp"
#include "geometry/geometry_messages.hpp"
#include "script/messages.hpp"

namespace rz::test {
namespace {

namespace smsg = script::msg;

constexpr const char* kPolygonStatus = "Sorry! SHAPE_POLYGON is not supported!";
constexpr const char* kBadPatchData = " パッチデータ列に異常があります！！ ";

class ExportTest : public FileTest {
  protected:
    std::size_t statusCount(const std::string& text) {
        const auto s = ws.sink.statuses();
        return static_cast<std::size_t>(std::count(s.begin(), s.end(), text));
    }
    Workstation ws;
};

// The current matrix stays what the user built: the DXF file shows only the shapes' own
// matrices, and VRML placement (which takes the current matrix in) restores it.
TEST_F(ExportTest, EachExportWritesItsLayoutByteForByte) {
    ASSERT_TRUE(ws.run(kExportModel).empty());
    struct Case {
        const char* setting;
        const char* name;
        std::size_t polygonStatuses;
    };
    for (const Case& c : {Case{"matinit; move (100, 0, 0);", "small.dxf", 1},
                          Case{"matinit; set.vrml.map OFF;", "small.wrl", 0},
                          Case{"set.vrml.map ON;", "small_mapped.wrl", 0}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(ws.run(c.setting).empty());
        const Mat4 current = ws.model.geometry.current;
        EXPECT_TRUE(ws.run("write " + quoted(c.name)).empty());
        EXPECT_EQ(readFile(c.name), dataFile(c.name));
        EXPECT_EQ(statusCount(kPolygonStatus), c.polygonStatuses);
        EXPECT_EQ(ws.model.geometry.current, current);
        EXPECT_EQ(ws.model.shapeCount, 4);  // the expansions are gone again
    }
}

TEST_F(ExportTest, CollapsedCellsBecomeTriangles) {
    // A cone wall and its floor of 12 steps: every cell has one edge collapsed to a point.
    ASSERT_TRUE(ws.run("let box.s 0 0 0; let box.e 100 200 300; corngen1 box.s, box.e, 12, Y.DIR;")
                    .empty());
    ASSERT_TRUE(ws.run("write " + quoted("c.dxf") + "; write " + quoted("c.wrl")).empty());

    const std::vector<DxfFace> faces = parseDxfFaces(readFile("c.dxf"));
    ASSERT_EQ(faces.size(), 24u);
    for (const DxfFace& f : faces) {
        // The doubled point comes last, so a DXF reader sees a triangle.
        EXPECT_EQ(f.corners[2], f.corners[3]);
        EXPECT_NE(f.corners[0], f.corners[1]);
        EXPECT_NE(f.corners[1], f.corners[2]);
        EXPECT_NE(f.corners[0], f.corners[2]);
    }

    const std::string wrl = readFile("c.wrl");
    std::size_t lines = 0;
    for (std::size_t at = wrl.find("-1"); at != std::string::npos; at = wrl.find("-1", at + 1)) {
        const std::size_t start = wrl.rfind('\n', at) + 1;
        const std::string line = wrl.substr(start, at - start);
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 3) << line;
        ++lines;
    }
    EXPECT_EQ(lines, 24u);
}

TEST_F(ExportTest, BrokenPolygonDataEndsTheShapesFaces) {
    // Three axes and a good first triangle, then the entries that break the run.
    const std::string shape =
        "let axis.wv 0 0 0; axis.add; let axis.wv 1 0 0; axis.add; let axis.wv 0 1 0; axis.add;"
        "load.block 1; set.block;"
        "let patch.p -3; patch.add; let patch.p 0; patch.add; let patch.p 1; patch.add;"
        "let patch.p 2; patch.add;";
    struct Case {
        const char* what;
        const char* entries;  // after the first triangle
        int total;
    };
    for (const Case& c : {
             Case{"a vertex where a count belongs", "let patch.p 1; patch.add;", 5},
             Case{"a run longer than the entries", "let patch.p -3; patch.add; patch.add;", 6},
             Case{"a vertex of another shape",
                  "let patch.p -3; patch.add; let patch.p 0; patch.add; patch.add;"
                  "let patch.p 3; patch.add;",
                  8},
         }) {
        SCOPED_TRACE(c.what);
        Workstation w;
        ASSERT_TRUE(w.run(shape + c.entries).empty());
        ASSERT_TRUE(w.run("let shape.id 1; let sh.kind 11; let sh.axis.id 0; let sh.axis.total 3;"
                          "let sh.patch.id 0; let sh.patch.total " +
                          std::to_string(c.total) + "; shape.add;")
                        .empty());
        EXPECT_EQ(w.run("write " + quoted("p.wrl")), std::vector<std::string>{err(kBadPatchData)});
        const std::string wrl = readFile("p.wrl");
        EXPECT_NE(wrl.find("coordIndex [\n                    0, 1, 2, -1, \n                ]\n"),
                  std::string::npos)
            << wrl;
        EXPECT_TRUE(wrl.ends_with("    }\n\n}\n"));
    }
}

TEST_F(ExportTest, AShapeThatCannotBeExpandedKeepsTheOldFile) {
    db::Settings small;
    small.capacity.axismax = 1100;  // 100 usable axes; the ball needs 31 x 31
    Workstation w(small);
    ASSERT_TRUE(w.run("let axis.wv 0 0 0; let axis.nv 10 10 10; let axis.u 30; axis.add;"
                      "let axis.wv 0 180 0; let axis.nv 0 360 0; let axis.u 0; axis.add;"
                      "load.block 1; set.block; let shape.id 1; let sh.kind 31; let sh.axis.id 0;"
                      "let sh.axis.total 2; let sh.patch.total 0; shape.add;")
                    .empty());
    for (const char* name : {"old.dxf", "old.wrl"}) {
        SCOPED_TRACE(name);
        writeFile(name, "old");
        EXPECT_EQ(w.run("write " + quoted(name)),
                  (std::vector<std::string>{err(geometry::msg::kAxisFull), kRunFailed}));
        EXPECT_EQ(readFile(name), "old");
        EXPECT_EQ(w.model.axisCount, 2);
        EXPECT_EQ(w.model.shapeCount, 1);
    }
}

TEST_F(ExportTest, VrmlMapSwitch) {
    struct Case {
        const char* statement;
        std::vector<std::string> boxes;
        int mode;  // afterwards; starts at 1
        const char* status;
    };
    const std::vector<std::string> badParam{err(smsg::kBadParam), kRunFailed};
    for (const Case& c : {
             Case{"set.vrml.map OFF;", {}, 0, "ＶＲＭＬデータをマッピングなしで保存します。"},
             Case{"set.vrml.map ON;", {}, 1, "ＶＲＭＬデータをマッピング付きで保存します。"},
             Case{"let work1 0; set.vrml.map work1;", {}, 0, nullptr},
             Case{"set.vrml.map 0.5;", {}, 0, nullptr},
             Case{"set.vrml.map 2;", badParam, 1, nullptr},
             Case{"set.vrml.map -1;", badParam, 1, nullptr},
             Case{"set.vrml.map \"1\";", badParam, 1, nullptr},
             Case{"set.vrml.map;", badParam, 1, nullptr},
             Case{"set.vrml.map 0, 1;", {err(smsg::kTooManyParams), kRunFailed}, 1, nullptr},
         }) {
        SCOPED_TRACE(c.statement);
        ASSERT_TRUE(ws.run("set.vrml.map 1;").empty());
        EXPECT_EQ(ws.run(c.statement), c.boxes);
        EXPECT_EQ(ws.model.vrmlMode, c.mode);
        if (c.status != nullptr) {
            EXPECT_EQ(ws.sink.statuses(), std::vector<std::string>{c.status});
        }
    }
}

}  // namespace
}  // namespace rz::test
