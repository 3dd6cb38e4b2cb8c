#include "app/shell/dialogs/rotation_dialog.hpp"

#include <array>

#include "app/shell/dialogs/dialog_forms.hpp"
#include "app/shell/dialogs/dialog_messages.hpp"
#include "app/shell/dialogs/dialog_support.hpp"
#include "app/shell/dialogs/model_records.hpp"

namespace rz::app {
namespace {

constexpr int kRotateCopy = 2221;
constexpr int kRotateParts = 2607;

}  // namespace

bool runRotationAngles(int command, CommandPort& port) {
    const db::Database& db = model(port);
    if (selectedShapeCount(db) == 0) return refuse(port, dialog_msg::kNoSelection);
    const Vec3& c = db.geometry.center;
    ModelDialog d(port, "回転角度指定");
    d.addPrompt(QStringLiteral("回転の中心と、Ｘ・Ｙ・Ｚ軸の順に回す角度"));
    std::array<QDoubleSpinBox*, 3> centre{
        d.addNumber("centerX", QStringLiteral("中心 Ｘ"), c[0]),
        d.addNumber("centerY", QStringLiteral("中心 Ｙ"), c[1]),
        d.addNumber("centerZ", QStringLiteral("中心 Ｚ"), c[2]),
    };
    QDoubleSpinBox* x = d.addAngle("angleX", QStringLiteral("Ｘ軸"), 0.0);
    QDoubleSpinBox* y = d.addAngle("angleY", QStringLiteral("Ｙ軸"), 0.0);
    QDoubleSpinBox* z = d.addAngle("angleZ", QStringLiteral("Ｚ軸"), 0.0);
    if (!d.exec()) return false;

    const std::string at = statements("center ( %.3f, %.3f, %.3f ); ", centre[0]->value(),
                                      centre[1]->value(), centre[2]->value());
    const std::string turn = statements(
        "work1 = %g; work2 = %g; work3 = %g; "
        "matinit; rot.x ( work1 ); rot.y ( work2 ); rot.z ( work3 ); ",
        x->value(), y->value(), z->value());
    std::string text = command == kRotateCopy ? "mdlcopy; " : "";
    text += at + turn + "affine L.ACTIVE; ";
    if (command == kRotateParts) {
        // A part's displacement is a difference of positions: it turns about no centre.
        text += "center ( 0, 0, 0 ); " + turn + "affine.block L.ACTIVE; " + at;
    }
    // The current matrix takes part in every drawing: it must not stay turned.
    return runStatements(port, text + "matinit; winclear; wire; ");
}

}  // namespace rz::app
