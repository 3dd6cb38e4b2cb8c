// The background colour (82): the colour the rendered image is filled with before a render.
// The renders fill with "cinit CBUF.FILL, cbuf.color.v; ", which takes each component as 0..1
// and truncates it times 255.

#include <QColorDialog>
#include <algorithm>
#include <cmath>
#include <string>

#include "app/shell/dialog_host.hpp"
#include "app/shell/dialogs/setting_dialog_runs.hpp"
#include "app/shell/dialogs/variable_form.hpp"

namespace rz::app {
namespace {

int channel(float v) {
    return static_cast<int>(std::clamp(std::floor(v * 255.0f), 0.0f, 255.0f));
}

// Half a step above the channel's own value, so that the fill's truncation gives it back
// whatever the last digit of the float.
std::string component(int channel) {
    return numberText((channel + 0.5) / 255.0);
}

}  // namespace

// The image is filled at once, so that the image window shows the colour chosen.
bool runBackgroundDialog(int, CommandPort& port) {
    const Vec3 now = vectorValue(port.interp(), "cbuf.color.v");
    QColorDialog dialog(QColor(channel(now[0]), channel(now[1]), channel(now[2])), &port.owner());
    dialog.setObjectName("color");
    dialog.setWindowTitle(QStringLiteral("描画背景色の設定"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (port.dialogs().exec(dialog) != QDialog::Accepted) return false;
    const QColor c = dialog.currentColor();
    const std::string s = "cbuf.color.v = ( " + component(c.red()) + ", " + component(c.green()) +
                          ", " + component(c.blue()) + " ); cinit CBUF.FILL, cbuf.color.v; ";
    port.run(s.c_str());
    return true;
}

}  // namespace rz::app
