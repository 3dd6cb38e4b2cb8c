// Files written by other programs, read where they are kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "polyconv_test_support.hpp"

namespace rz::polyconv {
namespace {

using test::count_lines;
using test::parse_script;
using test::read_bytes;
using test::run_polyconv;
using test::Script;
using test::TempDir;

std::filesystem::path corpus_dir() {
    return std::filesystem::path(ROVORA_SOURCE_DIR) / ".." / "shared" / "corpus" / "dxf";
}

// Checks that hold for any face script: the totals match what was written, every triangle
// refers to an existing axis, and the box is the box of the axes.
void expect_consistent_face_script(const Script& s) {
    EXPECT_EQ(s.kind, "11");
    EXPECT_EQ(s.axis_total, static_cast<long long>(s.positions.size()));
    EXPECT_EQ(s.patch_total, static_cast<long long>(s.patch_values.size()));
    ASSERT_EQ(s.patch_values.size() % 4, 0U);
    for (std::size_t k = 0; k < s.patch_values.size(); k += 4) {
        EXPECT_EQ(s.patch_values[k], -3);
        for (std::size_t c = 1; c < 4; ++c) {
            EXPECT_GE(s.patch_values[k + c], 0);
            EXPECT_LT(s.patch_values[k + c], s.axis_total);
        }
    }
    for (std::size_t a = 0; a < 3; ++a) {
        double lo = std::numeric_limits<double>::infinity();
        double hi = -lo;
        for (const auto& p : s.positions) {
            lo = std::min(lo, p[a]);
            hi = std::max(hi, p[a]);
        }
        EXPECT_NEAR(s.bbmin[a], lo, 1e-6);
        EXPECT_NEAR(s.bbmax[a], hi, 1e-6);
    }
}

class Corpus : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::is_directory(corpus_dir())) {
            GTEST_SKIP() << "no DXF corpus at " << corpus_dir()
                         << "; these tests need the shared folder beside the project";
        }
    }
};

TEST_F(Corpus, MinimalR10FileWithALineAfterTheFaces) {
    TempDir dir;
    const auto output = dir.path() / "out.pts";
    const auto run =
        run_polyconv({(corpus_dir() / "minimal_3dface_AC1006.dxf").string(), output.string()});
    EXPECT_EQ(run.exit_code, 0);
    // The LINE is reported; the file ends with "EOF" and no newline, which is complete.
    EXPECT_EQ(run.output, "***** File Read Complete!\nDXF file error!\nProcess Complete!\n");
    const Script script = parse_script(read_bytes(output));
    expect_consistent_face_script(script);
    // A quadrilateral and a triangle written with its last corner twice.
    EXPECT_EQ(script.axis_total, 7);
    EXPECT_EQ(script.patch_values, (std::vector<long long>{-3, 0, 1, 2, -3, 2, 3, 0, -3, 4, 5, 6}));
    EXPECT_EQ(script.positions.front(), (std::array<double, 3>{-2500.0, -2500.0, -2500.0}));
    EXPECT_EQ(script.positions.back(), (std::array<double, 3>{0.0, -2500.0, 2500.0}));
}

TEST_F(Corpus, AutoCad2018DrawingWithHandlesBlocksAndObjects) {
    TempDir dir;
    const auto output = dir.path() / "out.pts";
    const auto run = run_polyconv({(corpus_dir() / "3dface_R2018.dxf").string(), output.string()});
    EXPECT_EQ(run.exit_code, 0);
    // 5 LWPOLYLINE, 16 MTEXT and 6 TEXT entities share the section with the 44 faces; the
    // faces inside the block definition are not part of the drawing's entities.
    EXPECT_EQ(count_lines(run.output, "DXF file error!\n"), 27U);
    EXPECT_TRUE(run.output.starts_with("***** File Read Complete!\n"));
    EXPECT_TRUE(run.output.ends_with("DXF file error!\nProcess Complete!\n")) << run.output;
    const Script script = parse_script(read_bytes(output));
    expect_consistent_face_script(script);
    // 29 quadrilaterals, 7 triangles; 8 faces that are lines drawn with two points are left out.
    EXPECT_EQ(script.axis_total, 29 * 4 + 7 * 3);
    EXPECT_EQ(script.patch_total, (29 * 2 + 7) * 4);
    ASSERT_FALSE(script.positions.empty());
    EXPECT_NEAR(script.positions.front()[0], 689.842987262401 * 5000, 1e-6);
    EXPECT_NEAR(script.positions.front()[1], 3857.680764809167 * 5000, 1e-6);
    EXPECT_EQ(script.positions.front()[2], 0.0);
}

}  // namespace
}  // namespace rz::polyconv
