// The mapping dialogs: editing the mapinfo variables (30) and choosing a mapinfo record (31).

#include <array>

#include "app/shell/dialogs/record_choice.hpp"
#include "app/shell/dialogs/setting_dialog_runs.hpp"
#include "app/shell/dialogs/variable_form.hpp"
#include "db/database.hpp"

namespace rz::app {
namespace {

constexpr int kNewMapping = 2411;

constexpr std::array<FieldChoice, 7> kMapKinds{{
    {"カラーマップ（画像のまま）", 1},
    {"カラーマップ 24ビット (COLORMAP24)", 2},
    {"カラーマップ 32ビット (COLORMAP32)", 3},
    {"透明度マップ (ALPHAMAP)", 4},
    {"バンプマップ (BUMPMAP)", 11},
    {"反転バンプマップ (R.BUMPMAP)", 12},
    {"輝度マップ (INTENSMAP)", 21},
}};

constexpr std::array<FieldChoice, 9> kMapMethods{{
    {"UV マッピング (UVMAP)", 1},
    {"箱展開 (DECALBOX)", 2},
    {"箱の面 1 (DECALBOX.1)", 3},
    {"箱の面 2 (DECALBOX.2)", 4},
    {"箱の面 3 (DECALBOX.3)", 5},
    {"箱の面 4 (DECALBOX.4)", 6},
    {"箱の面 5 (DECALBOX.5)", 7},
    {"箱の面 6 (DECALBOX.6)", 8},
    {"ワールド座標の箱 (WORLDBOX)", 9},
}};

constexpr double kUv = 1e6;
constexpr double kWorld = 1e8;

const std::array<FieldRow, 19> kMappingRows{{
    {"m.kind", "マップの種類", FieldKind::Choice, 0, 0, 0, kMapKinds},
    {"m.method", "マッピング方法", FieldKind::Choice, 0, 0, 0, kMapMethods},
    {"m.tex.id", "テクスチャ番号", FieldKind::Number, 0, 32767, 0},
    {"m.mopa", "合成の不透明度", FieldKind::Number, 0, 1, 3},
    {"m.bump", "バンプ／輝度ゲイン", FieldKind::Number, -1000, 1000, 3},
    {"m.ustart", "U 開始", FieldKind::Number, -kUv, kUv, 4},
    {"m.uend", "U 終了", FieldKind::Number, -kUv, kUv, 4},
    {"m.vstart", "V 開始", FieldKind::Number, -kUv, kUv, 4},
    {"m.vend", "V 終了", FieldKind::Number, -kUv, kUv, 4},
    {"m.ulen", "U 方向の長さ", FieldKind::Number, -kUv, kUv, 4},
    {"m.vlen", "V 方向の長さ", FieldKind::Number, -kUv, kUv, 4},
    {"m.uofs", "U オフセット", FieldKind::Number, -kUv, kUv, 4},
    {"m.vofs", "V オフセット", FieldKind::Number, -kUv, kUv, 4},
    {"m.xlen", "箱の大きさ X", FieldKind::Number, -kWorld, kWorld, 2},
    {"m.ylen", "箱の大きさ Y", FieldKind::Number, -kWorld, kWorld, 2},
    {"m.zlen", "箱の大きさ Z", FieldKind::Number, -kWorld, kWorld, 2},
    {"m.xcent", "箱の中心 X", FieldKind::Number, -kWorld, kWorld, 2},
    {"m.ycent", "箱の中心 Y", FieldKind::Number, -kWorld, kWorld, 2},
    {"m.zcent", "箱の中心 Z", FieldKind::Number, -kWorld, kWorld, 2},
}};

QString kindName(int kind) {
    for (const FieldChoice& c : kMapKinds)
        if (c.value == kind) return QString::fromUtf8(c.label);
    return QString::number(kind);
}

}  // namespace

// A new mapping that is cancelled is taken back, as a new material is.
bool runMappingDialog(int command, CommandPort& port) {
    if (runVariableDialog(port, "マッピングの設定", kMappingRows, "set.mapinfo; ")) return true;
    if (command == kNewMapping) port.run("cancel.new.mapinfo; ");
    return false;
}

// Mapinfo 0 is reserved; the list starts at 1.
bool runChooseMappingDialog(int, CommandPort& port) {
    const db::Database& db = *port.interp().db;
    const RecordChoice choice{"マッピングデータの選択", "mi.point", "mapinfo.max", 1};
    return runRecordChoice(port, choice, static_cast<int>(db.mapinfos.size()), [&db](int n) {
        const db::Mapinfo& m = db.mapinfos[n];
        return RecordEntry{QStringLiteral("マッピング %1: %2 / テクスチャ %3")
                               .arg(n)
                               .arg(kindName(m.kind))
                               .arg(m.texId),
                           QColor()};
    });
}

}  // namespace rz::app
