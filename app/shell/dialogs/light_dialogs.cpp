// The light dialogs: editing the current light (17) and choosing a light number (18).

#include <QColor>
#include <array>

#include "app/shell/dialogs/record_choice.hpp"
#include "app/shell/dialogs/setting_dialog_runs.hpp"
#include "app/shell/dialogs/variable_form.hpp"

namespace rz::app {
namespace {

// The light table has this many entries.
constexpr int kLights = 16;
constexpr double kWorld = 1e8;

constexpr std::array<FieldChoice, 4> kLightKinds{{
    {"消灯", 0},
    {"平行光源 (PARA)", 1},
    {"点光源 (POINT)", 2},
    {"点光源２ (POINT2)", 3},
}};

const std::array<FieldRow, 5> kLightRows{{
    {"l.kind", "光源の種類", FieldKind::Choice, 0, 0, 0, kLightKinds},
    {"l.pos", "光源の位置", FieldKind::Vector, -kWorld, kWorld, 2},
    {"l.tar", "照らす点", FieldKind::Vector, -kWorld, kWorld, 2},
    {"l.rgb", "光の色 (R, G, B)", FieldKind::Vector, 0, 1, 3},
    {"l.gain", "明るさ", FieldKind::Number, 0, 1e6, 3},
}};

}  // namespace

bool runLightDialog(int, CommandPort& port) {
    return runVariableDialog(port, "光源の設定", kLightRows, "set.light; ");
}

bool runLightNumberDialog(int, CommandPort& port) {
    const RecordChoice choice{"光源番号の選択", "l.point", "l.max", 0};
    return runRecordChoice(port, choice, kLights, [](int n) {
        return RecordEntry{QStringLiteral("光源 %1").arg(n), QColor()};
    });
}

}  // namespace rz::app
