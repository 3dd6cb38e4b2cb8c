#include "app/shell/main_window.hpp"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <utility>

#include "app/shell/command_router.hpp"
#include "app/shell/file_flows.hpp"
#include "app/shell/modal_dialogs.hpp"
#include "app/shell/status_parts.hpp"
#include "app/shell/window_placement.hpp"
#include "script/statement.hpp"

namespace rz::app {
namespace {

constexpr platform::WindowId kMainWindow = 0;
constexpr const char* kMenuSwapFailed = "メニュー内容が変更できません！";

}  // namespace

MainWindow::MainWindow(workstation::Workstation& w, std::filesystem::path settingsFile)
    : w_(w),
      settingsFile_(std::move(settingsFile)),
      view_(
          w.views, w.interp, [this] { redrawViews(); }, this),
      glPreview_(w, view_, [this] { run("winclear; wire; "); }),
      imageWindow_(w.db.colorBuffer, this) {
    execute = [this](platform::WindowId window, const char* statements) {
        script::execCommandString(w_.interp, window, statements);
    };
    modalDialog = [this](int dialog, int command) {
        return runModalDialog(dialog, command, *this);
    };
    fileFlow = [this](FileFlow flow) { return runFileFlow(flow, *this); };
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

    // An operation that ends gives the menus and the palette back.
    mouse_.ended = [this] {
        enableMenuBar();
        state_.input = true;
    };
    // The direction marker switches the block direction as items 209, 207 and 208 do.
    mouse_.directionChanged = [this](int direction) {
        static constexpr std::array<int, 3> kDirectionItems{209, 207, 208};
        if (direction >= 1 && direction <= 3)
            menus_.moveMark(CheckGroup::BlockDirection, kDirectionItems[direction - 1]);
    };
    view_.setMouseOperations(&mouse_);
    mouse_.setPointEditing(&pointEditing_);
    view_.showPopup = [this](QPoint globalPos) { rightButton(globalPos); };
    // The full renders end when the image window closes.
    imageWindow_.installEventFilter(this);
    markCurrentModes(*this);
    markSaved();
}

MainWindow::~MainWindow() {
    // The image window hides as it goes, after the menus and tool windows it would restore.
    imageWindow_.removeEventFilter(this);
    w_.threads.stopViews();
    w_.threads.viewsDrawn = nullptr;
    w_.threads.host = nullptr;
}

void MainWindow::run(const char* statements) {
    if (w_.threads.rendering()) return;
    pointEditing_.hideMarker();
    execute(kMainWindow, statements);
    // The views took a new size while a render held the window; they are drawn now.
    if (std::exchange(redrawAfterRender_, false)) execute(kMainWindow, "winclear; wire; ");
    pointEditing_.showMarker();
    view_.update();
    glPreview_.refresh();
}

void MainWindow::redrawViews() {
    if (w_.threads.rendering())
        redrawAfterRender_ = true;
    else
        run("winclear; wire; ");
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
    toolWindows_.placeAndShow(w_.settings);
    for (const auto& [window, id] : {std::pair{ToolWindow::Selection, cmd::kSelectionWindow},
                                     std::pair{ToolWindow::Material, cmd::kMaterialWindow},
                                     std::pair{ToolWindow::Mapping, cmd::kMappingWindow},
                                     std::pair{ToolWindow::Camera, cmd::kCameraWindow},
                                     std::pair{ToolWindow::Light, cmd::kLightWindow}})
        menus_.setChecked(id, toolWindows_.visible(window));
}

void MainWindow::sendCommand(int id) {
    routeCommand(*this, id);
}

void MainWindow::repaintStatus() {
    statusParts_[0].repaint();
}

void MainWindow::markModified() {
    modified_ = true;
    menus_.setEnabled(cmd::kOverwriteSave, true);
}

void MainWindow::markSaved() {
    modified_ = false;
    menus_.setEnabled(cmd::kOverwriteSave, false);
}

void MainWindow::disableMenuBar() {
    menus_.setBarEnabled(false);
}

void MainWindow::enableMenuBar() {
    menus_.setBarEnabled(true);
}

void MainWindow::hideToolWindows() {
    toolWindows_.hideAll();
    statusBar()->hide();
    toolsHidden_ = true;
}

void MainWindow::restoreToolWindows() {
    toolWindows_.restore();
    statusBar()->show();
    toolsHidden_ = false;
}

// Hiding a window uncovers views that are drawn again.
void MainWindow::toggleToolWindow(ToolWindow which, int menuId) {
    const bool shown = !toolWindows_.visible(which);
    toolWindows_.setVisible(which, shown);
    menus_.setChecked(menuId, shown);
    if (!shown) redrawViews();
}

void MainWindow::beginMouseMode(MouseMode mode) {
    disableMenuBar();
    state_.input = false;
    state_.mouse = mode;
}

void MainWindow::beginPointEditing() {
    if (!pointEditing_.begin()) return;
    disableMenuBar();
    toolWindows_.setVisible(ToolWindow::PointEdit, true);
    run("wire L.SELECT; ");
    state_.pointEditing = true;
    state_.popup = ViewPopup::PointEdit;
}

void MainWindow::endPointEditing() {
    toolWindows_.setVisible(ToolWindow::PointEdit, false);
    enableMenuBar();
    state_.pointEditing = false;
    state_.popup = ViewPopup::Views;
}

// The rest of the switch happens even when the menu bar stays as it was.
void MainWindow::setRealTime(bool on) {
    state_.realTime = on;
    state_.popup = on ? ViewPopup::RealTime : ViewPopup::Views;
    if (!menus_.show(on ? MenuBar::RealTime : MenuBar::Main)) w_.msg.errorBox(kMenuSwapFailed);
    markCurrentModes(*this);
    menus_.setEnabled(cmd::kOverwriteSave, modified_);
    glPreview_.setRealTime(on);
}

void MainWindow::showImageWindow() {
    imageWindow_.show();
    imageWindow_.raise();
}

void MainWindow::showDrawnViews() {
    if (state_.realTime)
        glPreview_.update();
    else
        view_.update();
}

// The right button ends an operation in progress, or a pick that disabled the menus;
// otherwise it shows the pop-up of the moment.
void MainWindow::rightButton(QPoint globalPos) {
    if (mouse_.pending()) {
        mouse_.finish();
        return;
    }
    if (!menus_.barEnabled() && !state_.pointEditing && !imageWindow_.isVisible()) {
        enableMenuBar();
        state_.input = true;
        redrawViews();
        return;
    }
    menus_.popup(state_.popup).popup(globalPos);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &imageWindow_ && event->type() == QEvent::Hide) {
        if (toolsHidden_) restoreToolWindows();
        enableMenuBar();
    }
    return QMainWindow::eventFilter(watched, event);
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
    toolWindows_.writeBack(s);
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
    markSaved();
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
