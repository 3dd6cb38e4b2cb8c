#include "app/shell/external_tools.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include "app/shell/dialog_host.hpp"
#include "app/shell/host_box.hpp"
#include "db/current_records.hpp"

namespace rz::app {
namespace {

struct ProgramStart {
    QString program;
    QStringList arguments;
};

void reportNotAvailable(CommandPort& port, const QString& program) {
    showHostBox(port, QMessageBox::Warning, QStringLiteral("WARNING"),
                QStringLiteral(" 外部プログラム ( %1 ) は利用できません！ ").arg(program));
}

// `write` takes the name it writes as the model's file name; a copy made for another
// program must not become the file that overwrite save writes to.
class KeepModelFileName {
  public:
    explicit KeepModelFileName(CommandPort& port)
        : name_(db::database(port.interp()).modelFileName), port_(port) {}
    KeepModelFileName(const KeepModelFileName&) = delete;
    KeepModelFileName& operator=(const KeepModelFileName&) = delete;
    ~KeepModelFileName() { db::database(port_.interp()).modelFileName = name_; }

  private:
    decltype(db::Database::modelFileName) name_;
    CommandPort& port_;
};

bool start(CommandPort& port, const ProgramStart& s) {
    if (port.dialogs().startDetached(s.program, s.arguments)) return true;
    reportNotAvailable(port, s.program);
    return false;
}

// The default name stands for the desktop's own viewer.
ProgramStart vrmlViewerStart(const std::string& viewer, const QString& file) {
    const QString name = QString::fromUtf8(viewer.data(), static_cast<qsizetype>(viewer.size()));
    if (name.isEmpty() || name.compare(QLatin1String(kDefaultVrmlViewer), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("xdg-open"), {file}};
    return {name, {file}};
}

}  // namespace

bool viewVrml(CommandPort& port, const std::string& viewer) {
    // One file per running program, so two of them never show each other's model.
    const QString file =
        QDir(QDir::tempPath())
            .filePath(
                QStringLiteral("rovora_z_view_%1.wrl").arg(QCoreApplication::applicationPid()));
    // The name goes into a string literal of the command language, which has no escapes.
    if (file.contains('"')) {
        reportNotAvailable(port, file);
        return false;
    }
    // A file left from before must not be shown when this write fails (write reports why).
    QFile::remove(file);
    const KeepModelFileName keep(port);
    port.run(QStringLiteral("write \"%1\";").arg(file).toUtf8().constData());
    if (!QFile::exists(file)) return false;
    return start(port, vrmlViewerStart(viewer, file));
}

bool startExternalCad(CommandPort& port) {
    const KeepModelFileName keep(port);
    port.run("write \"temp.dxf\";");
    return start(port, {QString::fromUtf8(kExternalCad), {}});
}

}  // namespace rz::app
