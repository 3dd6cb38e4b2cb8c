#include "app/shell/file_flows.hpp"

#include <QByteArray>
#include <algorithm>
#include <array>
#include <optional>

#include "app/dxf_import.hpp"
#include "app/shell/dialog_host.hpp"
#include "app/shell/host_box.hpp"
#include "script/language_symbols.hpp"
#include "script/symbol_table.hpp"

namespace rz::app {
namespace {

constexpr FileFilter kMmb{"運動ﾊﾞｲﾅﾘﾌｧｲﾙ(*.MMB)", "*.MMB"};
constexpr FileFilter kPtb{"形状ﾊﾞｲﾅﾘﾌｧｲﾙ(*.PTB)", "*.PTB"};
constexpr FileFilter kMms{"運動ﾓﾃﾞﾙﾌｧｲﾙ(*.MMS)", "*.MMS"};
constexpr FileFilter kPts{"形状ﾃﾞｰﾀﾌｧｲﾙ(*.PTS)", "*.PTS"};
constexpr FileFilter kPtsAdd{"形状ﾃﾞｰﾀﾌｧｲﾙ (*.PTS)", "*.PTS"};
constexpr FileFilter kGim{"ﾓﾃﾞﾙﾎﾟｰｽﾞﾌｧｲﾙ(*.GIM)", "*.GIM"};
constexpr FileFilter kDxf{"DXF形状ファイル(*.DXF)", "*.DXF"};
constexpr FileFilter kWrl{"VRML形状ファイル(*.WRL)", "*.WRL"};
constexpr FileFilter kRok{"六角大王ﾌｧｲﾙ(*.ROK)", "*.ROK"};
constexpr FileFilter kCam{"ｶﾒﾗ設定ﾌｧｲﾙ (*.CAM)", "*.CAM"};
constexpr FileFilter kLig{"光源設定ﾌｧｲﾙ(*.LIG)", "*.LIG"};
constexpr FileFilter kPose{"ﾎﾟｰｽﾞ情報ﾌｧｲﾙ(*.GIM)", "*.GIM"};
constexpr FileFilter kBmp{"BMPﾌｧｲﾙ (*.BMP)", "*.BMP"};
constexpr FileFilter kTif{"TIFFﾌｧｲﾙ（*.TIF）", "*.TIF"};
constexpr FileFilter kSub{"ｽｸﾘﾌﾟﾄﾌｧｲﾙ(*.SUB)", "*.SUB"};

constexpr std::array kModelOpenFilters{kMmb, kPtb, kMms, kPts};
constexpr std::array kModelAddFilters{kPtb, kPtsAdd, kMmb, kMms, kGim};
constexpr std::array kModelSaveFilters{kMmb, kPtb, kMms, kPts, kGim, kDxf, kWrl};
constexpr std::array kCamFilters{kCam};
constexpr std::array kLigFilters{kLig};
constexpr std::array kDxfFilters{kDxf};
constexpr std::array kWrlFilters{kWrl};
constexpr std::array kRokFilters{kRok};
constexpr std::array kPoseFilters{kPose};
constexpr std::array kImageFilters{kBmp, kTif};
constexpr std::array kSubFilters{kSub};

constexpr const char* kOpenError = "GetOpenFileName";
constexpr const char* kSaveError = "GetSaveFileName";

constexpr const char* kRedraw = "winclear; wire;";
constexpr const char* kRedrawPerspective = "parswinclear; parswire;";

// What a flow does once #STRING holds the chosen path.
using OkHandler = void (*)(CommandPort& port, const char* statement, const QString& path);

void runStatement(CommandPort& port, const char* statement, const QString&) {
    port.run(statement);
}

void runAndShowFile(CommandPort& port, const char* statement, const QString& path) {
    port.run(statement);
    port.showModelFile(path);
}

void convertAndRead(CommandPort& port, const char*, const QString& path) {
    const std::string statement = convertDxf(port.interp(), path.toStdString());
    if (!statement.empty()) port.run(statement.c_str());
}

void sendRunScript(CommandPort& port, const char*, const QString&) {
    port.sendCommand(kRunChosenScript);
}

struct FlowRow {
    FileFlow flow;
    const char* title;
    FileDialogKind kind;
    std::span<const FileFilter> filters;
    OkHandler onOk;
    const char* okStatement;      // for the handlers that run one
    const char* cancelStatement;  // null: nothing
    const char* errorSource;      // names the failing dialog in the warning box
};

using K = FileDialogKind;
using F = FileFlow;

const std::array<FlowRow, 19> kFlows{{
    {F::ModelOpen, "形状データの呼出し", K::Open, kModelOpenFilters, runAndShowFile,
     "modelinit; read #STRING; autoview; winclear; wire;", kRedraw, kOpenError},
    {F::ModelAdd, "形状データの追加呼出し", K::Open, kModelAddFilters, runStatement,
     "read #STRING; winclear; wire;", kRedraw, kOpenError},
    {F::ModelSave, "形状データの保存", K::Save, kModelSaveFilters, runAndShowFile, "write #STRING;",
     nullptr, kSaveError},
    {F::CameraOpen, "カメラetc. パラメータファイルの呼び出し", K::Open, kCamFilters, runStatement,
     "read #STRING; parswinclear; parswire;", kRedrawPerspective, "CAM_FileOpen"},
    {F::CameraSave, "カメラetc. パラメータファイルの保存", K::Save, kCamFilters, runStatement,
     "write #STRING; winclear; wire;", kRedraw, kSaveError},
    {F::LightOpen, "カメラetc. パラメータファイルの呼び出し", K::Open, kLigFilters, runStatement,
     "read #STRING; parswinclear; parswire;", kRedrawPerspective, "LIGFileOpen"},
    {F::LightSave, "カメラetc. パラメータファイルの保存", K::Save, kLigFilters, runStatement,
     "write #STRING; winclear; wire;", kRedraw, "LIGFileSave"},
    {F::DxfImport, "形状データの保存", K::Open, kDxfFilters, convertAndRead, nullptr, kRedraw,
     kOpenError},
    {F::DxfSave, "形状データの保存", K::Save, kDxfFilters, runAndShowFile,
     "write #STRING; winclear; wire;", kRedraw, kSaveError},
    {F::VrmlSave, "形状データの保存", K::Save, kWrlFilters, runAndShowFile,
     "write #STRING; winclear; wire;", kRedraw, kSaveError},
    {F::RokOpen, "形状データの保存", K::Open, kRokFilters, runStatement,
     "read #STRING; autoview; winclear; wire;", kRedraw, kOpenError},
    {F::RokSave, "形状データの保存", K::Save, kRokFilters, runAndShowFile,
     "write #STRING; winclear; wire;", kRedraw, kSaveError},
    {F::PoseOpen, "形状データの呼出し", K::Open, kPoseFilters, runStatement,
     "read #STRING; winclear; wire;", kRedraw, kOpenError},
    {F::PoseSave, "運動モデルデータの保存", K::Save, kPoseFilters, runStatement,
     "write #STRING; winclear; wire;", kRedraw, kSaveError},
    {F::BackgroundFine, "Image-FileOpen", K::Open, kImageFilters, runStatement,
     "drawmode FINE; picload #STRING; draw.thread; ", nullptr, kOpenError},
    {F::BackgroundFinish, "Image-FileOpen", K::Open, kImageFilters, runStatement,
     "drawmode FINISH; picload #STRING; draw.thread; ", nullptr, kOpenError},
    {F::ImageOpen, "Image-FileOpen", K::Open, kImageFilters, runStatement, "picload #STRING ;",
     nullptr, kOpenError},
    {F::ImageSave, "Image-FileSave", K::Save, kImageFilters, runStatement, "picsave #STRING;",
     nullptr, kSaveError},
    {F::Script, "スクリプトファイルの呼出し", K::Open, kSubFilters, sendRunScript, nullptr, kRedraw,
     kOpenError},
}};

const FlowRow& rowOf(FileFlow flow) {
    return *std::ranges::find(kFlows, flow, &FlowRow::flow);
}

int stringSlot() {
    return script::kStringVariables[0].slot;  // #STRING
}

// The dialog's file-name buffer was #STRING itself: a longer path made it fail rather than
// be cut short into the name of some other file.
std::optional<QByteArray> fittingPath(CommandPort& port, const FlowRow& row,
                                      const QString& chosen) {
    QByteArray path = chosen.toUtf8();
    if (static_cast<std::size_t>(path.size()) < script::SymbolTable::kSlotSize) return path;
    showHostBox(port, QMessageBox::Critical, QStringLiteral("WARNING"),
                QStringLiteral("%1 が返したエラー #%2")
                    .arg(QString::fromUtf8(row.errorSource))
                    .arg(kFileNameBufferTooSmall));
    return std::nullopt;
}

}  // namespace

bool runFileFlow(FileFlow flow, CommandPort& port) {
    const FlowRow& row = rowOf(flow);
    script::SymbolTable& sym = port.interp().sym;
    sym.setSlotText(stringSlot(), "");
    const FileDialogRequest request{row.kind, row.title, row.filters};
    const std::optional<QString> chosen = port.dialogs().chooseFile(port.owner(), request);
    const std::optional<QByteArray> path = chosen ? fittingPath(port, row, *chosen) : std::nullopt;
    if (!path) {
        if (row.cancelStatement != nullptr) port.run(row.cancelStatement);
        return false;
    }
    sym.setSlotText(stringSlot(), std::string_view(path->constData(), path->size()));
    row.onOk(port, row.okStatement, *chosen);
    return true;
}

}  // namespace rz::app
