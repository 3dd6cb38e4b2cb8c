#include "app/shell/dialog_host.hpp"

#include <QFileDialog>
#include <QProcess>

namespace rz::app {
namespace {

// The dialog takes the pattern from the label's closing parentheses; labels that end in
// another form of them (full-width ones) get the pattern added.
QString filterLine(const FileFilter& f) {
    const QString label = QString::fromUtf8(f.label);
    const QString pattern = QString::fromUtf8(f.pattern);
    if (label.endsWith('(' + pattern + ')')) return label;
    return QStringLiteral("%1 (%2)").arg(label, pattern);
}

}  // namespace

int DialogHost::exec(QDialog& dialog) {
    return dialog.exec();
}

std::optional<QString> DialogHost::chooseFile(QWidget& owner, const FileDialogRequest& request) {
    QStringList filters;
    for (const FileFilter& f : request.filters) filters << filterLine(f);
    QFileDialog dialog(&owner, QString::fromUtf8(request.title));
    // Qt's own dialog matches the patterns without regard to case; a desktop's may not.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(filters);
    if (request.kind == FileDialogKind::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    if (exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

bool DialogHost::startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

}  // namespace rz::app
