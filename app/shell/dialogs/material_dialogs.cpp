// The material dialogs: choosing an attribute record (14) and editing the attribute
// variables (27).

#include <QColor>
#include <array>

#include "app/shell/dialogs/record_choice.hpp"
#include "app/shell/dialogs/setting_dialog_runs.hpp"
#include "app/shell/dialogs/variable_form.hpp"
#include "db/database.hpp"

namespace rz::app {
namespace {

constexpr int kNewMaterial = 2401;

constexpr std::array<FieldChoice, 4> kFaceRules{{
    {"表面のみ", 0},
    {"裏面のみ（法線反転）", 1},
    {"両面（裏面は法線反転）", 2},
    {"両面", 3},
}};

const std::array<FieldRow, 16> kMaterialRows{{
    {"a.rgb", "基本色 (R, G, B)", FieldKind::Vector, 0, 1, 3},
    {"a.drg", "拡散反射色", FieldKind::Vector, 0, 1, 3},
    {"a.prg", "ハイライト色", FieldKind::Vector, 0, 1, 3},
    {"a.arg", "付加色", FieldKind::Vector, 0, 1, 3},
    {"ambient", "環境光反射率", FieldKind::Number, 0, 1, 3},
    {"diffuse", "拡散反射率", FieldKind::Number, 0, 1, 3},
    {"p.specl", "鏡面反射の強さ", FieldKind::Number, 0, 100, 3},
    {"p.spex", "鏡面反射の鋭さ", FieldKind::Number, 0, 10000, 2},
    {"opacity", "不透明度", FieldKind::Number, 0, 1, 3},
    {"gain.c", "コントラストゲイン", FieldKind::Number, -1000, 1000, 3},
    {"gain.l", "レベルゲイン", FieldKind::Number, -1000, 1000, 3},
    {"haze", "ヘイズ", FieldKind::Number, 0, 1, 3},
    {"smooth.sw", "スムーズシェーディング", FieldKind::Switch},
    {"map.sw", "マッピングを使う", FieldKind::Switch},
    {"face.sw", "描画する面", FieldKind::Choice, 0, 0, 0, kFaceRules},
    {"shade.sw", "シェーディングスイッチ", FieldKind::Number, 0, 255, 0},
}};

QColor swatch(const Vec3& rgb) {
    return QColor::fromRgbF(std::clamp(rgb[0], 0.0f, 1.0f), std::clamp(rgb[1], 0.0f, 1.0f),
                            std::clamp(rgb[2], 0.0f, 1.0f));
}

}  // namespace

bool runChooseMaterialDialog(int, CommandPort& port) {
    const db::Database& db = *port.interp().db;
    const RecordChoice choice{"色質感データの選択", "atr.point", "atr.max", 0};
    return runRecordChoice(port, choice, static_cast<int>(db.attributes.size()), [&db](int n) {
        return RecordEntry{QStringLiteral("色質感 %1").arg(n), swatch(db.attributes[n].rgb)};
    });
}

// A new material that is cancelled is taken back, so that the next new one is not refused
// as long as this one waits to be kept.
bool runMaterialDialog(int command, CommandPort& port) {
    if (runVariableDialog(port, "色質感の設定", kMaterialRows, "save.atr atr.point; ")) return true;
    if (command == kNewMaterial) port.run("cancel.new.atr; ");
    return false;
}

}  // namespace rz::app
