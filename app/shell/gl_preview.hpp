#pragma once
// The real-time display: an OpenGL view (fixed-function OpenGL 1.1 with GLU, compatibility
// profile) that lies over the view area and owns it while it is shown, drawing the model
// with the renderer's camera, the attributes as materials and the map images as textures.
// The geometry is built once for each change of the model or of the view mode and kept in a
// display list; a frame only sets the camera and calls the list.

#include <QOpenGLWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "render/gl_scene.hpp"
#include "workstation/workstation.hpp"

namespace rz::app {

class GlPreview final : public QOpenGLWidget {
  public:
    // area is the view area it covers; redraw repaints the wireframe views when the
    // preview gives the area back.
    GlPreview(workstation::Workstation& w, QWidget& area, std::function<void()> redraw);
    ~GlPreview() override;
    GlPreview(const GlPreview&) = delete;
    GlPreview& operator=(const GlPreview&) = delete;

    // Real-time display on or off.
    void setRealTime(bool on);
    bool realTime() const { return realTime_; }
    // After statements ran: a new scene when the model or the view mode changed, and a
    // new frame while shown.
    void refresh();
    // Scenes built since start-up.
    int sceneBuilds() const { return builds_; }

  protected:
    void initializeGL() override;
    void paintGL() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void rebuildIfChanged();
    void upload();
    void releaseGl();

    workstation::Workstation& w_;
    QWidget& area_;
    std::function<void()> redraw_;
    bool realTime_ = false;
    render::GlScene scene_;
    std::uint64_t digest_ = 0;
    bool built_ = false;
    bool uploaded_ = false;
    int builds_ = 0;
    unsigned list_ = 0;
    std::vector<unsigned> textures_;  // by map image; 0 where none was made
    QMetaObject::Connection contextGone_;
};

}  // namespace rz::app
