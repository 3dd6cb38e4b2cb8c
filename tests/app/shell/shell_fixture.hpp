#pragma once
// A started workstation with its main window, settings kept in a temporary folder, and a
// hand on the modal boxes: each one that opens is answered from a list, in order, and any
// box nobody expected is recorded and closed, so a test never hangs on one.

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <memory>

#include "app/shell/main_window.hpp"
#include "app/shell/shell_sink.hpp"

namespace rz::test {

class ModalBoxes : public QObject {
  public:
    ModalBoxes() {
        timer_.setInterval(kPollMs);
        connect(&timer_, &QTimer::timeout, this, &ModalBoxes::look);
        timer_.start();
    }
    // Button texts (without "&"), or "file:" and a path for a file dialog.
    void answer(std::deque<QString> answers) { answers_ = std::move(answers); }
    bool allAnswered() const { return answers_.empty(); }

    QStringList titles;      // of every box or dialog seen, in order
    QStringList unexpected;  // texts of boxes no answer was left for

  private:
    static constexpr int kPollMs = 10;

    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) return;
        titles << modal->windowTitle();
        if (answers_.empty()) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            unexpected << (box != nullptr ? box->text() : modal->windowTitle());
            static_cast<QDialog*>(modal)->reject();
            return;
        }
        const QString a = answers_.front();
        answers_.pop_front();
        if (auto* files = qobject_cast<QFileDialog*>(modal); files != nullptr) {
            files->selectFile(a.mid(5));
            static_cast<QDialog*>(files)->accept();
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal); box != nullptr) {
            for (QAbstractButton* b : box->buttons()) {
                if (b->text().remove('&') == a) {
                    b->click();
                    return;
                }
            }
            unexpected << "no button " + a;
            box->reject();
        }
    }

    QTimer timer_;
    std::deque<QString> answers_;
};

struct ShellFixture {
    explicit ShellFixture(const db::Settings& settings = {}) {
        w.start(settings);
        window = std::make_unique<app::MainWindow>(w, settingsFile());
        sink.setWindow(window.get());
    }
    ~ShellFixture() {
        sink.setWindow(nullptr);
        window.reset();
    }
    std::filesystem::path settingsFile() const {
        return std::filesystem::path(dir.path().toStdString()) / "ROVORA_Z.INI";
    }
    bool show() {
        window->showPlaced();
        return QTest::qWaitForWindowExposed(window.get());
    }

    QTemporaryDir dir;
    app::ShellSink sink;
    workstation::Workstation w{sink};
    std::unique_ptr<app::MainWindow> window;
    ModalBoxes boxes;
};

}  // namespace rz::test
