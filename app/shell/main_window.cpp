#include "app/shell/main_window.hpp"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>

#include "app/shell/file_flows.hpp"
#include "app/shell/status_parts.hpp"
#include "app/shell/window_placement.hpp"
#include "script/statement.hpp"

namespace rz::app {
namespace {

constexpr platform::WindowId kMainWindow = 0;

}  // namespace

MainWindow::MainWindow(workstation::Workstation& w, std::filesystem::path settingsFile)
    : w_(w),
      settingsFile_(std::move(settingsFile)),
      view_(
          w.views, w.interp, [this] { run("winclear; wire; "); }, this),
      glPreview_(w, view_, [this] { run("winclear; wire; "); }),
      imageWindow_(w.db.colorBuffer, this) {
    setObjectName("ZIVOZI");
    setWindowTitle(kProgramTitle);
    setCentralWidget(&view_);

    // The parts sit side by side from the bar's left edge, so their widths give the edges.
    statusRow_.setContentsMargins(0, 0, 0, 0);
    statusRow_.setSpacing(0);
    for (QLabel& part : statusParts_) {
        part.setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusRow_.addWidget(&part);
    }
    statusRow_.addStretch();
    statusBar()->setObjectName("9001");
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(&statusArea_, 1);
    sizeStatusParts();

    w_.threads.host = &renderDialog_;
    // Called on the view worker: the repaint is queued to this thread.
    w_.threads.viewsDrawn = [this] {
        QMetaObject::invokeMethod(
            &view_, [this] { view_.update(); }, Qt::QueuedConnection);
    };
}

MainWindow::~MainWindow() {
    w_.threads.stopViews();
    w_.threads.viewsDrawn = nullptr;
    w_.threads.host = nullptr;
}

void MainWindow::run(const char* statements) {
    if (w_.threads.rendering()) return;
    script::execCommandString(w_.interp, kMainWindow, statements);
    view_.update();
    glPreview_.refresh();
}

void MainWindow::showPlaced() {
    const db::WindowPlacement& placement = w_.settings.window;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen != nullptr ? screen->geometry().size() : QSize(640, 480);
    const QRect r = startGeometry(placement, screenSize);
    resize(r.size());
    move(r.topLeft());
    if (placement.sizeType == kSizeMaximized)
        showMaximized();
    else
        show();
    recordSizeType();
}

void MainWindow::showStatus(const QString& text) {
    statusParts_[0].setText(text);
    statusParts_[0].repaint();
}

void MainWindow::showModelFile(const QString& path) {
    setWindowTitle(QStringLiteral("%1 [ %2 ]").arg(kProgramTitle, path));
}

db::Settings MainWindow::currentSettings() const {
    db::Settings s = w_.settings;
    // A minimized window has no place worth keeping; its place before is written.
    const QRect frame = isMinimized() ? normalGeometry() : frameGeometry();
    const QSize size = isMinimized() ? normalGeometry().size() : this->size();
    s.window = {frame.x(), frame.y(), size.width(), size.height(), sizeType_};
    s.wireDetail = w_.db.boxCursor.wireDetail ? 1 : 0;
    return s;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (modified_) askToSaveChanges();
    if (!confirmExit()) {
        event->ignore();
        return;
    }
    // A settings file that cannot be written is not reported.
    static_cast<void>(db::writeSettings(settingsFile_, currentSettings()));
    imageWindow_.hide();
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    recordSizeType();
    sizeStatusParts();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) recordSizeType();
}

void MainWindow::askToSaveChanges() {
    const QMessageBox::StandardButton answer =
        QMessageBox::warning(this, QStringLiteral("データ保存の確認"),
                             QStringLiteral("このデータは更新されています。　保存しますか？"),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) return;
    runFileFlow(FileFlow::ModelSave, *this);
    modified_ = false;
}

bool MainWindow::confirmExit() {
    QMessageBox box(QMessageBox::Question, QStringLiteral("ZIVOZI/Dの終了"),
                    QStringLiteral("終了しますか？"), QMessageBox::NoButton, this);
    const QPushButton* exit = box.addButton(QStringLiteral("終了"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.exec();
    return box.clickedButton() == exit;
}

void MainWindow::sizeStatusParts() {
    const std::array<int, 3> edges = statusPartEdges(frameGeometry().width());
    int left = 0;
    for (std::size_t i = 0; i < edges.size(); ++i) {
        statusParts_[i].setFixedWidth(edges[i] - left);
        left = edges[i];
    }
}

// A minimized window keeps the size type it had; restoring or maximizing records anew.
void MainWindow::recordSizeType() {
    if (isMinimized()) return;
    sizeType_ = isMaximized() ? kSizeMaximized : kSizeRestored;
}

}  // namespace rz::app
