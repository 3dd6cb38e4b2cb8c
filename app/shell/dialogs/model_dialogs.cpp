#include <array>

#include "app/shell/dialogs/dialog_row.hpp"
#include "app/shell/dialogs/joint_dialogs.hpp"
#include "app/shell/dialogs/part_dialogs.hpp"
#include "app/shell/dialogs/rotation_dialog.hpp"

namespace rz::app {
namespace {

const std::array<DialogRow, 23> kModelDialogs{{
    {12, runDeleteShapes},    {21, runChoosePart},      {22, runExchangeParts},
    {23, runDismantlePart},   {34, runChooseParts},     {35, runChoosePartToRename},
    {36, runRenamePart},      {37, runChooseShape},     {38, runNewPartName},
    {39, runAddToPart},       {40, runNewJoint},        {41, runJointName},
    {43, runReleaseJoint},    {44, runActorStartJoint}, {45, runChooseJoint},
    {46, runChooseActor},     {47, runActorName},       {48, runDeleteActor},
    {50, runMotionJoint},     {51, runMotionAngles},    {59, runSelectByMaterial},
    {60, runSelectByMapping}, {79, runRotationAngles},
}};

}  // namespace

std::span<const DialogRow> modelDialogs() {
    return kModelDialogs;
}

}  // namespace rz::app
