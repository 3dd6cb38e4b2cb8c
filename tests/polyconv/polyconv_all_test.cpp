// polyconv --all: every 3DFACE as one shape and every polygon or polyface mesh as a shape and
// block of its own; everything else in the ENTITIES section is passed over.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "polyconv_test_support.hpp"

namespace rz::polyconv {
namespace {

using test::data_dir;
using test::read_bytes;
using test::run_polyconv;
using test::TempDir;

constexpr int kExitRefused = 1;

struct ScriptShape {
    long long id = -1, kind = -1, axis_id = -1, axis_total = -1, patch_id = -1, patch_total = -1,
              matrix_id = -1;
    friend bool operator==(const ScriptShape&, const ScriptShape&) = default;
};

// The records of a script with several shapes, gathered from its statements.
struct MultiScript {
    std::vector<std::array<double, 3>> positions;
    std::vector<long long> patch_values;
    std::vector<ScriptShape> shapes;
    std::vector<long long> blocks;  // load.block numbers
    std::vector<std::string> block_names;
    long long last_block = -1;
};

MultiScript parse_multi_script(const std::string& text) {
    MultiScript s;
    ScriptShape shape;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string first, name;
        words >> first >> name;
        if (first == "shape.add") s.shapes.push_back(shape);
        if (first == "load.block" && name != "b.point") s.blocks.push_back(std::stoll(name));
        if (first != "let") continue;
        const std::array<std::pair<const char*, long long*>, 7> fields{{
            {"shape.id", &shape.id},
            {"sh.kind", &shape.kind},
            {"sh.axis.id", &shape.axis_id},
            {"sh.axis.total", &shape.axis_total},
            {"sh.patch.id", &shape.patch_id},
            {"sh.patch.total", &shape.patch_total},
            {"sh.matrix.id", &shape.matrix_id},
        }};
        for (const auto& [field, value] : fields)
            if (name == field) words >> *value;
        if (name == "axis.wv") {
            std::array<double, 3> p{};
            words >> p[0] >> p[1] >> p[2];
            s.positions.push_back(p);
        } else if (name == "patch.p") {
            s.patch_values.emplace_back();
            words >> s.patch_values.back();
        } else if (name == "b.name") {
            std::string quoted_name;
            words >> quoted_name;
            s.block_names.push_back(quoted_name);
        } else if (name == "b.point") {
            words >> s.last_block;
        }
    }
    return s;
}

// What holds for every script of --all: shapes, matrices and blocks numbered 1, 2, ...; each
// shape's axes and patch entries follow the last one's; face runs refer to the shape's own axes.
void expect_consistent(const MultiScript& s) {
    long long axes = 0;
    long long patches = 0;
    for (std::size_t i = 0; i < s.shapes.size(); ++i) {
        SCOPED_TRACE(i);
        const ScriptShape& shape = s.shapes[i];
        const long long number = static_cast<long long>(i) + 1;
        EXPECT_EQ(shape.id, number);
        EXPECT_EQ(shape.matrix_id, number);
        EXPECT_EQ(shape.axis_id, axes);
        EXPECT_EQ(shape.patch_id, patches);
        for (long long k = shape.patch_id; k < shape.patch_id + shape.patch_total; ++k) {
            const long long v = s.patch_values[static_cast<std::size_t>(k)];
            if (shape.kind == 11 && v >= 0) {
                EXPECT_GE(v, shape.axis_id);
                EXPECT_LT(v, shape.axis_id + shape.axis_total);
            }
        }
        axes += shape.axis_total;
        patches += shape.patch_total;
        EXPECT_EQ(s.block_names[i], "\"Block(" + std::to_string(number) + ")\"");
    }
    EXPECT_EQ(axes, static_cast<long long>(s.positions.size()));
    EXPECT_EQ(patches, static_cast<long long>(s.patch_values.size()));
    std::vector<long long> numbers;
    for (std::size_t i = 1; i <= s.shapes.size(); ++i) numbers.push_back(static_cast<long long>(i));
    EXPECT_EQ(s.blocks, numbers);
    EXPECT_EQ(s.last_block, static_cast<long long>(s.shapes.size()));
}

TEST(PolyconvAll, EveryMeshInAShapeAndBlockOfItsOwn) {
    TempDir dir;
    const auto output = dir.path() / "out.pts";
    // A LINE, a quad face, a 2 x 2 polygon mesh, a plain 3D polyline, a polyface mesh of one
    // face and a triangle face.
    const auto run = run_polyconv({"--all", "all_meshes_r12.dxf", output.string()});
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_TRUE(run.output.starts_with("***** File Read Complete!\n")) << run.output;
    EXPECT_TRUE(run.output.ends_with(
        "converted: 2 3DFACE(s), 2 mesh(es); skipped: 2 other entit(ies)\nProcess Complete!\n"))
        << run.output;

    const MultiScript s = parse_multi_script(read_bytes(output));
    expect_consistent(s);
    EXPECT_EQ(s.shapes,
              (std::vector<ScriptShape>{
                  {1, 11, 0, 7, 0, 12, 1}, {2, 12, 7, 4, 12, 3, 2}, {3, 11, 11, 3, 15, 4, 3}}));
    EXPECT_EQ(s.patch_values, (std::vector<long long>{-3, 0, 1, 2, -3, 2, 3, 0, -3, 4, 5, 6,  //
                                                      -2, 2, 2,                               //
                                                      -3, 11, 12, 13}));
    using P = std::array<double, 3>;
    EXPECT_EQ(s.positions[4], (P{0, 0, 10000}));  // the triangle, after the quad
    EXPECT_EQ(s.positions[7], (P{0, 0, 5000}));   // the polygon mesh
    EXPECT_EQ(s.positions[10], (P{5000, 5000, 7500}));
    EXPECT_EQ(s.positions[11], (P{10000, 0, 0}));  // the polyface mesh
}

TEST(PolyconvAll, CorpusFiles) {
    const auto corpus =
        std::filesystem::path(ROVORA_SOURCE_DIR) / ".." / "shared" / "corpus" / "dxf";
    if (!std::filesystem::is_directory(corpus))
        GTEST_SKIP() << "no DXF corpus at " << corpus
                     << "; this test needs the shared folder beside the project";
    struct Case {
        const char* file;
        std::vector<ScriptShape> shapes;
        const char* summary;
    };
    const std::vector<Case> cases{
        // 44 faces, 8 of them lines drawn with two points; text and 2D polylines around them.
        {"3dface_R2018.dxf",
         {{1, 11, 0, 29 * 4 + 7 * 3, 0, (29 * 2 + 7) * 4, 1}},
         "converted: 36 3DFACE(s), 0 mesh(es); skipped: 27 other entit(ies)\n"},
        {"minimal_3dface_AC1006.dxf",
         {{1, 11, 0, 7, 0, 12, 1}},
         "converted: 2 3DFACE(s), 0 mesh(es); skipped: 1 other entit(ies)\n"},
        // Of the two polyface meshes only the one with faces: three quads over 8 vertices.
        {"mixed_entities_polyfaces_R2018.dxf",
         {{1, 11, 0, 8, 0, 24, 1}},
         "converted: 0 3DFACE(s), 1 mesh(es); skipped: 84 other entit(ies)\n"},
        // 30 plain polylines are passed over; the one face is converted.
        {"polylines_and_3dface_R12.dxf",
         {{1, 11, 0, 4, 0, 8, 1}},
         "converted: 1 3DFACE(s), 0 mesh(es); skipped: 30 other entit(ies)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TempDir dir;
        const auto output = dir.path() / "out.pts";
        const auto run = run_polyconv({"--all", (corpus / c.file).string(), output.string()});
        EXPECT_EQ(run.exit_code, 0);
        EXPECT_NE(run.output.find(c.summary), std::string::npos) << run.output;
        const MultiScript s = parse_multi_script(read_bytes(output));
        expect_consistent(s);
        EXPECT_EQ(s.shapes, c.shapes);
    }
}

// Files the plain conversion refuses for their first entity, and short command lines.
TEST(PolyconvAll, OtherFilesAndShortCommandLines) {
    struct Case {
        std::vector<std::string> args;
        int exit_code;
        const char* output;
        bool writes;
    };
    const std::vector<Case> cases{
        {{"--all", "line_first_r12.dxf", "out.pts"},
         0,
         "***** File Read Complete!\n"
         "converted: 1 3DFACE(s), 0 mesh(es); skipped: 1 other entit(ies)\nProcess Complete!\n",
         true},
        {{"--all", "polyline_2d_r12.dxf", "out.pts"},
         kExitRefused,
         "***** File Read Complete!\nfile ( polyline_2d_r12.dxf ) has no face to convert.\n",
         false},
        {{"--all", "no_entities_r12.dxf", "out.pts"},
         kExitRefused,
         "file ( no_entities_r12.dxf ) is not DXF file-format.\n",
         false},
        {{"--all", "face_quad_r12.dxf"},
         0,
         "usage: polyconv <Target filename(.dxf)> <Output filename(.pts)>\n",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1]);
        TempDir dir;
        std::vector<std::string> args = c.args;
        if (args.size() == 3) args[2] = (dir.path() / args[2]).string();
        const auto run = run_polyconv(args);
        EXPECT_EQ(run.exit_code, c.exit_code);
        EXPECT_EQ(run.output, c.output);
        EXPECT_EQ(!std::filesystem::is_empty(dir.path()), c.writes);
    }
}

}  // namespace
}  // namespace rz::polyconv
