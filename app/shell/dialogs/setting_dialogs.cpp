#include <array>

#include "app/shell/dialogs/dialog_row.hpp"
#include "app/shell/dialogs/setting_dialog_runs.hpp"

namespace rz::app {
namespace {

const std::array<DialogRow, 15> kSettingDialogs{{
    {14, runChooseMaterialDialog},
    {16, runCapDialog},
    {17, runLightDialog},
    {18, runLightNumberDialog},
    {19, runAboutDialog},
    {27, runMaterialDialog},
    {30, runMappingDialog},
    {31, runChooseMappingDialog},
    {56, runEnvironmentDialog},
    {57, runCameraStepDialog},
    {69, runTorusRatioDialog},
    {75, runRotateAboutTargetDialog},
    {76, runRotateAboutViewpointDialog},
    {77, runDivisionsDialog},
    {82, runBackgroundDialog},
}};

}  // namespace

std::span<const DialogRow> settingDialogs() {
    return kSettingDialogs;
}

}  // namespace rz::app
