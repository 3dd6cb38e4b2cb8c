#pragma once
// Everything that waits for the user outside the main window goes through one host: modal
// dialogs, the file dialogs and starting other programs. The window uses the real one; tests
// put in one that answers by itself.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>

namespace rz::app {

struct FileFilter {
    const char* label;    // as the dialog lists it
    const char* pattern;  // "*.MMB": matched without regard to case
};

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    const char* title = "";
    std::span<const FileFilter> filters;
};

class DialogHost {
  public:
    virtual ~DialogHost() = default;
    // QDialog::Accepted or QDialog::Rejected.
    virtual int exec(QDialog& dialog);
    // The chosen path; nothing when the user cancelled. Open dialogs accept existing files only.
    virtual std::optional<QString> chooseFile(QWidget& owner, const FileDialogRequest& request);
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments);
};

}  // namespace rz::app
