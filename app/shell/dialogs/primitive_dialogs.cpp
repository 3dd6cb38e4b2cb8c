// The primitive parameter dialogs of the command palette: caps (16), the tube's inner ratio
// (69) and the division count (77).

#include <array>

#include "app/shell/dialogs/setting_dialog_runs.hpp"
#include "app/shell/dialogs/variable_form.hpp"

namespace rz::app {
namespace {

constexpr std::array<FieldChoice, 2> kCaps{{
    {"ふたを付ける（閉じた立体）", 0},
    {"ふたを付けない（開いた面）", 1},
}};

const std::array<FieldRow, 1> kCapRows{{
    {"futa", "ふた", FieldKind::Choice, 0, 0, 0, kCaps},
}};

// A ratio of 1 would put the inner wall on the outer one.
const std::array<FieldRow, 1> kRatioRows{{
    {"t.ratio", "内径比（外径に対する）", FieldKind::Number, 0.0, 0.999, 3},
}};

// Every curved shape is cut into div steps, so at least one; each step costs axes of the
// fixed stores, so no more than a fine circle needs.
const std::array<FieldRow, 1> kDivisionRows{{
    {"div", "分割数", FieldKind::Number, 1, 360, 0},
}};

}  // namespace

bool runCapDialog(int, CommandPort& port) {
    return runVariableDialog(port, "ふたの設定", kCapRows);
}

bool runTorusRatioDialog(int, CommandPort& port) {
    return runVariableDialog(port, "トーラス内径比の設定", kRatioRows);
}

bool runDivisionsDialog(int, CommandPort& port) {
    return runVariableDialog(port, "パッチ分割数の設定", kDivisionRows);
}

}  // namespace rz::app
