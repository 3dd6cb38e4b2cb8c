// Exported files read by programs that are not ours: DXF through ezdxf and back through
// polyconv, VRML through the Open Inventor reader. What they read must be what the model
// holds. A reader that is not installed skips its test with a message.

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "export_model.hpp"
#include "file_fixture.hpp"
#include "geometry/block_transform.hpp"

namespace rz::test {
namespace {

struct CommandRun {
    int status = -1;
    std::string out;
};

CommandRun runCommand(const std::string& command) {
    CommandRun r;
    std::FILE* p = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (p == nullptr) return r;
    std::array<char, 4096> buf{};
    while (std::size_t n = std::fread(buf.data(), 1, buf.size(), p)) r.out.append(buf.data(), n);
    const int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

// The Debian interpreter first: python3 on PATH may be another installation without ezdxf.
std::string pythonWithEzdxf() {
    for (const char* python : {"/usr/bin/python3", "python3"})
        if (runCommand(std::string(python) + " -c 'import ezdxf'").status == 0) return python;
    return {};
}

bool near(double a, double b, double tolerance) {
    return std::fabs(a - b) <= tolerance * std::max(1.0, std::fabs(b));
}

bool nearPoint(const Point& a, const Point& b, double tolerance) {
    return near(a[0], b[0], tolerance) && near(a[1], b[1], tolerance) &&
           near(a[2], b[2], tolerance);
}

// The model of the export tests with a cone wall and floor of 12 steps in block 3.
class ExportReaderTest : public FileTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(ws.run(kExportModel).empty());
        ASSERT_TRUE(
            ws.run("let box.s 0 0 0; let box.e 100 200 300; corngen1 box.s, box.e, 12, Y.DIR;")
                .empty());
    }
    Workstation ws;
};

TEST_F(ExportReaderTest, EzdxfReadsTheFacesOnTheLayer) {
    const std::string python = pythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "python3 with ezdxf (Debian python3-ezdxf) not installed";
    ASSERT_TRUE(ws.run("write " + quoted("model.dxf")).empty());
    writeFile("faces.py",
              "import sys, ezdxf\n"
              "for e in ezdxf.readfile(sys.argv[1]).modelspace():\n"
              "    points = [e.dxf.get(n) for n in ('vtx0', 'vtx1', 'vtx2', 'vtx3')]\n"
              "    print(e.dxftype(), e.dxf.layer, *(repr(c) for p in points for c in p))\n");
    const CommandRun r = runCommand(python + " " + path("faces.py") + " " + path("model.dxf"));
    ASSERT_EQ(r.status, 0);

    const auto cells = modelCells(ws.model, ws.msg);
    std::istringstream lines(r.out);
    std::size_t n = 0;
    for (std::string line; std::getline(lines, line); ++n) {
        ASSERT_LT(n, cells.size()) << line;
        std::istringstream words(line);
        std::string type;
        std::string layer;
        std::array<Point, 4> read{};
        words >> type >> layer;
        for (Point& p : read) words >> p[0] >> p[1] >> p[2];
        EXPECT_EQ(type, "3DFACE");
        EXPECT_EQ(layer, "model");
        // A collapsed cell lists its corners in another order; the four stay the same.
        std::array<Point, 4> expected{};
        for (std::size_t k = 0; k < 4; ++k) expected[k] = dxfAxes(cells[n][k]);
        std::sort(read.begin(), read.end());
        std::sort(expected.begin(), expected.end());
        for (std::size_t k = 0; k < 4; ++k)
            EXPECT_TRUE(nearPoint(read[k], expected[k], 1e-6)) << line;
    }
    EXPECT_EQ(n, cells.size());
}

TEST_F(ExportReaderTest, DxfComesBackThroughTheConverter) {
    ASSERT_TRUE(ws.run("write " + quoted("model.dxf")).empty());
    // The converter drops repeated corners and counts in its own unit of 5000.
    std::vector<Point> expected;
    for (const auto& cell : modelCells(ws.model, ws.msg)) {
        std::vector<Point> corners;
        for (const Point& p : cell)
            if (std::find(corners.begin(), corners.end(), p) == corners.end()) corners.push_back(p);
        if (corners.size() < 3) continue;
        for (const Point& p : corners) {
            const Point d = dxfAxes(p);
            expected.push_back({d[0] * 5000, d[1] * 5000, d[2] * 5000});
        }
    }
    std::sort(expected.begin(), expected.end());

    for (const char* option : {"", "--all "}) {
        SCOPED_TRACE(option);
        const CommandRun r = runCommand(std::string(POLYCONV_EXE) + " " + option +
                                        path("model.dxf") + " " + path("model.pts"));
        ASSERT_EQ(r.status, 0) << r.out;
        Workstation back;
        ASSERT_TRUE(back.run("read " + quoted("model.pts")).empty());
        std::vector<Point> read;
        for (std::int32_t i = 0; i < back.model.axisCount; ++i)
            read.push_back(widen(back.model.axes[i].wv));
        std::sort(read.begin(), read.end());
        ASSERT_EQ(read.size(), expected.size());
        for (std::size_t i = 0; i < read.size(); ++i)
            EXPECT_TRUE(nearPoint(read[i], expected[i], 1e-6)) << i;
    }
}

// What the Inventor reader prints of one exported shape.
struct ReadShape {
    std::vector<double> diffuse;
    std::vector<double> points;
    std::vector<double> normals;
    std::vector<double> texture;
    std::vector<int> indices;
};

// The values of a field as ivcat writes them: one value bare, several between brackets.
std::vector<double> fieldValues(std::istringstream& in, std::size_t perValue) {
    std::vector<double> v;
    std::string word;
    in >> word;
    if (word != "[") {
        v.push_back(std::strtod(word.c_str(), nullptr));
        for (std::size_t k = 1; k < perValue && in >> word; ++k)
            v.push_back(std::strtod(word.c_str(), nullptr));
        return v;
    }
    while (in >> word && word != "]") v.push_back(std::strtod(word.c_str(), nullptr));
    return v;
}

std::vector<ReadShape> parseInventor(std::string text, std::vector<std::string>& blocks) {
    std::replace(text.begin(), text.end(), ',', ' ');
    std::istringstream in(text);
    std::vector<ReadShape> shapes;
    std::string word;
    std::string node;
    while (in >> word) {
        if (word.starts_with("block_")) blocks.push_back(word);
        if (word == "Material" || word == "Coordinate3" || word == "Normal" ||
            word == "TextureCoordinate2" || word == "IndexedFaceSet")
            node = word;
        if (word == "Material") shapes.emplace_back();
        if (shapes.empty()) continue;
        ReadShape& s = shapes.back();
        if (word == "diffuseColor") s.diffuse = fieldValues(in, 3);
        if (word == "point" && node == "Coordinate3") s.points = fieldValues(in, 3);
        if (word == "vector") s.normals = fieldValues(in, 3);
        if (word == "point" && node == "TextureCoordinate2") s.texture = fieldValues(in, 2);
        if (word == "coordIndex")
            for (double i : fieldValues(in, 1)) s.indices.push_back(static_cast<int>(i));
    }
    return shapes;
}

// The faces of a grid: each is the cell's corners a, a + nu, a + nu + 1, a + 1 (backwards
// for a reversed shape) with every corner left out that lies where the next one lies.
std::vector<int> gridFaces(const geometry::GridView& g, bool reversed) {
    std::vector<int> out;
    for (int r = 0; r + 1 < g.nv; ++r)
        for (int c = 0; c + 1 < g.nu; ++c) {
            const int a = r * g.nu + c;
            const std::array<int, 4> corner{a, a + g.nu, a + g.nu + 1, a + 1};
            std::vector<int> kept;
            for (std::size_t k = 0; k < 4; ++k)
                if (g.vertices[corner[k]].wv != g.vertices[corner[(k + 1) % 4]].wv)
                    kept.push_back(corner[k]);
            if (reversed) std::reverse(kept.begin(), kept.end());
            out.insert(out.end(), kept.begin(), kept.end());
            out.push_back(-1);
        }
    return out;
}

TEST_F(ExportReaderTest, InventorReadsPointsNormalsTextureAndFaces) {
    if (runCommand("ivcat -h").status == 127)
        GTEST_SKIP() << "ivcat (Debian inventor-clients) not installed";
    ASSERT_TRUE(ws.run("set.vrml.map ON; write " + quoted("model.wrl")).empty());
    const CommandRun r = runCommand("ivcat " + path("model.wrl"));
    ASSERT_EQ(r.status, 0) << "ivcat refused the file";
    std::vector<std::string> blocks;
    const std::vector<ReadShape> read = parseInventor(r.out, blocks);
    // Block 2 is hidden; the shape of no block is in none.
    EXPECT_EQ(blocks, (std::vector<std::string>{"block_1", "block_3"}));

    db::Database& db = ws.model;
    std::size_t n = 0;
    for (std::int32_t b = 1; b < db.blockCount; ++b) {
        if (db.blocks[b].layer == 2) continue;
        for (std::int32_t i = 0; i < db.shapeCount; ++i) {
            const db::Shape& s = db.shapes[i];
            if (s.shapeId != static_cast<std::uint32_t>(b)) continue;
            SCOPED_TRACE(i);
            ASSERT_LT(n, read.size());
            const ReadShape& got = read[n++];
            const db::Attribute& a = db.attributes[s.attribId];
            ASSERT_EQ(got.diffuse.size(), 3u);
            for (std::size_t c = 0; c < 3; ++c) EXPECT_NEAR(got.diffuse[c], a.rgb[c], 1e-6);

            ASSERT_EQ(geometry::beginShapePlacement(db, ws.msg, i), script::kOk);
            const Mat4 placement = db.geometry.current;
            ASSERT_EQ(geometry::endShapePlacement(db, ws.msg), script::kOk);
            const geometry::ExpandedShape expanded(db, ws.msg, i);
            const bool grid = s.kind != db::kShapePolygon;
            const std::span<const db::Axis> vertices =
                grid ? expanded.grid().vertices
                     : std::span<const db::Axis>(db.axes.data() + s.axisId, s.axisTotal);
            ASSERT_EQ(got.points.size(), vertices.size() * 3);
            ASSERT_EQ(got.normals.size(), vertices.size() * 3);
            ASSERT_EQ(got.texture.size(), s.textureId != 0 ? vertices.size() * 2 : 0);
            const double facing = grid && s.lrflag == 1 ? -1.0 : 1.0;
            for (std::size_t v = 0; v < vertices.size(); ++v) {
                const Point p = transformPoint(widen(vertices[v].wv), placement);
                for (std::size_t c = 0; c < 3; ++c) {
                    EXPECT_NEAR(got.points[v * 3 + c], p[c], 1e-5 * std::max(1.0, std::fabs(p[c])));
                    EXPECT_NEAR(got.normals[v * 3 + c], facing * vertices[v].nv[c], 1e-5);
                }
                if (s.textureId != 0) {
                    EXPECT_EQ(got.texture[v * 2], vertices[v].u);
                    EXPECT_EQ(got.texture[v * 2 + 1], vertices[v].v);
                }
            }
            if (grid) {
                EXPECT_EQ(got.indices, gridFaces(expanded.grid(), s.lrflag == 1));
            } else {
                std::vector<int> faces;
                for (std::uint32_t k = 0; k < s.patchTotal; ++k) {
                    const std::int32_t e = db.patches[s.patchId + k];
                    if (e < 0 && k > 0) faces.push_back(-1);
                    if (e >= 0) faces.push_back(e - static_cast<int>(s.axisId));
                }
                faces.push_back(-1);
                EXPECT_EQ(got.indices, faces);
            }
        }
    }
    EXPECT_EQ(n, read.size());
}

}  // namespace
}  // namespace rz::test
