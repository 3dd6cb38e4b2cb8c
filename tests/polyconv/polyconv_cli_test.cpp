#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "polyconv/input_file.hpp"
#include "polyconv/memory_limits.hpp"
#include "polyconv_test_support.hpp"

namespace rz::polyconv {
namespace {

using test::data_dir;
using test::read_bytes;
using test::run_polyconv;
using test::TempDir;
using test::write_bytes;

constexpr int kExitFailure = 255;  // exit(-1) as the shell sees it
constexpr int kExitRefused = 1;

struct GoldenCase {
    const char* stem;
    int exit_code;
    bool writes_script;
};

// Each DXF under tests/data/polyconv has the console text it must print (.stdout) and, when
// it converts, the script it must write (.pts), both byte for byte.
const std::vector<GoldenCase> kGoldenCases = {
    {"face_triangle_r12", 0, true},      // fourth corner repeats the third; (1, 2, 3) scaled
    {"face_quad_r12", 0, true},          // -3 0 1 2 -3 2 3 0, patch total 8
    {"face_mixed_r2000_crlf", 0, true},  // subclass markers, LINE and TEXT between faces, OBJECTS
    {"mesh_3x4_r12", 0, true},           // 12 axes, -2 4 3, kind 12
    {"mesh_closed_n_r2000_crlf", 0, true},       // N 4 in the file, 5 columns stored
    {"mesh_closed_mn_r12", 0, true},             // closed both ways: Mlooping and Nlooping
    {"mesh_poles_r12", 0, true},                 // apex rows take the fan normal
    {"mesh_extra_vertices_r12", 0, true},        // vertices beyond M x N are reported and left out
    {"mesh_truncated_r12", 0, true},             // ends inside a vertex: complete rows converted
    {"polyface_r12", 0, true},                   // negated normals, hidden edges
    {"polyface_bad_numbers_r12", 0, true},       // zero, out-of-range and short face records
    {"faces_truncated_r12", 0, true},            // ends inside the third face
    {"faces_endsec_then_garbage_r12", 0, true},  // " DXF File Error! " and no EOF
    {"line_first_r12", kExitRefused, false},
    {"no_entities_r12", kExitRefused, false},
    {"polyline_2d_r12", kExitRefused, false},
    {"polyface_no_valid_face_r12", kExitRefused, false},
    {"all_meshes_r12", kExitRefused, false},  // every mesh kind, but a LINE first
    {"mesh_too_large_r12", 0, false},         // allocation failure exits with 0
    {"mesh_count_overflow_r12", 0, false},
    {"mesh_negative_count_r12", 0, false},
};

TEST(PolyconvProgram, ConvertsEveryDataFileExactlyAsRecorded) {
    for (const auto& c : kGoldenCases) {
        SCOPED_TRACE(c.stem);
        TempDir dir;
        const auto output = dir.path() / "out.pts";
        const auto run = run_polyconv({std::string(c.stem) + ".dxf", output.string()});
        EXPECT_EQ(run.exit_code, c.exit_code);
        EXPECT_EQ(run.output, read_bytes(data_dir() / (std::string(c.stem) + ".stdout")));
        ASSERT_EQ(std::filesystem::exists(output), c.writes_script);
        if (c.writes_script) {
            EXPECT_EQ(read_bytes(output), read_bytes(data_dir() / (std::string(c.stem) + ".pts")));
        }
    }
}

TEST(PolyconvProgram, ConvertsTheKnownEdgeCasesAsDocumented) {
    TempDir dir;
    const auto convert = [&](const std::string& stem) {
        const auto output = dir.path() / (stem + ".pts");
        EXPECT_EQ(run_polyconv({stem + ".dxf", output.string()}).exit_code, 0) << stem;
        return std::pair{test::parse_script(read_bytes(output)), read_bytes(output)};
    };

    const auto [triangle, triangle_text] = convert("face_triangle_r12");
    EXPECT_EQ(triangle.axis_total, 3);
    EXPECT_EQ(triangle.patch_values, (std::vector<long long>{-3, 0, 1, 2}));
    EXPECT_TRUE(
        triangle_text.starts_with("let axis.wv\t5000.000000\t10000.000000\t15000.000000\n"));

    const auto [quad, quad_text] = convert("face_quad_r12");
    EXPECT_EQ(quad.patch_values, (std::vector<long long>{-3, 0, 1, 2, -3, 2, 3, 0}));
    EXPECT_EQ(quad.patch_total, 8);
    EXPECT_EQ(quad.kind, "11");

    const auto [grid, grid_text] = convert("mesh_3x4_r12");
    EXPECT_EQ(grid.axis_total, 12);
    EXPECT_EQ(grid.patch_values, (std::vector<long long>{-2, 4, 3}));
    EXPECT_EQ(grid.kind, "12");

    const auto [cylinder, cylinder_text] = convert("mesh_closed_n_r2000_crlf");
    ASSERT_EQ(cylinder.axis_total, 10);
    EXPECT_EQ(cylinder.patch_values, (std::vector<long long>{-2, 5, 2}));
    for (std::size_t row = 0; row < 2; ++row)
        EXPECT_EQ(cylinder.positions[row * 5 + 4], cylinder.positions[row * 5]);
    EXPECT_NE(cylinder.positions[3], cylinder.positions[0]);

    const auto output = dir.path() / "line.pts";
    const auto line = run_polyconv({"line_first_r12.dxf", output.string()});
    EXPECT_EQ(line.output, "file ( line_first_r12.dxf ) is not DXF file-format.\n");
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST(PolyconvProgram, EveryDataFileHasItsRecordedResult) {
    std::size_t dxf_files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(data_dir())) {
        if (entry.path().extension() != ".dxf") continue;
        ++dxf_files;
        auto stdout_file = entry.path();
        EXPECT_TRUE(std::filesystem::exists(stdout_file.replace_extension(".stdout")))
            << entry.path();
    }
    EXPECT_EQ(dxf_files, kGoldenCases.size());
}

TEST(PolyconvProgram, FewerThanTwoFileArgumentsPrintUsageAndSucceed) {
    const std::string usage = "usage: polyconv <Target filename(.dxf)> <Output filename(.pts)>\n";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, std::vector<std::string>{"face_quad_r12.dxf"}}) {
        const auto run = run_polyconv(args);
        EXPECT_EQ(run.exit_code, 0);
        EXPECT_EQ(run.output, usage);
    }
}

TEST(PolyconvProgram, AMissingInputFailsWithMinusOne) {
    TempDir dir;
    const auto output = dir.path() / "out.pts";
    const auto run = run_polyconv({"no_such_file.dxf", output.string()});
    EXPECT_EQ(run.exit_code, kExitFailure);
    EXPECT_EQ(run.output, "file ( no_such_file.dxf ) not found!\n");
    EXPECT_FALSE(std::filesystem::exists(output));
}

// A device or a pipe may never end and a directory has no text: none of them is read, and
// none may keep the converter waiting.
TEST(PolyconvProgram, InputsThatAreNotRegularFilesAreRefusedAtOnce) {
    TempDir dir;
    const auto fifo = dir.path() / "pipe.dxf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto output = dir.path() / "out.pts";
    for (const std::string& name : {std::string("/dev/zero"), fifo.string(), dir.path().string()}) {
        const auto run = run_polyconv({name, output.string()}, data_dir(), 10);
        EXPECT_EQ(run.exit_code, kExitFailure) << name;
        EXPECT_EQ(run.output, "file ( " + name + " ) is not a regular file!\n");
        EXPECT_FALSE(std::filesystem::exists(output)) << name;
    }
}

TEST(PolyconvProgram, AnOutputThatCannotBeOpenedFailsWithMinusOne) {
    TempDir dir;
    const std::string output = (dir.path() / "missing_folder" / "out.pts").string();
    const auto run = run_polyconv({"face_quad_r12.dxf", output});
    EXPECT_EQ(run.exit_code, kExitFailure);
    EXPECT_EQ(run.output, "***** File Read Complete!\nfile ( " + output + " ) cannot Open! \n");
}

TEST(PolyconvProgram, RefusedInputLeavesAnExistingOutputAlone) {
    TempDir dir;
    const auto output = dir.path() / "temp.pts";
    write_bytes(output, "old script\n");
    const auto run = run_polyconv({"line_first_r12.dxf", output.string()});
    EXPECT_EQ(run.exit_code, kExitRefused);
    EXPECT_EQ(read_bytes(output), "old script\n");
}

TEST(PolyconvProgram, InputNamesDifferingOnlyInCaseAreFound) {
    TempDir dir;
    std::filesystem::copy_file(data_dir() / "face_quad_r12.dxf", dir.path() / "Model.DXF");
    const auto run = run_polyconv({"model.dxf", "out.pts"}, dir.path());
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(read_bytes(dir.path() / "out.pts"), read_bytes(data_dir() / "face_quad_r12.pts"));

    // Two candidates: the name is ambiguous and counts as missing.
    std::filesystem::copy_file(data_dir() / "face_quad_r12.dxf", dir.path() / "MODEL.dxf");
    EXPECT_EQ(run_polyconv({"model.dxf", "out2.pts"}, dir.path()).exit_code, kExitFailure);
}

TEST(PolyconvProgram, AnInputOverTheSizeLimitIsRefusedWithoutReadingIt) {
    TempDir dir;
    const auto huge = dir.path() / "huge.dxf";
    // A sparse file: one byte over the limit, but it occupies no disk space.
    const auto size = static_cast<std::uintmax_t>(kMaxInputBytes) + 1;
    write_bytes(huge, "");
    std::error_code error;
    std::filesystem::resize_file(huge, size, error);
    if (error)
        GTEST_SKIP() << "the temporary file system cannot hold a sparse file: " << error.message();
    const auto run = run_polyconv({"huge.dxf", "out.pts"}, dir.path(), 10);
    EXPECT_EQ(run.exit_code, kExitRefused);
    EXPECT_EQ(run.output, "file ( huge.dxf ) is too large! ( more than 268435456 bytes )\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.pts"));
}

TEST(PolyconvProgram, TheInputIsNeverTheOutputWhateverItsName) {
    struct Case {
        const char* name;
        const char* input;
        const char* output;
    };
    const std::vector<Case> cases = {
        {"same name", "model.dxf", "model.dxf"},
        {"another spelling", "model.dxf", "./sub/../model.dxf"},
        {"symbolic link as output", "model.dxf", "symlink.pts"},
        {"symbolic link as input", "symlink.pts", "model.dxf"},
        {"hard link", "model.dxf", "hardlink.pts"},
    };
    const std::string original = read_bytes(data_dir() / "face_quad_r12.dxf");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        write_bytes(dir.path() / "model.dxf", original);
        std::filesystem::create_directory(dir.path() / "sub");
        std::filesystem::create_symlink("model.dxf", dir.path() / "symlink.pts");
        std::filesystem::create_hard_link(dir.path() / "model.dxf", dir.path() / "hardlink.pts");
        const auto run = run_polyconv({c.input, c.output}, dir.path());
        EXPECT_EQ(run.exit_code, kExitFailure);
        EXPECT_EQ(run.output, std::string("***** File Read Complete!\nfile ( ") + c.output +
                                  " ) is the same file as the input!\n");
        EXPECT_EQ(read_bytes(dir.path() / "model.dxf"), original);
    }
}

TEST(InputFile, ReadsBytesUnchangedAndRespectsTheLimit) {
    TempDir dir;
    const auto path = dir.path() / "bytes.dxf";
    const std::string bytes = std::string("  0\r\nSECTION\r\n\0\xff", 17);
    write_bytes(path, bytes);
    const auto read = read_input_file(path, 1000);
    EXPECT_EQ(read.status, InputStatus::ok);
    EXPECT_EQ(read.bytes, bytes);
    EXPECT_EQ(read_input_file(path, bytes.size()).status, InputStatus::ok);
    EXPECT_EQ(read_input_file(path, bytes.size() - 1).status, InputStatus::too_large);
    EXPECT_EQ(read_input_file(dir.path() / "absent.dxf", 1000).status, InputStatus::not_found);
}

}  // namespace
}  // namespace rz::polyconv
