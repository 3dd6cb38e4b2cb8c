// The tagged binary files: their layout, round trips through fresh workstations, appending
// behind existing records, and files that are refused without touching the model.

#include <sys/resource.h>
#include <time.h>

#include <csignal>
#include <map>

#include "file_fixture.hpp"
#include "fileio/binary_input.hpp"
#include "fileio/binary_model.hpp"
#include "fileio/byte_order.hpp"
#include "model_compare.hpp"
#include "sample_model.hpp"

namespace rz::test {
namespace {

struct TagSeen {
    std::uint16_t code, kind;
    std::uint32_t content;
    bool operator==(const TagSeen&) const = default;
};

// The tags of a file, stepping over each section's records by the record sizes.
std::vector<TagSeen> tagsOf(const std::string& file) {
    static const std::map<std::uint16_t, std::size_t> kBytes{
        {1, 32}, {2, 4},  {3, 160},  {4, 344}, {5, 128}, {6, 192},  {7, 80},   {8, 8},
        {9, 32}, {10, 1}, {11, 136}, {12, 8},  {13, 80}, {14, 344}, {15, 136}, {16, 128}};
    std::vector<TagSeen> tags;
    const auto* p = reinterpret_cast<const std::uint8_t*>(file.data());
    std::size_t pos = 0;
    while (pos + 8 <= file.size()) {
        TagSeen t{fileio::loadU16(p + pos), fileio::loadU16(p + pos + 2),
                  fileio::loadU32(p + pos + 4)};
        tags.push_back(t);
        pos += 8;
        if (t.code != 5) continue;
        if (t.kind == 99) {
            for (int i = 0; i < 2; ++i) pos += 4 + fileio::loadU32(p + pos);
        } else {
            pos += kBytes.at(t.kind) * t.content;
        }
    }
    EXPECT_EQ(pos, file.size());
    return tags;
}

std::uint32_t today() {
    const time_t now = ::time(nullptr);
    struct tm t {};
    ::localtime_r(&now, &t);
    return static_cast<std::uint32_t>((t.tm_year % 100) * 10000 + (t.tm_mon + 1) * 100 + t.tm_mday);
}

TEST(DateTagTest, TwoDigitYearMonthAndDay) {
    struct Case {
        int year, month, day;
        std::uint32_t tag;
    };
    for (const Case c : {Case{1997, 3, 5, 970305}, Case{1999, 12, 31, 991231},
                         Case{2000, 1, 1, 101}, Case{2026, 10, 9, 261009}}) {
        SCOPED_TRACE(c.tag);
        struct tm date {};
        date.tm_year = c.year - 1900;
        date.tm_mon = c.month - 1;
        date.tm_mday = c.day;
        EXPECT_EQ(fileio::dateTagOf(date), c.tag);
    }
}

// Writes past a file size limit fail, as they would on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        struct rlimit small = old_;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }

  private:
    struct rlimit old_ {};
};

class BinaryModelTest : public FileTest {
  protected:
    Workstation ws;
};

TEST_F(BinaryModelTest, EmptyModelHasTheHeaderTheCreatorAndEmptySections) {
    ASSERT_TRUE(ws.run("write " + quoted("empty.ptb")).empty());
    const std::string f = readFile("empty.ptb");
    const std::vector<TagSeen> expected{{1, 0, 544 + 334 + 128 + 192},
                                        {2, 0, 10000},
                                        {3, 0, today()},
                                        {4, 0, 0},
                                        {5, 99, 1},
                                        {5, 1, 0},
                                        {5, 2, 0},
                                        {5, 3, 0},
                                        {5, 4, 0},
                                        {5, 5, 0},
                                        {5, 6, 1},
                                        {5, 7, 0},
                                        {5, 8, 0},
                                        {5, 9, 0},
                                        {5, 10, 0},
                                        {99, 0, 0}};
    EXPECT_EQ(tagsOf(f), expected);
    // Little-endian whatever the host: the version tag is 02 00 00 00 10 27 00 00.
    EXPECT_EQ(f.substr(8, 8), std::string("\x02\x00\x00\x00\x10\x27\x00\x00", 8));
}

// Creator texts are stored whole up to 254 characters, each behind its length: the text
// length rounded down to a multiple of 4, plus 4, so that a terminating zero always fits.
TEST_F(BinaryModelTest, CreatorTextsKeepTheirLengthRule) {
    struct Case {
        std::string user;
        std::string organisation;
    };
    for (const Case& c : {Case{"", "abcd"}, Case{"abcde", std::string(254, 'o')},
                          Case{std::string(253, 'u'), std::string(252, 'o')}}) {
        SCOPED_TRACE(c.user.size());
        fileio::OutputFile out;
        ASSERT_TRUE(out.open(path("c.ptb")));
        ASSERT_EQ(fileio::writeModelBinary(ws.msg, ws.model, out, false, {c.user, c.organisation}),
                  script::kOk);
        ASSERT_TRUE(out.commit());
        const std::string f = readFile("c.ptb");
        const auto* p = reinterpret_cast<const std::uint8_t*>(f.data());
        std::size_t pos = 40;  // four header tags and the creator's section tag
        for (const std::string& text : {c.user, c.organisation}) {
            const std::uint32_t length = fileio::loadU32(p + pos);
            EXPECT_EQ(length, text.size() / 4 * 4 + 4);
            EXPECT_EQ(f.substr(pos + 4, length), text + std::string(length - text.size(), '\0'));
            pos += 4 + length;
        }
        Workstation reader;
        EXPECT_TRUE(reader.run("read " + quoted("c.ptb")).empty());
    }
}

TEST_F(BinaryModelTest, EmptyFileIntoEmptyModelReplacesOnlyAttributeZero) {
    ASSERT_TRUE(ws.run("load.atr 0; let a.rgb 0.5 0.5 0.5; set.atr;").empty());
    ASSERT_TRUE(ws.run("write " + quoted("empty.ptb")).empty());
    Workstation fresh;
    ASSERT_TRUE(fresh.run("read " + quoted("empty.ptb")).empty());
    EXPECT_EQ(fresh.model.attributeCount, 1);
    EXPECT_EQ(fresh.model.attributes[0].rgb, (Vec3{0.5f, 0.5f, 0.5f}));
    EXPECT_EQ(fresh.model.blockCount, 1);
    EXPECT_EQ(fresh.model.axisCount, 0);
    EXPECT_EQ(fresh.model.mapinfoCount, 1);
}

TEST_F(BinaryModelTest, MotionModelTagsInOrder) {
    buildSampleModel(ws, dir_, true);
    ASSERT_TRUE(ws.run("write " + quoted("m.mmb")).empty());
    std::vector<std::uint16_t> kinds;
    for (const TagSeen& t : tagsOf(readFile("m.mmb")))
        if (t.code == 5) kinds.push_back(t.kind);
    EXPECT_EQ(kinds, (std::vector<std::uint16_t>{99, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
}

// Every format that carries the whole model gives the same model in a fresh workstation.
TEST_F(BinaryModelTest, RoundTripsThroughAFreshWorkstation) {
    struct Case {
        const char* name;
        bool joints;
    };
    for (const Case c : {Case{"parts.ptb", false}, Case{"motion.mmb", true}}) {
        SCOPED_TRACE(c.name);
        Workstation fresh;
        expectRoundTrip(dir_, path(c.name), c.joints, fresh);
        EXPECT_EQ(text(fresh.model.modelFileName.data(), 4096), path(c.name));
    }
}

TEST_F(BinaryModelTest, ReadTwiceAppendsASecondCopyThatPointsAtItsOwnRecords) {
    buildSampleModel(ws, dir_, true);
    ASSERT_TRUE(ws.run("write " + quoted("m.mmb")).empty());
    Workstation twice;
    ASSERT_TRUE(twice.run("read " + quoted("m.mmb")).empty());
    ASSERT_TRUE(twice.run("read " + quoted("m.mmb")).empty());
    const db::Database& a = ws.model;
    const db::Database& b = twice.model;
    EXPECT_EQ(b.axisCount, 2 * a.axisCount);
    EXPECT_EQ(b.patchCount, 2 * a.patchCount);
    EXPECT_EQ(b.shapeCount, 2 * a.shapeCount);
    EXPECT_EQ(b.blockCount, 2 * a.blockCount - 1);
    EXPECT_EQ(b.affineCount, 2 * a.affineCount - 1);
    EXPECT_EQ(b.attributeCount, 2 * a.attributeCount);
    EXPECT_EQ(b.mapinfoCount, 2 * a.mapinfoCount - 1);
    EXPECT_EQ(b.maplistCount, 2 * a.maplistCount - 1);
    EXPECT_EQ(b.mapdataCount, 2 * a.mapdataCount - 1);
    EXPECT_EQ(b.textureBytesUsed, 2 * a.textureBytesUsed);
    EXPECT_EQ(b.rigidCount, 2 * a.rigidCount);
    EXPECT_EQ(b.rlinkCount, 2 * a.rlinkCount);
    EXPECT_EQ(b.actorCount, 2 * a.actorCount - 1);

    // The second copy's references lead to the second copy's records.
    const db::Shape& grid = b.shapes[3];
    EXPECT_EQ(grid.shapeId, 3u);
    EXPECT_EQ(grid.axisId, 5u);
    EXPECT_EQ(grid.patchId, 11u);
    EXPECT_EQ(grid.attribId, 4);
    EXPECT_EQ(grid.textureId, 2);
    const db::Shape& mesh = b.shapes[4];
    EXPECT_EQ(mesh.shapeId, 4u);
    EXPECT_EQ(std::vector<std::int32_t>(b.patches.begin() + 14, b.patches.begin() + 22),
              (std::vector<std::int32_t>{-3, 5, 6, 7, -3, 6, 8, 7}));
    EXPECT_EQ(b.shapes[5].matrixId, 2);
    EXPECT_EQ(b.maplists[2].mapinfo, 2);
    EXPECT_EQ(b.mapinfos[2].texId, 2);
    EXPECT_EQ(b.mapdatas[2].offset, 12u);
    EXPECT_EQ(0, std::memcmp(b.textureBuffer.data() + 12, b.textureBuffer.data(), 12));
    EXPECT_EQ(b.blocks[3].rlinkId, 2);
    EXPECT_EQ(b.blocks[4].rlinkId, 3);
    EXPECT_EQ(b.rigids[1].block1, 3);
    EXPECT_EQ(b.rigids[1].block2, 4);
    EXPECT_EQ(b.rigids[1].actor, 2);
    EXPECT_EQ(b.rlinks[2].rigid, 1);
    EXPECT_EQ(b.actors[2].startRigid, 1);
    EXPECT_EQ(b.currentAttribute, b.attributeCount - 1);
}

// A parts file carries no joints: blocks it brings in have none either.
TEST_F(BinaryModelTest, PartsFileDropsJointReferencesOfItsBlocks) {
    buildSampleModel(ws, dir_, true);
    ASSERT_TRUE(ws.run("write " + quoted("p.ptb")).empty());
    Workstation fresh;
    ASSERT_TRUE(fresh.run("read " + quoted("p.ptb")).empty());
    EXPECT_EQ(fresh.model.blocks[1].rlinkId, -1);
    EXPECT_EQ(fresh.model.blocks[2].rlinkId, -1);
    EXPECT_EQ(fresh.model.rigidCount, 0);
}

TEST_F(BinaryModelTest, WritingChangesNothingAndAFailedWriteKeepsTheOldFile) {
    buildSampleModel(ws, dir_, true);
    ASSERT_TRUE(ws.run("write " + quoted("m.mmb")).empty());
    const std::string first = readFile("m.mmb");
    db::Database before = ws.model;
    ASSERT_TRUE(ws.run("load.atr 0; let a.rgb 0 0 1; set.atr;").empty());
    std::vector<std::string> boxes;
    {
        const FileSizeLimit full(100);
        boxes = ws.run("write " + quoted("m.mmb"));
    }
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], err(" ・・・ファイル書き込みがおかしいよーん！！ "));
    EXPECT_EQ(readFile("m.mmb"), first);
    EXPECT_EQ(files(), (std::vector<std::string>{"image.TXF", "image.map", "m.mmb"}));
    before.attributes[0] = ws.model.attributes[0];
    expectSameModel(before, ws.model);
}

// ---- Refused files ----------------------------------------------------------------------

class RefusedBinaryTest : public BinaryModelTest {
  protected:
    void SetUp() override {
        buildSampleModel(ws, dir_, true);
        ASSERT_TRUE(ws.run("write " + quoted("m.mmb")).empty());
        good = readFile("m.mmb");
    }
    // Reads bytes as a file into a model that already holds the sample; the boxes shown.
    std::vector<std::string> readInto(const std::string& bytes, const char* name = "bad.mmb") {
        writeFile(name, bytes);
        before = ws.model;
        return ws.run(std::string("read ") + quoted(name));
    }
    std::string good;
    db::Database before;
};

TEST_F(RefusedBinaryTest, EveryTruncationIsRefusedAndLeavesTheModelAsItWas) {
    for (std::size_t n = 0; n < good.size(); n += (n < 400 ? 1 : 37)) {
        SCOPED_TRACE(n);
        const auto boxes = readInto(good.substr(0, n));
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes[0], err(" ・・・ファイル読み込みがおかしいよーん！！ "));
        expectUnchanged(before, ws.model);
    }
}

std::string withU32(std::string bytes, std::size_t at, std::uint32_t v) {
    fileio::storeU32(reinterpret_cast<std::uint8_t*>(bytes.data()) + at, v);
    return bytes;
}
std::string withU16(std::string bytes, std::size_t at, std::uint16_t v) {
    fileio::storeU16(reinterpret_cast<std::uint8_t*>(bytes.data()) + at, v);
    return bytes;
}

// Offset of the tag header of a data section of the sample file.
std::size_t sectionAt(const std::string& file, std::uint16_t kind) {
    std::size_t pos = 0;
    const auto* p = reinterpret_cast<const std::uint8_t*>(file.data());
    for (const TagSeen& t : tagsOf(file)) {
        if (t.code == 5 && t.kind == kind) return pos;
        static const std::map<std::uint16_t, std::size_t> kBytes{
            {1, 32}, {2, 4},  {3, 160}, {4, 344},  {5, 128}, {6, 192}, {7, 80},
            {8, 8},  {9, 32}, {10, 1},  {11, 136}, {12, 8},  {13, 80}};
        pos += 8;
        if (t.code != 5) continue;
        if (t.kind == 99) {
            for (int i = 0; i < 2; ++i) pos += 4 + fileio::loadU32(p + pos);
        } else {
            pos += kBytes.at(t.kind) * t.content;
        }
    }
    return std::string::npos;
}

TEST_F(RefusedBinaryTest, CorruptFilesAreRefusedWithTheirMessage) {
    const std::size_t axes = sectionAt(good, 1);
    const std::size_t shapes = sectionAt(good, 3);
    const std::size_t blocks = sectionAt(good, 4);
    const std::size_t texture = sectionAt(good, 10);
    const std::size_t mapdata = sectionAt(good, 9);
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> boxes;
    };
    const std::string readError = err(" ・・・ファイル読み込みがおかしいよーん！！ ");
    const std::vector<Case> cases{
        {"not a tagged file", withU16(good, 0, 7), {readError, "in ReadModelBinary (TAGSTART)\n"}},
        {"a newer version",
         withU32(good, 12, 10001),
         {err(" このファイル形式はサポートしてないよ！ ")}},
        {"no date tag", withU16(good, 16, 4), {readError, "in ReadModelBinary (TAGDATE)\n"}},
        {"no protect tag", withU16(good, 24, 3), {readError, "in ReadModelBinary (TAGPROTECT)\n"}},
        {"more axes than there is room for",
         withU32(good, axes + 4, 30000),
         {err(" Axis データ登録がオーバーフローしました！ ( 30005 ) \n")}},
        {"more blocks than there is room for",
         withU32(good, blocks + 4, 999),
         {err("ＥＲＲＯＲ！　パーツブロックは 1002 個までしか登録出来ません。 \n")}},
        {"more texture than the buffer holds",
         withU32(good, texture + 4, 0x7fffffff),
         {err(" テクスチャ画像データ記憶域がオーバーフローだぁ！ \n")}},
        {"a section kind nobody knows",
         withU16(good, axes + 2, 77),
         {err(" このファイル形式はサポートしてないよ！ "), "in ReadModelBinary (tagkind 77)\n"}},
        {"a shape whose axes lie outside the file",
         withU32(good, shapes + 8 + 4, 4000),
         {readError, "in RelocateModel (SHAPE)\n"}},
        {"an image outside the texture bytes",
         withU32(good, mapdata + 8 + 12, 4096),
         {readError, "in RelocateModel (MAPDATA)\n"}},
        {"a creator text longer than the file",
         withU32(good, 40, 0xfffffff0),
         {readError, "in ReadModelBinary (CREATER)\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> expected = c.boxes;
        expected.push_back(kRunFailed);
        EXPECT_EQ(readInto(c.bytes), expected);
        expectUnchanged(before, ws.model);
    }
}

TEST_F(RefusedBinaryTest, AFileThatDoesNotFitIsRefusedWhole) {
    db::Settings small;
    small.capacity.shapemax = 4;
    Workstation tight(small);
    writeFile("m.mmb", good);
    ASSERT_TRUE(tight.run("read " + quoted("m.mmb")).empty());
    before = tight.model;
    const auto boxes = tight.run("read " + quoted("m.mmb"));
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0], err(" Shape データ登録がオーバーフローしました！ ( 6 ) \n"));
    expectUnchanged(before, tight.model);
}

// ---- Poses ------------------------------------------------------------------------------

TEST_F(BinaryModelTest, PoseFileRestoresPosesOfTheSameModelOnly) {
    buildSampleModel(ws, dir_, true);
    ASSERT_TRUE(ws.run("write " + quoted("pose.gim")).empty());
    const db::Database posed = ws.model;
    ASSERT_TRUE(
        ws.run("load.block 1; let b.xyzrot.v 0 0 0; let b.name \"renamed\"; set.block;").empty());
    ws.model.rigids[0].pos = {9, 9, 9};
    ws.model.rigids[0].old = {8, 8, 8};
    ws.model.affines[1] = kIdentity;
    ASSERT_TRUE(ws.run("read " + quoted("pose.gim")).empty());
    EXPECT_EQ(ws.model.blocks[1].xyzrot, posed.blocks[1].xyzrot);
    EXPECT_EQ(text(ws.model.blocks[1].name.data(), 64), "renamed");  // not a posable field
    EXPECT_EQ(ws.model.rigids[0].pos, posed.rigids[0].pos);
    EXPECT_EQ(ws.model.rigids[0].old, (Vec3{8, 8, 8}));  // kept
    EXPECT_EQ(ws.model.affines[1], posed.affines[1]);

    // A model with one more block, matrix or rigid is not the model of this pose.
    for (const char* change :
         {"load.block 3; set.block;", "matrix.add;", "load.rigid 1; set.rigid;"}) {
        SCOPED_TRACE(change);
        Workstation other;
        buildSampleModel(other, dir_, true);
        ASSERT_TRUE(other.run(change).empty());
        const db::Database before = other.model;
        EXPECT_EQ(
            other.run("read " + quoted("pose.gim")),
            (std::vector<std::string>{
                err("読み込むデータと更新するデータのレコード数が一致しません！"), kRunFailed}));
        expectUnchanged(before, other.model);
    }
}

// ---- The reader on its own, from memory -------------------------------------------------

TEST(BinaryReaderTest, ReadsFromMemoryAndNeverPastItsEnd) {
    platform::RecordingSink sink;
    platform::MessageService msg(sink);
    db::Database model;
    model.axes.resize(2000);
    model.capacity.axismax = 1002;  // room for 2 axes
    std::vector<std::uint8_t> file(8 * 5 + 8, 0);
    const std::vector<std::pair<std::uint16_t, std::uint32_t>> header{
        {1, 0}, {2, 10000}, {3, 0}, {4, 0}};
    for (std::size_t i = 0; i < header.size(); ++i) {
        fileio::storeU16(file.data() + 8 * i, header[i].first);
        fileio::storeU32(file.data() + 8 * i + 4, header[i].second);
    }
    fileio::storeU16(file.data() + 32, 5);
    fileio::storeU16(file.data() + 34, 1);
    fileio::storeU32(file.data() + 36, 3);  // three axes for room of two
    fileio::BinaryInput in(std::span<const std::uint8_t>(file.data(), 40));
    EXPECT_EQ(fileio::readModelBinary(msg, model, in), script::kFail);
    EXPECT_EQ(
        sink.boxes(),
        (std::vector<std::string>{err(" Axis データ登録がオーバーフローしました！ ( 3 ) \n")}));
    EXPECT_EQ(model.axisCount, 0);
}

}  // namespace
}  // namespace rz::test
