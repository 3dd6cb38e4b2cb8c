// read and write: the one door through which every data file goes. The final name is
// built by the file-name rules, its extension picks the type, and the type's row of the
// tables below says how the file is opened, announced and handled.

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "db/undo_point.hpp"
#include "fileio/binary_input.hpp"
#include "fileio/binary_model.hpp"
#include "fileio/file_commands.hpp"
#include "fileio/file_messages.hpp"
#include "fileio/file_names.hpp"
#include "fileio/file_types.hpp"
#include "fileio/geometry_section.hpp"
#include "fileio/grid_model.hpp"
#include "fileio/image_codecs.hpp"
#include "fileio/load_snapshot.hpp"
#include "fileio/model_export.hpp"
#include "fileio/output_file.hpp"
#include "fileio/rok_reader.hpp"
#include "fileio/text_formats.hpp"
#include "fileio/texture_files.hpp"
#include "platform/input_file.hpp"
#include "script/command_table.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::fileio {
namespace {

using script::kFail;
using script::kOk;
using script::Result;

struct FileJob {
    script::Interp& in;
    db::Database& db;
    const std::string& name;  // the final name
    FileType type;
};

void status(FileJob& j, const char* format) {
    j.in.msg.formatBuffer(format, j.name.c_str());
    j.in.msg.statusBuffer();
}

// ---- Reading -------------------------------------------------------------------------

bool openText(FileJob& j, platform::InputFile& file) {
    if (file.open(j.name)) return true;
    j.in.msg.errorBox(script::msg::kFileNotFound);
    j.in.msg.formatBuffer(" in read_() ( %s )\n", j.name.c_str());
    j.in.msg.errorBoxPlain(j.in.msg.buffer());
    return false;
}

bool openBinary(FileJob& j, BinaryInput& file) {
    if (file.open(j.name)) return true;
    j.in.msg.errorBox(script::msg::kFileNotFound);
    j.in.msg.formatBuffer(" in read_() ( %s )\n", j.name.c_str());
    j.in.msg.errorBoxPlain(j.in.msg.buffer());
    return false;
}

// Runs a data file with status texts and system boxes silenced. A model file that needed
// an error report anywhere is bad as a whole, even when the language carried on after it.
script::Result runSilently(FileJob& j, platform::InputFile& file, bool strict) {
    const int errorsBefore = j.in.msg.errorCount();
    j.in.msg.setMessageMode(0);
    script::Result r = script::execFileStream(j.in, file);
    j.in.msg.setMessageMode(1);
    if (strict && r == kOk && j.in.msg.errorCount() != errorsBefore) r = kFail;
    return r;
}

// The texture companion of a parts or motion-model file, if there is one.
script::Result readImagesCompanion(FileJob& j) {
    std::string companion;
    if (makeCompanionName(j.in, j.name, "MBF", companion) != NameResult::Built) return kFail;
    BinaryInput file;
    if (!file.open(companion)) return kOk;
    j.in.msg.formatBuffer(msg::kReadingTexture, companion.c_str());
    j.in.msg.statusBuffer();
    return readTextureImages(j.in.msg, j.db, file);
}

// What every model load ends with: references moved behind the records that were there,
// the last attribute selected.
script::Result finishModelLoad(FileJob& j, LoadGuard& guard, script::Result result,
                               bool selectAttribute) {
    if (result == kOk && !relocateLoaded(j.in.msg, j.db, j.type)) result = kFail;
    if (result != kOk) {
        guard.rollback();
        return result;
    }
    if (selectAttribute) db::selectAttri(j.in, j.db.attributeCount - 1);
    return kOk;
}

// A loaded model is where the undo of geometry creation stops: undo must not take it away.
script::Result takeUndoPointAfter(FileJob& j, script::Result loaded) {
    if (loaded == kOk) db::takeUndoPoint(j.db);
    return loaded;
}

script::Result readPartsScript(FileJob& j) {
    platform::InputFile file;
    if (!openText(j, file)) return kFail;
    status(j, "** パーツデータ ( %s ) を読み込みます **\n");
    LoadGuard guard(j.db);
    takeLoadSnapshot(j.db);
    script::Result r = runSilently(j, file, true);
    if (r == kOk) r = readImagesCompanion(j);
    return takeUndoPointAfter(j, finishModelLoad(j, guard, r, true));
}

// A geometry section script begins with its comment line; anything else is a grid file.
bool startsAsScript(platform::InputFile& file) {
    int c = file.get();
    while (c == ' ' || c == '\t' || c == '\r' || c == '\n') c = file.get();
    file.unget(c);
    return c == '\'';
}

script::Result readTextModel(FileJob& j) {
    platform::InputFile file;
    if (!openText(j, file)) return kFail;
    status(j, "** 形状データ ( %s ) を呼出します **\n");
    if (!startsAsScript(file)) {
        const GridForm form = j.type == FileType::Mdf ? GridForm::Full : GridForm::Positions;
        return readGridModel(j.in, j.name, form, false);
    }
    // What write saves under these names: the geometry section of the model.
    LoadGuard guard(j.db);
    takeLoadSnapshot(j.db);
    return finishModelLoad(j, guard, runSilently(j, file, true), false);
}

script::Result readBinaryModel(FileJob& j) {
    BinaryInput file;
    if (!openBinary(j, file)) return kFail;
    status(j, "** 形状データ ( %s ) を呼出します **\n");
    LoadGuard guard(j.db);
    takeLoadSnapshot(j.db);
    bool attributes = false;
    const script::Result r = readModelBinary(j.in.msg, j.db, file, &attributes);
    return takeUndoPointAfter(j, finishModelLoad(j, guard, r, attributes));
}

script::Result readPose(FileJob& j) {
    BinaryInput file;
    if (!openBinary(j, file)) return kFail;
    status(j, "** ポーズ設定データ ( %s ) を読み込みます **\n");
    return readModelBinary(j.in.msg, j.db, file) == kOk ? kOk : kFail;
}

script::Result readCamera(FileJob& j) {
    platform::InputFile file;
    if (!openText(j, file)) return kFail;
    Vec3& upper = db::vectorVar(j.in, db::SysVar::CUpper);
    upper = {0.0f, 0.0f, 0.0f};
    status(j, "** カメラデータ ( %s ) を読み込みます **\n");
    const script::Result r = script::execFileStream(j.in, file);
    if (upper[0] == 0.0f && upper[1] == 0.0f && upper[2] == 0.0f) setDefaultCameraUp(j.in);
    return r;
}

script::Result readLights(FileJob& j) {
    platform::InputFile file;
    if (!openText(j, file)) return kFail;
    status(j, "** 光源データ ( %s ) を読み込みます **\n");
    LoadGuard guard(j.db);
    for (db::Light& l : j.db.lights) l.kind = 0;
    const script::Result r = script::execFileStream(j.in, file);
    if (r != kOk) guard.rollback();
    return r;
}

script::Result readAttributes(FileJob& j) {
    platform::InputFile file;
    if (!openText(j, file)) return kFail;
    status(j, "** 質感データ ( %s ) を読み込みます **\n");
    return script::execFileStream(j.in, file);
}

script::Result readMapping(FileJob& j) {
    platform::InputFile file;
    if (!openText(j, file)) return kFail;
    status(j, "** マッピングデータ ( %s ) を読み込みます **\n");
    script::Result r = runSilently(j, file, false);
    if (r == kOk) {
        std::string companion;
        if (makeCompanionName(j.in, j.name, "TXF", companion) != NameResult::Built) return kFail;
        BinaryInput image;
        if (image.open(companion)) {
            j.in.msg.formatBuffer(msg::kReadingTexture, companion.c_str());
            j.in.msg.statusBuffer();
            r = readSingleTexture(j.in.msg, j.db, image);
        }
    }
    db::scalarVar(j.in, db::SysVar::MTexId) = static_cast<float>(j.db.mapdataCount - 1);
    return r;
}

// A refused file takes back everything the reader appended before it found the fault.
script::Result readRokShapes(FileJob& j) {
    platform::InputFile file;
    if (!openText(j, file)) return kFail;
    status(j, "** 六角大王形状データ ( %s ) を呼出します **\n");
    LoadGuard guard(j.db);
    const script::Result r = readRok(j.in, file);
    if (r != kOk) guard.rollback();
    return r;
}

script::Result readImages(FileJob& j) {
    BinaryInput file;
    if (!openBinary(j, file)) return kFail;
    status(j, msg::kReadingTexture);
    return readTextureImages(j.in.msg, j.db, file);
}

// The C-Buffer exactly as it is held; a file too short for it leaves the buffer alone.
script::Result readColorBuffer(FileJob& j) {
    BinaryInput file;
    if (!openBinary(j, file)) return kFail;
    status(j, "** Ｃバッファデータ ( %s ) を読み込みます **\n");
    db::ColorBuffer& cbuf = j.db.colorBuffer;
    if (!hasPixels(cbuf)) {
        j.in.msg.errorBox(msg::kOutsideScreen);
        return kFail;
    }
    const std::size_t bytes = static_cast<std::size_t>(cbuf.width) * cbuf.height * 4;
    if (file.remaining() < bytes || !file.read(cbuf.pixels.data(), bytes)) {
        j.in.msg.errorBox(msg::kReadError);
        return kFail;
    }
    return kOk;
}

struct ReadRow {
    FileType type;
    script::Result (*read)(FileJob&);
};

constexpr std::array<ReadRow, 16> kReaders{{
    {FileType::Mdl, readTextModel},
    {FileType::Mdf, readTextModel},
    {FileType::Cam, readCamera},
    {FileType::Lig, readLights},
    {FileType::Atr, readAttributes},
    {FileType::Gim, readPose},
    {FileType::Pts, readPartsScript},
    {FileType::Mms, readPartsScript},
    {FileType::Map, readMapping},
    {FileType::Mbf, readImages},
    {FileType::Mmb, readBinaryModel},
    {FileType::Mmx, readBinaryModel},
    {FileType::Ptb, readBinaryModel},
    {FileType::Ptx, readBinaryModel},
    {FileType::Cbf, readColorBuffer},
    {FileType::Rok, readRokShapes},
}};

// ---- Writing -------------------------------------------------------------------------

script::Result textFailed(FileJob& j) {
    j.in.msg.errorBox(msg::kWriteError);
    j.in.msg.errorBoxPlain(msg::kInWrite);
    return kFail;
}

script::Result writeText(FileJob& j, OutputFile& out,
                         bool (*writer)(script::Interp&, OutputFile&)) {
    return writer(j.in, out) ? kOk : textFailed(j);
}

script::Result writeGeometry(FileJob& j, OutputFile& out) {
    const ShapeIds ids = j.type == FileType::Mdf ? ShapeIds::Full : ShapeIds::Plain;
    return writeGeometrySection(j.db, out, ids) ? kOk : textFailed(j);
}
script::Result writeCamera(FileJob& j, OutputFile& out) {
    return writeText(j, out, writeCameraScript);
}
script::Result writeLights(FileJob& j, OutputFile& out) {
    return writeText(j, out, writeLightScript);
}
script::Result writeAttributes(FileJob& j, OutputFile& out) {
    return writeText(j, out, writeAttributeScript);
}
script::Result writeMapping(FileJob& j, OutputFile& out) {
    return writeText(j, out, writeMappingScript);
}
script::Result writeParts(FileJob& j, OutputFile& out) {
    return writePartsScript(j.in, out, j.type == FileType::Mms) ? kOk : textFailed(j);
}
script::Result writePose(FileJob& j, OutputFile& out) {
    return writePoseBinary(j.in.msg, j.db, out);
}
script::Result writeBinaryModel(FileJob& j, OutputFile& out) {
    return writeModelBinary(j.in.msg, j.db, out, j.type == FileType::Mmb);
}
script::Result writeImages(FileJob& j, OutputFile& out) {
    if (j.db.mapdataCount == 0 || j.db.textureBytesUsed == 0) {
        j.in.msg.errorBox(msg::kNoTextureData);
        return kFail;
    }
    return writeTextureImages(j.in.msg, j.db, out);
}
// An export that could not expand or place a shape has reported it; the file is dropped.
script::Result writeDxfFaces(FileJob& j, OutputFile& out) {
    // The layer is the file's base name.
    if (writeDxf(j.db, j.in.msg, out, splitPath(j.name).base) != kOk) return kFail;
    return out.ok() ? kOk : textFailed(j);
}
script::Result writeVrmlScene(FileJob& j, OutputFile& out) {
    if (writeVrml(j.db, j.in.msg, out, j.db.vrmlScale, j.db.vrmlMode != 0) != kOk) return kFail;
    return out.ok() ? kOk : textFailed(j);
}
script::Result writeColorBuffer(FileJob& j, OutputFile& out) {
    const db::ColorBuffer& cbuf = j.db.colorBuffer;
    if (!hasPixels(cbuf)) {
        j.in.msg.errorBox(msg::kOutsideScreen);
        return kFail;
    }
    const std::size_t bytes = static_cast<std::size_t>(cbuf.width) * cbuf.height * 4;
    return out.write(cbuf.pixels.data(), bytes) ? kOk : textFailed(j);
}

// The binary companions; one that cannot be created is skipped.
script::Result writeCompanion(FileJob& j, const char* ext,
                              script::Result (*writer)(FileJob&, OutputFile&)) {
    std::string companion;
    if (makeCompanionName(j.in, j.name, ext, companion) != NameResult::Built) return kFail;
    OutputFile out;
    if (!out.open(companion)) return kOk;
    j.in.msg.formatBuffer(msg::kSavingTexture, companion.c_str());
    j.in.msg.statusBuffer();
    if (writer(j, out) != kOk) return kFail;
    return out.commit() ? kOk : textFailed(j);
}

script::Result imagesCompanion(FileJob& j) {
    if (j.db.textureBytesUsed <= 0) return kOk;
    return writeCompanion(j, "MBF", [](FileJob& job, OutputFile& out) {
        return writeTextureImages(job.in.msg, job.db, out);
    });
}

script::Result textureCompanion(FileJob& j) {
    const int image = static_cast<int>(db::scalarVar(j.in, db::SysVar::MTexId));
    if (image <= 0) return kOk;
    std::string companion;
    if (makeCompanionName(j.in, j.name, "TXF", companion) != NameResult::Built) return kFail;
    OutputFile out;
    if (!out.open(companion)) return kOk;
    if (writeSingleTexture(j.in.msg, j.db, image, out) != kOk) return kFail;
    return out.commit() ? kOk : textFailed(j);
}

struct WriteRow {
    FileType type;
    const char* status;
    script::Result (*write)(FileJob&, OutputFile&);
    script::Result (*companion)(FileJob&);
};

constexpr std::array<WriteRow, 15> kWriters{{
    {FileType::Mdl, "** 形状データ ( %s ) を保存します **\n", writeGeometry, nullptr},
    {FileType::Mdf, "** 形状データ ( %s ) を保存します **\n", writeGeometry, nullptr},
    {FileType::Cam, "** カメラデータ ( %s ) を保存します **\n", writeCamera, nullptr},
    {FileType::Lig, "** 光源データ ( %s ) を保存します **\n", writeLights, nullptr},
    {FileType::Atr, "** 質感データ ( %s ) を保存します **\n", writeAttributes, nullptr},
    {FileType::Gim, "** ポーズ設定データ ( %s ) を保存します **\n", writePose, nullptr},
    {FileType::Pts, "** パーツデータ ( %s ) を保存します **\n", writeParts, imagesCompanion},
    {FileType::Ptb, "** パーツデータ ( %s ) を保存します **\n", writeBinaryModel, nullptr},
    {FileType::Map, "** マッピングデータ ( %s ) を保存します **\n", writeMapping, textureCompanion},
    {FileType::Cbf, "** Ｃバッファデータ ( %s ) を保存します **\n", writeColorBuffer, nullptr},
    {FileType::Mbf, "** テクスチャ画像データ ( %s ) を保存します **\n", writeImages, nullptr},
    {FileType::Dxf, "** DXF形式の形状データ ( %s ) を保存します **\n", writeDxfFaces, nullptr},
    {FileType::Mms, "** 運動モデルデータ ( %s ) を保存します **\n", writeParts, imagesCompanion},
    {FileType::Mmb, "** 運動モデルデータ ( %s ) を保存します **\n", writeBinaryModel, nullptr},
    {FileType::Wrl, "** WRL(VRML)形式の形状データ ( %s ) を保存します **\n", writeVrmlScene,
     nullptr},
}};

void rememberName(db::Database& db, const std::string& name) {
    const std::size_t n = std::min(name.size(), db.modelFileName.size() - 1);
    std::memcpy(db.modelFileName.data(), name.data(), n);
    db.modelFileName[n] = '\0';
}

}  // namespace

static script::Result cmdRead(script::Interp& in) {
    std::string given;
    if (fileArgument(in, given, msg::kInRead) != kOk) return kFail;
    std::string name;
    const NameResult built = makeName(in, given, name);
    if (built != NameResult::Built) return built == NameResult::Empty ? kOk : kFail;
    db::Database& db = db::database(in);
    FileJob job{in, db, name, fileTypeOfName(in.msg, name)};
    const auto row = std::find_if(kReaders.begin(), kReaders.end(),
                                  [&](const ReadRow& r) { return r.type == job.type; });
    if (row == kReaders.end()) {
        in.msg.errorBox(msg::kWrongExtension);
        in.msg.errorBoxPlain(msg::kInRead);
        return kFail;
    }
    if (const script::Result r = row->read(job); r != kOk) return r;
    in.msg.statusText(msg::kReadDone);
    rememberName(db, name);
    return kOk;
}

static script::Result cmdWrite(script::Interp& in) {
    std::string given;
    if (fileArgument(in, given, msg::kInWrite) != kOk) return kFail;
    std::string name;
    const NameResult built = makeName(in, given, name);
    if (built != NameResult::Built) return built == NameResult::Empty ? kOk : kFail;
    db::Database& db = db::database(in);
    FileJob job{in, db, name, fileTypeOfName(in.msg, name)};
    const auto row = std::find_if(kWriters.begin(), kWriters.end(),
                                  [&](const WriteRow& r) { return r.type == job.type; });
    if (row == kWriters.end()) {
        in.msg.errorBox(msg::kWrongExtension);
        in.msg.formatBuffer(" ... in write_(): %d \n", code(job.type));
        in.msg.errorBoxPlain(in.msg.buffer());
        return kFail;
    }
    OutputFile out;
    if (!out.open(name)) {
        in.msg.errorBox(msg::kCannotOpenWrite);
        in.msg.formatBuffer(" in write_() ( %s )\n", name.c_str());
        in.msg.errorBoxPlain(in.msg.buffer());
        return kFail;
    }
    status(job, row->status);
    if (const script::Result r = row->write(job, out); r != kOk) return r;
    if (!out.commit()) return textFailed(job);
    if (row->companion != nullptr)
        if (const script::Result r = row->companion(job); r != kOk) return r;
    in.msg.statusText(msg::kSaveDone);
    rememberName(db, name);
    return kOk;
}

namespace {
const std::array<script::CommandRow, 2> kCommands{{
    {"read", cmdRead},
    {"write", cmdWrite},
}};
}  // namespace

std::span<const script::CommandRow> readWriteCommands() {
    return kCommands;
}

}  // namespace rz::fileio
