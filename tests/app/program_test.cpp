// The rovora_z program as a user runs it: output, standard input and exit statuses.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include <array>
#include <cstdio>
#include <string>

namespace rz::test {
namespace {

struct Result {
    std::string out;
    int status = -1;
};

// Runs the program through the shell with standard error merged after standard output.
Result runProgram(const std::string& args, const std::string& input = "") {
    const std::string cmd = "printf '" + input + "' | XDG_CONFIG_HOME=/nonexistent " +
                            ROVORA_Z_PATH + " " + args + " 2>&1";
    Result r;
    std::FILE* p = ::popen(cmd.c_str(), "r");
    if (p == nullptr) return r;
    std::array<char, 4096> buf{};
    while (std::size_t n = std::fread(buf.data(), 1, buf.size(), p)) r.out.append(buf.data(), n);
    const int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

TEST(Program, PrintsAndSucceeds) {
    const Result r = runProgram("--headless -e 'var a; a = 1 + 2 * 3; print \"a=\", a;'");
    EXPECT_EQ(r.out, "a= 7.000000\n");
    EXPECT_EQ(r.status, 0);
}

TEST(Program, AnErrorBoxMeansExitStatusOne) {
    const Result r = runProgram("--headless -e 'nop 1;'");
    EXPECT_EQ(r.out,
              "[ERROR Message!] ERROR:  パラメータが多すぎます！ \n"
              "[ERROR Message!] ERROR: ERROR Occured! in execution.\n");
    EXPECT_EQ(r.status, 1);
}

TEST(Program, ReadsStandardInputLineByLine) {
    struct Case {
        const char* input;  // printf escapes
        const char* out;
    };
    const Case cases[] = {
        {"var a\\na = 2\\nprint a * 3\\n", " 6.000000\n"},
        // Not a terminal: no prompt, and a last line without its newline still runs.
        {"print 1; print 2\\nprint 3", " 1.000000\n 2.000000\n 3.000000\n"},
    };
    for (const Case& c : cases) {
        const Result r = runProgram("--headless", c.input);
        EXPECT_EQ(r.out, c.out) << c.input;
        EXPECT_EQ(r.status, 0) << c.input;
    }
}

TEST(Program, RunsTheExampleScript) {
    const Result r =
        runProgram(std::string("--headless ") + ROVORA_SOURCE_DIR "/examples/hello.sub");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("corner = ( 2.000000 4.000000 6.000000 )"), std::string::npos) << r.out;
}

TEST(Program, RunsTheViewsExampleWithoutADisplay) {
    const Result r =
        runProgram(std::string("--headless ") + ROVORA_SOURCE_DIR "/examples/views.sub");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("** Camera Auto-view-adjusting complete! **\n** 処理終了！ ** \n"),
              std::string::npos)
        << r.out;
}

TEST(Program, UsageVersionAndBadCommandLine) {
    EXPECT_EQ(runProgram("--help").status, 0);
    const Result v = runProgram("--version");
    EXPECT_EQ(v.out, "ZIVOZI 3Z-Urirodod V2.0 BETA3 (TESTTYPE)\n");
    EXPECT_EQ(v.status, 0);
    const Result bad = runProgram("--headless --frobnicate");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.out.find("usage:"), std::string::npos);
}

// Imports a DXF file from the test data in a start directory of its own and saves the model
// there; the exit status.
int importAndSave(const std::string& dir, const std::string& dxfName, const std::string& out) {
    const std::string dxf = std::string(ROVORA_SOURCE_DIR) + "/tests/data/polyconv/" + dxfName;
    if (std::system(("mkdir -p " + dir).c_str()) != 0) return -1;
    const std::string cmd = "cd " + dir + " && XDG_CONFIG_HOME=/nonexistent " + ROVORA_Z_PATH +
                            " --headless --import-dxf " + dxf + " -e 'write \"" + out + "\";' > " +
                            dir + "/log 2>&1";
    const int st = std::system(cmd.c_str());
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

// How many lines of a saved script hold the text.
int linesHolding(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "r");
    if (f == nullptr) return -1;
    int n = 0;
    std::array<char, 512> line{};
    while (std::fgets(line.data(), line.size(), f) != nullptr)
        if (std::string(line.data()).find(text) != std::string::npos) ++n;
    std::fclose(f);
    return n;
}

TEST(Program, ImportsADxfThroughTheConverter) {
    const std::string dir = "/tmp/rovora_import_" + std::to_string(::getpid());
    const std::string out = dir + "/saved.pts";
    EXPECT_EQ(importAndSave(dir, "mesh_3x4_r12.dxf", out), 0);
    // The converter's script was left in the start directory and read: the saved model holds
    // its twelve vertices.
    EXPECT_EQ(linesHolding(out, "axis.add"), 12);
    EXPECT_EQ(std::system(("test -f " + dir + "/temp.pts").c_str()), 0);

    // A file the converter cannot read leaves no script behind, and read says so.
    const std::string missing = "cd " + dir + " && XDG_CONFIG_HOME=/nonexistent " + ROVORA_Z_PATH +
                                " --headless --import-dxf " + dir + "/none.dxf > /dev/null 2>&1";
    const int st2 = std::system(missing.c_str());
    EXPECT_TRUE(WIFEXITED(st2) && WEXITSTATUS(st2) == 1);
    EXPECT_NE(std::system(("test -f " + dir + "/temp.pts").c_str()), 0);
    std::system(("rm -rf " + dir).c_str());
}

TEST(Program, ImportsEveryMeshOfADxf) {
    const std::string dir = "/tmp/rovora_import_all_" + std::to_string(::getpid());
    const std::string out = dir + "/saved.pts";
    EXPECT_EQ(importAndSave(dir, "all_meshes_r12.dxf", out), 0);
    // The faces, the polygon mesh and the polyface mesh, each in a block of its own, although
    // the drawing starts with a LINE.
    EXPECT_EQ(linesHolding(out, "shape.add"), 3);
    EXPECT_EQ(linesHolding(out, "Block no."), 3);
    std::system(("rm -rf " + dir).c_str());
}

// "@name" finds the model's records once a model is read; a name of another kind of record,
// or of none, is refused like any other word that is not a number.
TEST(Program, RecordNamesSelectTheirRecords) {
    const std::string model = std::string(ROVORA_SOURCE_DIR) + "/examples/boxes.ptb";
    const std::string refused =
        "[ERROR Message!] ERROR:  正しく入力してね。ミスしてるよっ！ \n"
        "[ERROR Message!] ERROR: ERROR Occured! in execution.\n";
    const struct {
        const char* statement;
        std::string shown;
    } cases[] = {
        {"num.block @tower; print b.point;", " 3.000000\n"},
        {"num.block @cube; print b.point;", " 1.000000\n"},
        {"num.block @nosuch; print b.point;", refused},
        {"num.rigid @tower;", refused},
    };
    for (const auto& c : cases) {
        const Result r = runProgram("--headless -e 'read \"" + model + "\";' -e '" + c.statement +
                                    "' 2>&1 | tail -n +3");
        EXPECT_EQ(r.out, c.shown) << c.statement;
    }
}

TEST(Program, MissingScriptIsAnError) {
    const Result r = runProgram("--headless /nonexistent/none.txt");
    EXPECT_EQ(r.out, "[ERROR Message!] ERROR:  ファイルが見つかりませ～ん！ \n");
    EXPECT_EQ(r.status, 1);
}

}  // namespace
}  // namespace rz::test
