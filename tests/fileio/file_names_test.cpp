// The file-name rules and the way read and write pick, refuse and announce a type.

#include "fileio/file_names.hpp"
#include "file_fixture.hpp"
#include "fileio/file_types.hpp"
#include "model_compare.hpp"
#include "sample_model.hpp"

namespace rz::test {
namespace {

TEST(SplitPathTest, FolderBaseAndExtension) {
    struct Case {
        const char* path;
        const char* dir;
        const char* base;
        const char* ext;
    };
    for (const Case c :
         {Case{"a.pts", "", "a", "pts"}, Case{"old.dir/a.pts", "old.dir/", "a", "pts"},
          Case{"/tmp/x/model", "/tmp/x/", "model", ""}, Case{"/a.b.c", "/", "a.b", "c"},
          Case{"dir/.hidden", "dir/", "", "hidden"}}) {
        SCOPED_TRACE(c.path);
        const fileio::PathParts p = fileio::splitPath(c.path);
        EXPECT_EQ(p.dir, c.dir);
        EXPECT_EQ(p.base, c.base);
        EXPECT_EQ(p.ext, c.ext);
    }
}

TEST(FileTypeTest, ExtensionsMatchWithoutRegardToCase) {
    using fileio::FileType;
    struct Case {
        const char* ext;
        int code;
    };
    // Every row of the extension table, in mixed case.
    for (const Case c : {Case{"mdl", 1},     Case{"CAM", 2},  Case{"Lig", 3},    Case{"atr", 4},
                         Case{"ANG", 7},     Case{"sub", 8},  Case{"gim", 9},    Case{"pic", 10},
                         Case{"Pcl", 11},    Case{"mdb", 12}, Case{"PTS", 13},   Case{"m08", 14},
                         Case{"M16", 15},    Case{"m24", 16}, Case{"m32", 17},   Case{"map", 18},
                         Case{"pss", 19},    Case{"mdf", 20}, Case{"SH", 22},    Case{"cbf", 23},
                         Case{"raw", 24},    Case{"RGB", 24}, Case{"bmp", 25},   Case{"tif", 26},
                         Case{"mbf", 27},    Case{"dxf", 28}, Case{"mms", 29},   Case{"mmb", 30},
                         Case{"MmX", 31},    Case{"ptb", 32}, Case{"PtX", 33},   Case{"txf", 34},
                         Case{"wrl", 35},    Case{"rok", 36}, Case{"", 0},       Case{"xyz", 9999},
                         Case{"ptss", 9999}, Case{"s", 9999}, Case{"tiff", 9999}}) {
        SCOPED_TRACE(c.ext);
        EXPECT_EQ(fileio::code(fileio::fileTypeOfExtension(c.ext)), c.code);
    }
}

class NameTest : public FileTest {
  protected:
    std::string finalName(const std::string& name) {
        std::string out;
        EXPECT_EQ(fileio::makeName(ws.in, name, out), fileio::NameResult::Built);
        return out;
    }
    Workstation ws;
};

TEST_F(NameTest, SuffixAndForcedExtension) {
    EXPECT_EQ(finalName("old.dir/a.pts"), "old.dir/a.pts");
    EXPECT_EQ(finalName("a"), "a.");
    ASSERT_TRUE(ws.run("setnum 3;").empty());
    EXPECT_EQ(finalName("a.pts"), "a3.pts");
    ASSERT_TRUE(ws.run("expand \"ptb\"; resetnum;").empty());
    EXPECT_EQ(finalName("dir/a.pts"), "dir/a.ptb");
    ASSERT_TRUE(ws.run("expand 0;").empty());
    std::string out;
    EXPECT_EQ(fileio::makeName(ws.in, "", out), fileio::NameResult::Empty);
}

TEST_F(NameTest, BaseNameLongerThan256IsRefused) {
    const std::string base(250, 'n');
    EXPECT_EQ(finalName(base + ".pts"), base + ".pts");
    ASSERT_TRUE(ws.run("setnum 1234567;").empty());
    std::string out;
    ws.sink.clear();
    EXPECT_EQ(fileio::makeName(ws.in, base + ".pts", out), fileio::NameResult::Failed);
    EXPECT_EQ(ws.sink.boxes(),
              (std::vector<std::string>{err(" ファイル名が長すぎるよーん。（１２文字以内でねっ）"),
                                        " ... in MakeName() => "}));
    EXPECT_EQ(ws.sink.log.back().text, base + "1234567");
}

TEST_F(NameTest, CompanionsTakeTheNumberingAgain) {
    buildSampleModel(ws, dir_, false);
    ASSERT_TRUE(ws.run("setnum 3; write " + quoted("a.pts")).empty());
    EXPECT_TRUE(exists("a3.pts"));
    EXPECT_TRUE(exists("a33.MBF"));
    Workstation other;
    ASSERT_TRUE(other.run("setnum 3; read " + quoted("a.pts")).empty());
    expectSameModel(ws.model, other.model, false);
}

TEST_F(NameTest, ForcedExtensionPicksTheType) {
    buildSampleModel(ws, dir_, false);
    ASSERT_TRUE(ws.run("expand \"ptb\"; write " + quoted("a.pts")).empty());
    EXPECT_TRUE(exists("a.ptb"));
    EXPECT_FALSE(exists("a.pts"));
}

TEST_F(NameTest, RefusedTypesNameTheirCode) {
    const std::string wrong = err(" 設定された「拡張子」と違うものが使われています！！ ");
    struct Case {
        std::string command;
        std::vector<std::string> boxes;
    };
    const std::vector<Case> cases{
        {"write " + quoted("a"), {wrong, " ... in write_(): 0 \n", kRunFailed}},
        {"write " + quoted("a.bmp"), {wrong, " ... in write_(): 25 \n", kRunFailed}},
        {"write " + quoted("a.ptx"), {wrong, " ... in write_(): 33 \n", kRunFailed}},
        {"write " + quoted("a.qqq"), {wrong, wrong, " ... in write_(): 9999 \n", kRunFailed}},
        {"read " + quoted("a.dxf"), {wrong, " ... in read_() \n", kRunFailed}},
        {"read " + quoted("a.sub"), {wrong, " ... in read_() \n", kRunFailed}},
        {"read " + quoted("a.qqq"), {wrong, wrong, " ... in read_() \n", kRunFailed}},
        {"read " + quoted("missing.pts"),
         {err(" ファイルが見つかりませ～ん！ "), " in read_() ( " + path("missing.pts") + " )\n",
          kRunFailed}},
        {"write " + quoted("no/such/dir/a.pts"),
         {err(" ファイルが開かないよ！ "), " in write_() ( " + path("no/such/dir/a.pts") + " )\n",
          kRunFailed}},
        {"read 12", {err(" パラメータが不正です！ "), " ... in read_() \n", kRunFailed}},
        {"write \"a.pts\" \"b.pts\"", {err(" パラメータが多すぎます！ "), kRunFailed}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(ws.run(c.command), c.boxes);
    }
    EXPECT_TRUE(files().empty());
    EXPECT_EQ(text(ws.model.modelFileName.data(), 4096), "");
}

TEST_F(NameTest, ModelFileNameFollowsSuccessOnly) {
    ASSERT_TRUE(ws.run("write " + quoted("a.ptb")).empty());
    EXPECT_EQ(text(ws.model.modelFileName.data(), 4096), path("a.ptb"));
    ASSERT_FALSE(ws.run("read " + quoted("missing.ptb")).empty());
    EXPECT_EQ(text(ws.model.modelFileName.data(), 4096), path("a.ptb"));
    ASSERT_TRUE(ws.run("read " + quoted("A.PTB")).empty());  // found case-insensitively
    EXPECT_EQ(text(ws.model.modelFileName.data(), 4096), path("A.PTB"));
}

TEST_F(NameTest, StringVariablesNameTheFile) {
    ASSERT_TRUE(ws.run("let #STRING " + quoted("v.cam") + "; write #STRING;").empty());
    EXPECT_TRUE(exists("v.cam"));
}

}  // namespace
}  // namespace rz::test
