// The file dialog flows, the DXF import through the converter, the dialog's filters and the
// external programs, with a dialog host that answers by itself and a port that records what
// the window was asked to do.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "app/shell/dialog_host.hpp"
#include "app/shell/external_tools.hpp"
#include "app/shell/file_flows.hpp"
#include "db/current_records.hpp"
#include "platform/recording_sink.hpp"
#include "script/language_symbols.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace rz::test {
namespace {

class AnsweringHost : public app::DialogHost {
  public:
    std::optional<QString> answer;  // the chosen path; nothing: cancel
    bool starts = true;

    QString title;
    bool save = false;
    QStringList filters;  // "label|pattern"
    QStringList boxes;    // "title|text"
    QStringList started;  // "program|arguments"

    int exec(QDialog& dialog) override {
        if (const auto* box = qobject_cast<QMessageBox*>(&dialog); box != nullptr)
            boxes << box->windowTitle() + "|" + box->text();
        return QDialog::Accepted;
    }
    std::optional<QString> chooseFile(QWidget&, const app::FileDialogRequest& r) override {
        title = QString::fromUtf8(r.title);
        save = r.kind == app::FileDialogKind::Save;
        filters.clear();
        for (const app::FileFilter& f : r.filters)
            filters << QString::fromUtf8(f.label) + "|" + QString::fromUtf8(f.pattern);
        return answer;
    }
    bool startDetached(const QString& program, const QStringList& arguments) override {
        started << program + "|" + arguments.join(' ');
        return starts;
    }
};

// Records what the window is asked to do; with `execute` the statements also run.
class RecordingPort : public app::CommandPort {
  public:
    RecordingPort() { w.start({}); }

    void sendCommand(int id) override { sent << id; }
    void run(const char* statements) override {
        runs << QString::fromUtf8(statements);
        if (execute) script::execCommandString(w.interp, 0, statements);
    }
    script::Interp& interp() override { return w.interp; }
    app::DialogHost& dialogs() override { return host; }
    QWidget& owner() override { return widget; }
    void showModelFile(const QString& path) override { shownFiles << path; }
    db::Settings& settings() override { return w.settings; }
    app::CameraSteps& cameraSteps() override { return steps_; }

    QString chosenString() {
        const int slot = script::kStringVariables[0].slot;
        return QString::fromUtf8(w.interp.sym.slotText(slot));
    }

    platform::RecordingSink sink;
    workstation::Workstation w{sink};
    AnsweringHost host;
    QWidget widget;
    bool execute = false;
    QStringList runs;
    QList<int> sent;
    QStringList shownFiles;
    app::CameraSteps steps_;
};

const QString kRedraw = "winclear; wire;";
const QString kParsRedraw = "parswinclear; parswire;";
const QString kMmb = "運動ﾊﾞｲﾅﾘﾌｧｲﾙ(*.MMB)|*.MMB";
const QString kPtb = "形状ﾊﾞｲﾅﾘﾌｧｲﾙ(*.PTB)|*.PTB";
const QString kMms = "運動ﾓﾃﾞﾙﾌｧｲﾙ(*.MMS)|*.MMS";
const QString kPts = "形状ﾃﾞｰﾀﾌｧｲﾙ(*.PTS)|*.PTS";
const QString kGim = "ﾓﾃﾞﾙﾎﾟｰｽﾞﾌｧｲﾙ(*.GIM)|*.GIM";
const QString kDxf = "DXF形状ファイル(*.DXF)|*.DXF";
const QString kWrl = "VRML形状ファイル(*.WRL)|*.WRL";
const QString kRok = "六角大王ﾌｧｲﾙ(*.ROK)|*.ROK";
const QString kImages = "BMPﾌｧｲﾙ (*.BMP)|*.BMP,TIFFﾌｧｲﾙ（*.TIF）|*.TIF";
const QString kModelOpenTitle = "形状データの呼出し";
const QString kSaveTitle = "形状データの保存";
const QString kCamOpenTitle = "カメラetc. パラメータファイルの呼び出し";
const QString kCamSaveTitle = "カメラetc. パラメータファイルの保存";

}  // namespace

class FileFlowsTest : public QObject {
    Q_OBJECT
  private slots:
    void flows_data() {
        QTest::addColumn<int>("flow");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("save");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<QString>("onOk");  // "" for the script flow, which sends 2116
        QTest::addColumn<QString>("onCancel");
        QTest::addColumn<bool>("showsFile");
        using F = app::FileFlow;
        const auto row = [](const char* name, F flow, const QString& title, bool save,
                            const QString& filters, const QString& ok, const QString& cancel,
                            bool shows) {
            QTest::newRow(name) << static_cast<int>(flow) << title << save << filters.split(',')
                                << ok << cancel << shows;
        };
        const QString readRedraw = "read #STRING; winclear; wire;";
        const QString writeRedraw = "write #STRING; winclear; wire;";
        row("model open", F::ModelOpen, kModelOpenTitle, false,
            QStringList{kMmb, kPtb, kMms, kPts}.join(','),
            "modelinit; read #STRING; autoview; winclear; wire;", kRedraw, true);
        row("model add", F::ModelAdd, "形状データの追加呼出し", false,
            QStringList{kPtb, "形状ﾃﾞｰﾀﾌｧｲﾙ (*.PTS)|*.PTS", kMmb, kMms, kGim}.join(','), readRedraw,
            kRedraw, false);
        row("model save", F::ModelSave, kSaveTitle, true,
            QStringList{kMmb, kPtb, kMms, kPts, kGim, kDxf, kWrl}.join(','), "write #STRING;", "",
            true);
        row("camera open", F::CameraOpen, kCamOpenTitle, false, "ｶﾒﾗ設定ﾌｧｲﾙ (*.CAM)|*.CAM",
            "read #STRING; parswinclear; parswire;", kParsRedraw, false);
        row("camera save", F::CameraSave, kCamSaveTitle, true, "ｶﾒﾗ設定ﾌｧｲﾙ (*.CAM)|*.CAM",
            writeRedraw, kRedraw, false);
        row("light open", F::LightOpen, kCamOpenTitle, false, "光源設定ﾌｧｲﾙ(*.LIG)|*.LIG",
            "read #STRING; parswinclear; parswire;", kParsRedraw, false);
        row("light save", F::LightSave, kCamSaveTitle, true, "光源設定ﾌｧｲﾙ(*.LIG)|*.LIG",
            writeRedraw, kRedraw, false);
        row("dxf save", F::DxfSave, kSaveTitle, true, kDxf, writeRedraw, kRedraw, true);
        row("vrml save", F::VrmlSave, kSaveTitle, true, kWrl, writeRedraw, kRedraw, true);
        row("rok open", F::RokOpen, kSaveTitle, false, kRok,
            "read #STRING; autoview; winclear; wire;", kRedraw, false);
        row("rok save", F::RokSave, kSaveTitle, true, kRok, writeRedraw, kRedraw, true);
        row("pose open", F::PoseOpen, kModelOpenTitle, false, "ﾎﾟｰｽﾞ情報ﾌｧｲﾙ(*.GIM)|*.GIM",
            readRedraw, kRedraw, false);
        row("pose save", F::PoseSave, "運動モデルデータの保存", true, "ﾎﾟｰｽﾞ情報ﾌｧｲﾙ(*.GIM)|*.GIM",
            writeRedraw, kRedraw, false);
        row("background fine", F::BackgroundFine, "Image-FileOpen", false, kImages,
            "drawmode FINE; picload #STRING; draw.thread; ", "", false);
        row("background finish", F::BackgroundFinish, "Image-FileOpen", false, kImages,
            "drawmode FINISH; picload #STRING; draw.thread; ", "", false);
        row("image open", F::ImageOpen, "Image-FileOpen", false, kImages, "picload #STRING ;", "",
            false);
        row("image save", F::ImageSave, "Image-FileSave", true, kImages, "picsave #STRING;", "",
            false);
        row("script", F::Script, "スクリプトファイルの呼出し", false, "ｽｸﾘﾌﾟﾄﾌｧｲﾙ(*.SUB)|*.SUB", "",
            kRedraw, false);
    }
    void flows() {
        QFETCH(int, flow);
        QFETCH(QString, title);
        QFETCH(bool, save);
        QFETCH(QStringList, filters);
        QFETCH(QString, onOk);
        QFETCH(QString, onCancel);
        QFETCH(bool, showsFile);
        const QString path = "/tmp/チェック/file.ext";
        RecordingPort port;
        port.w.interp.sym.setSlotText(script::kStringVariables[0].slot, "left over");

        port.host.answer = path;
        QVERIFY(app::runFileFlow(static_cast<app::FileFlow>(flow), port));
        QCOMPARE(port.host.title, title);
        QCOMPARE(port.host.save, save);
        QCOMPARE(port.host.filters, filters);
        QCOMPARE(port.chosenString(), path);
        QCOMPARE(port.runs, onOk.isEmpty() ? QStringList{} : QStringList{onOk});
        QCOMPARE(port.sent, onOk.isEmpty() ? QList<int>{2116} : QList<int>{});
        QCOMPARE(port.shownFiles, showsFile ? QStringList{path} : QStringList{});

        port.runs.clear();
        port.host.answer.reset();
        QVERIFY(!app::runFileFlow(static_cast<app::FileFlow>(flow), port));
        QCOMPARE(port.chosenString(), QString());
        QCOMPARE(port.runs, onCancel.isEmpty() ? QStringList{} : QStringList{onCancel});
        QCOMPARE(port.shownFiles.size(), showsFile ? 1 : 0);
        QVERIFY(port.host.boxes.isEmpty());
    }

    // #STRING holds 4095 bytes: a longer path is a failing dialog, named by the flow's own
    // routine, and the flow goes on as if cancelled.
    void pathsLongerThanTheStringFail_data() {
        QTest::addColumn<int>("flow");
        QTest::addColumn<QString>("routine");
        using F = app::FileFlow;
        QTest::newRow("open") << static_cast<int>(F::ModelOpen) << "GetOpenFileName";
        QTest::newRow("save") << static_cast<int>(F::ModelSave) << "GetSaveFileName";
        QTest::newRow("camera") << static_cast<int>(F::CameraOpen) << "CAM_FileOpen";
        QTest::newRow("light open") << static_cast<int>(F::LightOpen) << "LIGFileOpen";
        QTest::newRow("light save") << static_cast<int>(F::LightSave) << "LIGFileSave";
    }
    void pathsLongerThanTheStringFail() {
        QFETCH(int, flow);
        QFETCH(QString, routine);
        RecordingPort port;
        // Three bytes a character: one byte more than fits.
        port.host.answer = "/" + QString(1365, QChar(0x5F62));
        QVERIFY(!app::runFileFlow(static_cast<app::FileFlow>(flow), port));
        QCOMPARE(port.host.boxes, QStringList{"WARNING|" + routine + " が返したエラー #12291"});
        QCOMPARE(port.chosenString(), QString());
        QVERIFY(port.shownFiles.isEmpty());
        QVERIFY(!port.runs.contains("write #STRING;"));

        port.host.boxes.clear();
        port.host.answer = "/" + QString(1364, QChar(0x5F62)) + "ab";  // exactly 4095 bytes
        QVERIFY(app::runFileFlow(static_cast<app::FileFlow>(flow), port));
        QCOMPARE(port.chosenString(), *port.host.answer);
        QVERIFY(port.host.boxes.isEmpty());
    }

    void dxfImportConvertsAndReadsTheModel() {
        QTemporaryDir start;
        RecordingPort port;
        port.execute = true;
        const QByteArray startDir = start.path().toUtf8();
        port.w.interp.sym.setSlotText(script::SymbolTable::kStartDirectorySlot,
                                      std::string_view(startDir.constData(), startDir.size()));
        // A script from an earlier import must not be what is read.
        const QString temp = start.filePath("temp.pts");
        QFile old(temp);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("axis.add\naxis.add\n");
        old.close();
        qputenv("PATH", QFileInfo(POLYCONV_PATH).path().toUtf8() + ":" + qgetenv("PATH"));

        port.host.answer = ROVORA_SOURCE_DIR "/tests/data/polyconv/mesh_3x4_r12.dxf";
        QVERIFY(app::runFileFlow(app::FileFlow::DxfImport, port));
        QCOMPARE(port.host.title, kSaveTitle);
        QCOMPARE(port.host.filters, QStringList{kDxf});
        QCOMPARE(port.runs, QStringList{"read \"" + temp + "\"; autoview; winclear; wire; "});
        QCOMPARE(port.w.db.axisCount, 12);
        QCOMPARE(port.w.db.shapeCount, 1);
        QVERIFY(port.sink.boxes().empty());
        QVERIFY(port.shownFiles.isEmpty());
    }

    // Qt's own dialog lists "a.mmb" under "*.MMB", and takes the pattern of a label whose
    // parentheses are full-width ones.
    void filtersMatchWithoutRegardToCase() {
        QTemporaryDir dir;
        for (const char* name : {"a.mmb", "b.Tif", "c.txt"}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        struct ListingHost : app::DialogHost {
            QString dir;
            QList<QStringList> listed;  // for each filter
            int exec(QDialog& dialog) override {
                auto& files = static_cast<QFileDialog&>(dialog);
                files.setDirectory(dir);
                for (const QString& filter : files.nameFilters()) {
                    files.selectNameFilter(filter);
                    const auto* view = files.findChild<QListView*>("listView");
                    QStringList names;
                    for (int i = 0; i < 100 && names.isEmpty(); ++i) {
                        QTest::qWait(20);
                        for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r)
                            names
                                << view->model()->index(r, 0, view->rootIndex()).data().toString();
                    }
                    listed << names;
                }
                return QDialog::Rejected;
            }
        } host;
        host.dir = dir.path();
        const std::array<app::FileFilter, 2> filters{
            {{"運動ﾊﾞｲﾅﾘﾌｧｲﾙ(*.MMB)", "*.MMB"}, {"TIFFﾌｧｲﾙ（*.TIF）", "*.TIF"}}};
        QWidget owner;
        QVERIFY(!host.chooseFile(owner, {app::FileDialogKind::Open, "t", filters}));
        QCOMPARE(host.listed, (QList<QStringList>{{"a.mmb"}, {"b.Tif"}}));
    }

    void viewingTheModelAsVrml() {
        RecordingPort port;
        port.execute = true;
        port.run("box.s = (0, 0, 0); box.e = (100, 100, 100); boxgen2 box.s, box.e;");
        const QString model = QDir(QDir::tempPath()).filePath("rovora_flows_model.ptb");
        port.run(("write \"" + model + "\";").toUtf8().constData());
        QVERIFY(app::viewVrml(port, "DIDEDORE.EXE"));
        // Overwrite save still writes the user's model, not the copy shown.
        QCOMPARE(QString::fromUtf8(db::database(port.w.interp).modelFileName.data()), model);
        QFile::remove(model);
        QCOMPARE(port.host.started.size(), 1);
        const QString file = port.host.started.front().section('|', 1);
        QVERIFY(port.host.started.front().startsWith("xdg-open|"));
        QFile wrl(file);
        QVERIFY(wrl.open(QIODevice::ReadOnly));
        QVERIFY(wrl.readLine().startsWith("#VRML V1.0 ascii"));
        wrl.remove();

        // The default name in any case is the desktop's viewer; any other is started itself.
        QVERIFY(app::viewVrml(port, "didedore.exe"));
        QVERIFY(port.host.started.back().startsWith("xdg-open|"));
        port.host.starts = false;
        QVERIFY(!app::viewVrml(port, "view3dscene"));
        QCOMPARE(port.host.started.back(), "view3dscene|" + file);
        QCOMPARE(port.host.boxes,
                 QStringList{"WARNING| 外部プログラム ( view3dscene ) は利用できません！ "});
        QFile::remove(file);
    }

    void externalCadGetsTheModelAsDxf() {
        RecordingPort port;
        QVERIFY(app::startExternalCad(port));
        QCOMPARE(port.runs, QStringList{"write \"temp.dxf\";"});
        QCOMPARE(port.host.started, QStringList{"zozazi|"});
        QVERIFY(port.host.boxes.isEmpty());

        port.host.starts = false;
        QVERIFY(!app::startExternalCad(port));
        QCOMPARE(port.host.boxes,
                 QStringList{"WARNING| 外部プログラム ( zozazi ) は利用できません！ "});
    }
};

}  // namespace rz::test

int main(int argc, char** argv) {
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    rz::test::FileFlowsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "file_flows_test.moc"
