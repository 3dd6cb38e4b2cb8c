#include "app/shell/tool_windows/camera_window.hpp"

#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "app/shell/tool_windows/variables.hpp"

namespace rz::app {
namespace {

constexpr int kButtonColumns = 4;

double eyeDistance(script::Interp& in) {
    const std::optional<Vec3> pos = vectorVariable(in, "c.pos");
    const std::optional<Vec3> tar = vectorVariable(in, "c.tar");
    if (!pos || !tar) return 0.0;
    double sum = 0.0;
    for (std::size_t i = 0; i < 3; ++i) {
        const double d = static_cast<double>((*pos)[i]) - (*tar)[i];
        sum += d * d;
    }
    return std::sqrt(sum);
}

QByteArray barStatement(script::Interp& in, const CameraSteps& steps, CameraBarKind kind, int from,
                        int to) {
    const QByteArray delta = statementNumber((to - from) * steps.angle);
    switch (kind) {
        case CameraBarKind::AxisX:
            return "angle.x ( " + delta + " ); ";
        case CameraBarKind::AxisY:
            return "angle.y ( " + delta + " ); ";
        case CameraBarKind::AxisZ:
            return "angle.z ( " + delta + " ); ";
        case CameraBarKind::Distance: {
            const double d = eyeDistance(in);
            const double step = d - d * std::pow(1.0 - steps.distance / 100.0, to - from);
            return "foward ( " + statementNumber(step) + " ); ";
        }
        case CameraBarKind::Zoom:
            return "c.zoom = " + statementNumber(to) + "; ";
    }
    return {};
}

// The eye at its present distance on the line through the target along one world axis.
QByteArray axisView(script::Interp& in, int axis, const char* upper) {
    const QByteArray d = statementNumber(eyeDistance(in));
    QByteArray pos = "( ";
    for (int i = 0; i < 3; ++i) {
        pos += QByteArray("c.tar:") + "xyz"[i];
        if (i == axis) pos += " + " + d;
        pos += i < 2 ? ", " : " )";
    }
    return "backupview; c.pos = " + pos + "; c.upper = " + upper + "; ";
}

QByteArray buttonStatement(script::Interp& in, CameraButtonAction action) {
    switch (action) {
        case CameraButtonAction::ViewAlongX:
            return axisView(in, 0, "( 0, 1, 0 )");
        case CameraButtonAction::ViewAlongY:
            return axisView(in, 1, "( 0, 0, -1 )");
        case CameraButtonAction::ViewAlongZ:
            return axisView(in, 2, "( 0, 1, 0 )");
        case CameraButtonAction::PerspectiveView:
            return "parsview; ";
        case CameraButtonAction::Undo:
            return "undoview; ";
        case CameraButtonAction::None:
            break;
    }
    return {};
}

}  // namespace

CameraWindow::CameraWindow(CommandPort& port, QWidget* parent)
    : QDialog(parent, Qt::Tool), port_(port) {
    setObjectName(QStringLiteral("73"));
    setWindowTitle(QStringLiteral("カメラ設定"));
    column_.addLayout(&barForm_);
    column_.addLayout(&buttonGrid_);
    for (std::size_t i = 0; i < kCameraBars.size(); ++i) {
        const CameraBar& b = kCameraBars[i];
        bars_[i] = std::make_unique<QScrollBar>(Qt::Horizontal, this);
        QScrollBar& bar = *bars_[i];
        bar.setObjectName(QString::number(b.id));
        bar.setRange(b.minimum, b.maximum);
        bar.setSingleStep(1);
        bar.setPageStep(10);
        bar.setMinimumWidth(160);
        connect(&bar, &QScrollBar::valueChanged, this, [this, i](int v) { barMoved(i, v); });
        barForm_.addRow(QString::fromUtf8(b.caption), &bar);
    }
    buttonGrid_.setSpacing(1);
    for (std::size_t i = 0; i < kCameraButtons.size(); ++i) {
        const CameraButton& b = kCameraButtons[i];
        buttons_[i] = std::make_unique<PictureButton>(
            QString::fromLatin1(b.name), b.id, QString::fromLatin1(b.picture),
            [this](int id) { buttonPressed(id); }, this);
        const int n = static_cast<int>(i);
        buttonGrid_.addWidget(buttons_[i].get(), n / kButtonColumns, n % kButtonColumns);
    }
    refresh();
}

void CameraWindow::refresh() {
    for (std::size_t i = 0; i < kCameraBars.size(); ++i) {
        QScrollBar& bar = *bars_[i];
        const QSignalBlocker quiet(bar);
        int value = 0;
        if (kCameraBars[i].kind == CameraBarKind::Zoom) {
            value = static_cast<int>(scalarVariable(port_.interp(), "c.zoom").value_or(80.0f));
            // The arrows move the field of view by the zoom step.
            bar.setSingleStep(std::max(1, static_cast<int>(std::lround(port_.cameraSteps().zoom))));
        }
        bar.setValue(value);
        last_[i] = bar.value();
    }
}

QScrollBar* CameraWindow::bar(int id) {
    for (std::size_t i = 0; i < kCameraBars.size(); ++i)
        if (kCameraBars[i].id == id) return bars_[i].get();
    return nullptr;
}

void CameraWindow::showEvent(QShowEvent* event) {
    refresh();
    QDialog::showEvent(event);
}

void CameraWindow::barMoved(std::size_t i, int value) {
    const CameraBar& b = kCameraBars[i];
    const QByteArray statement =
        barStatement(port_.interp(), port_.cameraSteps(), b.kind, last_[i], value);
    last_[i] = value;
    port_.run(statement.constData());
    port_.sendCommand(b.id);
}

void CameraWindow::buttonPressed(int id) {
    for (const CameraButton& b : kCameraButtons) {
        if (b.id != id) continue;
        const QByteArray statement = buttonStatement(port_.interp(), b.action);
        if (!statement.isEmpty()) port_.run(statement.constData());
        port_.sendCommand(id);
        return;
    }
}

}  // namespace rz::app
