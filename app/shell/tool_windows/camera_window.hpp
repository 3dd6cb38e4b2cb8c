#pragma once
// The camera window (dialog 73, "カメラ設定"): scroll bars that turn the camera about the
// target, move the eye along the view and set the field of view, and buttons for axis views,
// the perspective window's view and undo. The window changes the camera itself through
// statements and then sends its identifier, so the main window only redraws.

#include <QDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>
#include <array>
#include <memory>

#include "app/shell/command_port.hpp"
#include "app/shell/tool_windows/picture_button.hpp"

namespace rz::app {

// How far one step of a scroll bar takes the camera comes from the camera steps: the three
// axis bars (-180 to 180 steps since the window was shown) turn it about the world axis
// through the target; the distance bar (-100 to 100) scales the eye's distance to the target
// by (1 - step per cent) for each step toward the right, so stepping back returns exactly;
// the zoom bar (1 to 170) is the field of view, its arrows moving it by the zoom step.

enum class CameraBarKind { AxisX, AxisY, AxisZ, Distance, Zoom };

struct CameraBar {
    int id;
    const char* caption;
    CameraBarKind kind;
    int minimum;
    int maximum;
};

inline constexpr std::array<CameraBar, 5> kCameraBars{{
    {414, "Ｘ軸回転", CameraBarKind::AxisX, -180, 180},
    {415, "Ｙ軸回転", CameraBarKind::AxisY, -180, 180},
    {416, "Ｚ軸回転", CameraBarKind::AxisZ, -180, 180},
    {417, "距離", CameraBarKind::Distance, -100, 100},
    {418, "ズーム", CameraBarKind::Zoom, 1, 170},
}};

// What a camera button does to the camera before it sends its identifier.
enum class CameraButtonAction { None, ViewAlongX, ViewAlongY, ViewAlongZ, PerspectiveView, Undo };

struct CameraButton {
    const char* name;
    int id;
    const char* picture;
    CameraButtonAction action;
};

inline constexpr std::array<CameraButton, 8> kCameraButtons{{
    {"Cam0Push", 224, "cam_0", CameraButtonAction::ViewAlongX},
    {"Cam1Push", 225, "cam_1", CameraButtonAction::ViewAlongY},
    {"Cam2Push", 226, "cam_2", CameraButtonAction::ViewAlongZ},
    {"Cam3Push", 214, "cam_3", CameraButtonAction::None},  // the main window fits the view
    {"Cam4Push", 227, "cam_4", CameraButtonAction::None},  // the camera mouse mode
    {"Cam5Push", 211, "cam_5", CameraButtonAction::PerspectiveView},
    {"Cam6Push", 222, "cam_6", CameraButtonAction::Undo},
    {"Cam7Push", 228, "cam_7", CameraButtonAction::None},  // the step values dialog
}};

class CameraWindow final : public QDialog {
  public:
    CameraWindow(CommandPort& port, QWidget* parent);

    // The turn and distance bars back in the middle, the zoom bar at the field of view.
    void refresh();
    // The bar with this identifier; null for any other.
    QScrollBar* bar(int id);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void barMoved(std::size_t bar, int value);
    void buttonPressed(int id);

    CommandPort& port_;
    QVBoxLayout column_{this};
    QFormLayout barForm_;
    QGridLayout buttonGrid_;
    std::array<std::unique_ptr<QScrollBar>, kCameraBars.size()> bars_;
    std::array<int, kCameraBars.size()> last_{};
    std::array<std::unique_ptr<PictureButton>, kCameraButtons.size()> buttons_;
};

}  // namespace rz::app
