// The camera dialogs of the camera window: the step sizes of its scroll bars (57) and a
// rotation by given angles about the target (75) or the viewpoint (76).

#include <array>
#include <string>

#include "app/shell/dialog_host.hpp"
#include "app/shell/dialogs/numbers_dialog.hpp"
#include "app/shell/dialogs/setting_dialog_runs.hpp"
#include "app/shell/dialogs/variable_form.hpp"

namespace rz::app {
namespace {

const std::array<NumberRow, 3> kStepRows{{
    {"angle", "回転の刻み（度）", 0.01, 180, 2},
    {"distance", "前後移動の刻み（％）", 0.01, 50, 2},
    {"zoom", "ズームの刻み（度）", 0.01, 90, 2},
}};

const std::array<NumberRow, 3> kAngleRows{{
    {"x", "Ｘ軸回り（度）", -360, 360, 2},
    {"y", "Ｙ軸回り（度）", -360, 360, 2},
    {"z", "Ｚ軸回り（度）", -360, 360, 2},
}};

// The three commands that turn the camera about each world axis.
using AxisCommands = std::array<const char*, 3>;
constexpr AxisCommands kAboutTarget{"angle.x", "angle.y", "angle.z"};
constexpr AxisCommands kAboutViewpoint{"aim.x", "aim.y", "aim.z"};

// Axes left at 0 are not turned, so that the one-level camera undo keeps the last real turn.
bool runRotation(CommandPort& port, const char* title, const AxisCommands& commands) {
    const std::array<double, 3> start{0, 0, 0};
    NumbersDialog dialog(port.owner(), title, kAngleRows, start);
    if (port.dialogs().exec(dialog) != QDialog::Accepted) return false;
    std::string s;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const double a = dialog.value(i);
        if (a != 0.0) s += std::string(commands[i]) + " ( " + numberText(a) + " ); ";
    }
    if (!s.empty()) port.run(s.c_str());
    return true;
}

}  // namespace

bool runCameraStepDialog(int, CommandPort& port) {
    CameraSteps& steps = port.cameraSteps();
    const std::array<double, 3> start{steps.angle, steps.distance, steps.zoom};
    NumbersDialog dialog(port.owner(), "カメラ移動量の設定", kStepRows, start);
    if (port.dialogs().exec(dialog) != QDialog::Accepted) return false;
    steps = {dialog.value(0), dialog.value(1), dialog.value(2)};
    return true;
}

bool runRotateAboutTargetDialog(int, CommandPort& port) {
    return runRotation(port, "注視点を中心にカメラを回転", kAboutTarget);
}

bool runRotateAboutViewpointDialog(int, CommandPort& port) {
    return runRotation(port, "視点を中心にカメラを回転", kAboutViewpoint);
}

}  // namespace rz::app
