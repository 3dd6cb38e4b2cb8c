#pragma once
// The render worker's progress dialog: modal over the main window while draw.thread renders,
// showing the percentage with a spinner; its stop button asks the render to end after the
// shape it is drawing. The worker reports through queued signals only: nothing here is
// touched from its thread.

#include <QProgressDialog>
#include <QString>

#include "render/drawing_threads.hpp"

namespace rz::app {

// The text line under the bar: the spinner turns while the percentage stays.
class ProgressSpinner {
  public:
    QString text(int percent);

  private:
    int last_ = -1;
    int turns_ = 0;
};

class RenderDialog final : public QProgressDialog, public render::RenderHost {
    Q_OBJECT

  public:
    explicit RenderDialog(QWidget* parent);

    // On the worker.
    void progress(int percent) override { emit progressed(percent); }
    void finished() override { emit ended(); }
    // On the window's thread.
    void wait(const std::function<void()>& cancel) override;

    // Escape or closing the window asks for the stop, as the button does.
    void reject() override { emit canceled(); }

  signals:
    void progressed(int percent);
    void ended();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void show(int percent);

    ProgressSpinner spinner_;
    const std::function<void()>* cancel_ = nullptr;
    bool ended_ = false;
};

}  // namespace rz::app
