#pragma once
// The main window: the view area, the three-part status bar, the menus, the tool windows
// and the hidden image window. Every user action arrives as a command identifier
// (sendCommand) and ends in run(), which hands the statements to the interpreter and shows
// what they drew. Closing asks to save changed data and to confirm, then writes the
// settings file back.

#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <array>
#include <filesystem>
#include <functional>

#include "app/shell/command_port.hpp"
#include "app/shell/dialog_host.hpp"
#include "app/shell/file_flows.hpp"
#include "app/shell/gl_preview.hpp"
#include "app/shell/image_window.hpp"
#include "app/shell/interface_state.hpp"
#include "app/shell/menu_bars.hpp"
#include "app/shell/mouse_operations.hpp"
#include "app/shell/point_editing.hpp"
#include "app/shell/render_dialog.hpp"
#include "app/shell/tool_windows.hpp"
#include "app/shell/view_widget.hpp"
#include "db/settings.hpp"
#include "platform/message_sink.hpp"
#include "workstation/workstation.hpp"

namespace rz::app {

inline constexpr const char* kProgramTitle = "ZIVOZI 3Z-Urirodod V2.0 BETA3 (TESTTYPE)";

class MainWindow final : public QMainWindow, public CommandPort {
  public:
    MainWindow(workstation::Workstation& w, std::filesystem::path settingsFile);
    ~MainWindow() override;

    // The command handler: the identifier's row of the command table.
    void sendCommand(int id) override;
    // Runs statements through the one entry every user action takes; nothing while a
    // render runs (its dialog is all that answers then).
    void run(const char* statements) override;
    script::Interp& interp() override { return w_.interp; }
    DialogHost& dialogs() override { return *dialogs_; }
    QWidget& owner() override { return *this; }
    db::Settings& settings() override { return w_.settings; }
    CameraSteps& cameraSteps() override { return cameraSteps_; }
    // The model file the window shows, in its title.
    void showModelFile(const QString& path) override;

    // Where the statements, the modal dialogs and the file flows go; tests put recorders here.
    std::function<void(platform::WindowId, const char*)> execute;
    std::function<bool(int dialog, int command)> modalDialog;
    std::function<bool(FileFlow)> fileFlow;
    void setDialogHost(DialogHost& host) { dialogs_ = &host; }

    // Places the window as the settings say, maximized when they say so, and shows it with
    // the tool windows the settings name.
    void showPlaced();

    void showStatus(const QString& text);
    void repaintStatus();
    // Set when the model changed since it was last loaded or saved.
    void setModified(bool modified) { modified_ = modified; }
    bool modified() const { return modified_; }
    // A change: the flag set and overwrite save enabled in both menu bars; a save undoes both.
    void markModified();
    void markSaved();

    // The steps the command table's rows are made of.
    bool openDialog(int dialog, int command) { return modalDialog(dialog, command); }
    bool openFileFlow(FileFlow flow) { return fileFlow(flow); }
    // "winclear; wire; ", or once the render that holds the window has ended.
    void redrawViews();
    void disableMenuBar();
    void enableMenuBar();
    void hideToolWindows();
    void restoreToolWindows();
    void toggleToolWindow(ToolWindow which, int menuId);
    void beginMouseMode(MouseMode mode);
    void beginPointEditing();
    void endPointEditing();
    void setRealTime(bool on);
    void showImageWindow();
    // The views as the drawing commands left them, or the real-time frame.
    void showDrawnViews();

    InterfaceState& interfaceState() { return state_; }
    ToolWindows& toolWindows() { return toolWindows_; }
    MenuBars& menus() { return menus_; }
    MouseOperations& mouseOperations() { return mouse_; }
    PointEditing& pointEditing() { return pointEditing_; }

    workstation::Workstation& workstation() { return w_; }
    ViewWidget& view() { return view_; }
    GlPreview& glPreview() { return glPreview_; }
    ImageWindow& imageWindow() { return imageWindow_; }
    RenderDialog& renderDialog() { return renderDialog_; }
    const QLabel& statusPart(int part) const { return statusParts_.at(part); }

    // The settings as they are to be written now: what was read, with the window's place
    // and size type and the wire-detail switch as they are.
    db::Settings currentSettings() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void askToSaveChanges();
    bool confirmExit();
    void sizeStatusParts();
    void recordSizeType();
    void rightButton(QPoint globalPos);

    workstation::Workstation& w_;
    std::filesystem::path settingsFile_;
    bool modified_ = false;
    int sizeType_ = 0;
    // Members that are children: each leaves its parent before the parent goes.
    QWidget statusArea_;
    QHBoxLayout statusRow_{&statusArea_};
    std::array<QLabel, 3> statusParts_;
    ViewWidget view_;
    GlPreview glPreview_;
    ImageWindow imageWindow_;
    RenderDialog renderDialog_{this};
    DialogHost ownDialogs_;
    DialogHost* dialogs_ = &ownDialogs_;
    CameraSteps cameraSteps_;
    bool redrawAfterRender_ = false;
    InterfaceState state_;
    bool toolsHidden_ = false;
    MenuBars menus_{*this, [this](int id) { sendCommand(id); }};
    ToolWindows toolWindows_{*this, *this};
    MouseOperations mouse_{*this, w_.views, state_};
    PointEditing pointEditing_{*this, w_.views, toolWindows_.pointEdit()};
};

}  // namespace rz::app
