#pragma once
// The main window: the view area, the three-part status bar and the hidden image window.
// Every user action ends in run(), which hands the statements to the interpreter and shows
// what they drew. Closing asks to save changed data and to confirm, then writes the
// settings file back.

#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <array>
#include <filesystem>

#include "app/shell/command_port.hpp"
#include "app/shell/dialog_host.hpp"
#include "app/shell/gl_preview.hpp"
#include "app/shell/image_window.hpp"
#include "app/shell/render_dialog.hpp"
#include "app/shell/view_widget.hpp"
#include "db/settings.hpp"
#include "workstation/workstation.hpp"

namespace rz::app {

inline constexpr const char* kProgramTitle = "ZIVOZI 3Z-Urirodod V2.0 BETA3 (TESTTYPE)";

class MainWindow final : public QMainWindow, public CommandPort {
  public:
    MainWindow(workstation::Workstation& w, std::filesystem::path settingsFile);
    ~MainWindow() override;

    // Runs statements through the one entry every user action takes; nothing while a
    // render runs (its dialog is all that answers then).
    void run(const char* statements) override;
    // Places the window as the settings say, maximized when they say so, and shows it.
    void showPlaced();

    void showStatus(const QString& text);
    // Set when the model changed since it was last loaded or saved.
    void setModified(bool modified) { modified_ = modified; }
    bool modified() const { return modified_; }
    // The model file the window shows, in its title.
    void showModelFile(const QString& path) override;

    // Until the command table routes identifiers, every one is an identifier without an
    // action.
    void sendCommand(int) override { run("nosupport;"); }
    script::Interp& interp() override { return w_.interp; }
    DialogHost& dialogs() override { return dialogs_; }
    QWidget& owner() override { return *this; }

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
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void askToSaveChanges();
    bool confirmExit();
    void sizeStatusParts();
    void recordSizeType();

    workstation::Workstation& w_;
    std::filesystem::path settingsFile_;
    bool modified_ = false;
    int sizeType_ = 0;
    DialogHost dialogs_;
    // Members that are children: each leaves its parent before the parent goes.
    QWidget statusArea_;
    QHBoxLayout statusRow_{&statusArea_};
    std::array<QLabel, 3> statusParts_;
    ViewWidget view_;
    GlPreview glPreview_;
    ImageWindow imageWindow_;
    RenderDialog renderDialog_{this};
};

}  // namespace rz::app
