// The command handler: every identifier of the menus, pop-ups, accelerators, palette, tool
// windows and dialogs, delivered by the handler, by its menu items and by its keys, against
// the statements, dialogs and file flows typed here; and the check marks, the input flag,
// the overwrite-save item and the fast-wireframe switch.
#include <QFile>
#include <QMenuBar>
#include <QTest>
#include <map>

#include "app/shell/command_table.hpp"
#include "app/shell/tool_windows/record_list_window.hpp"
#include "db/system_variables.hpp"
#include "script/language_symbols.hpp"
#include "tests/app/shell/shell_fixture.hpp"

namespace rz::test {
namespace {

using app::FileFlow;

QString dialog(int n) {
    return QStringLiteral("dialog %1").arg(n);
}
QString flow(FileFlow f) {
    return QStringLiteral("flow %1").arg(static_cast<int>(f));
}
QString primitive(const char* kind, const char* ratio, const char* division) {
    return QStringLiteral(
               "b.cursor.code = PRIM.%1; draw L.ACTIVE, N.WIRE; initlayer; "
               "set.primitive box.s, box.e, %2, %3, direc, futa; wire L.ACTIVE; ")
        .arg(kind, ratio, division);
}

// What the window hands on, in order: statements as they are, dialogs and flows by name.
// Dialogs answer OK, flows are cancelled; with `execute` the statements also run.
struct Recorder {
    Recorder(app::MainWindow& w, bool execute) {
        auto real = w.execute;
        w.execute = [this, real, execute](platform::WindowId id, const char* s) {
            seen << QString::fromUtf8(s);
            if (execute) real(id, s);
        };
        w.modalDialog = [this](int d, int) {
            seen << dialog(d);
            return true;
        };
        w.fileFlow = [this](FileFlow f) {
            seen << flow(f);
            return false;
        };
    }
    QStringList take() { return std::exchange(seen, {}); }
    QStringList seen;
};

struct Programs : app::DialogHost {
    bool startDetached(const QString& program, const QStringList&) override {
        started << program;
        return false;
    }
    QStringList started;
};

const QString kRedraw = QStringLiteral("winclear; wire; ");
const QString kRedrawShort = QStringLiteral("winclear; wire;");
const QString kParts = QStringLiteral("draw L.ACTIVE, N.WIRE; initlayer;");

struct Case {
    int id;
    bool inMenu;
    QStringList expected;
};

std::vector<Case> cases() {
    const QString flip = QStringLiteral(
        "rev.anker box.s, box.e, %1; grid.center = ( box.s:x, box.s:y, box.s:z ); winclear; wire;");
    const QString plane = QStringLiteral(
        "grid.plane = %1; grid.center = ( box.s:x, box.s:y, box.s:z ); winclear; wire; ");
    std::vector<Case> c = {
        {40004, true, {"modelinit; winclear; "}},
        {2001, true, {flow(FileFlow::ModelOpen)}},
        {40007, true, {flow(FileFlow::ModelSave)}},
        {2002, true, {flow(FileFlow::ModelSave)}},
        {2003, true, {flow(FileFlow::ModelAdd)}},
        {213, true, {flow(FileFlow::CameraOpen)}},
        {212, true, {flow(FileFlow::CameraSave)}},
        {255, true, {flow(FileFlow::LightOpen)}},
        {254, true, {flow(FileFlow::LightSave)}},
        {2008, true, {flow(FileFlow::DxfImport)}},
        {2009, true, {flow(FileFlow::DxfSave)}},
        {2011, true, {"set.vrml.map OFF;", flow(FileFlow::VrmlSave)}},
        {2012, true, {"set.vrml.map ON;", flow(FileFlow::VrmlSave)}},
        {2115, true, {flow(FileFlow::Script)}},
        {2116, false, {"newexec #STRING;", "winclear; wire;"}},
        {2004, true, {dialog(56)}},
        {998, true, {}},
        {0, false, {}},
        {2209, true, {"pick.block;"}},
        {2211, true, {"pick.face;"}},
        {2222, true, {}},
        {2213,
         true,
         {"draw L.ACTIVE, G.ABOX; abox2block;grid.center = ( box.s:x, box.s:y, "
          "box.s:z ); trans.block; "}},
        {2214, true, {dialog(79)}},
        {2220,
         true,
         {"draw L.ACTIVE, G.ABOX; abox2block;grid.center = ( box.s:x, box.s:y, "
          "box.s:z ); transcopy.block; "}},
        {2221, true, {dialog(79)}},
        {2206,
         true,
         {"draw L.ACTIVE, G.ABOX; center.backup; abox2block; center ( box.s:x, "
          "box.s:y, box.s:z );grid.center = ( box.s:x, box.s:y, box.s:z ); "
          "scale.block; "}},
        {2215, true, {}},
        {2201, true, {"rev.layer; wire; "}},
        {2202, true, {"hide.layer; winclear; wire; "}},
        {2203, true, {"set.layer L.ACTIVE; "}},
        {2204, true, {"set.layer L.NORMAL; "}},
        {2207, true, {dialog(12)}},
        {2603, true, {dialog(38), "new.block; "}},
        {2604, true, {kParts, dialog(34), dialog(38), "new.block; delete.block; "}},
        {2610, true, {dialog(39)}},
        {2613, true, {kParts, dialog(35), dialog(36)}},
        {2602, true, {kParts, dialog(22)}},
        {2531, true, {}},
        {2413, true, {}},
        {3004, true, {dialog(40), dialog(41)}},
        {3002, true, {dialog(45)}},
        {3005, true, {dialog(45), dialog(43)}},
        {3001, true, {dialog(50), dialog(51)}},
        {3012,
         true,
         {dialog(45),
          "initlayer; rigid.bbox; abox2block;grid.center = ( box.s:x, "
          "box.s:y, box.s:z ); trans.actor; "}},
        {3051, true, {flow(FileFlow::PoseOpen)}},
        {3052, true, {flow(FileFlow::PoseSave)}},
        {2552, true, {"wire;"}},
        {321, true, {"wire.detail OFF; winclear; wire; "}},
        {2567, true, {"set.glviewsize GLVIEW.HALFSIZE;"}},
        {2566, true, {"set.glviewsize GLVIEW.FULLSIZE;"}},
        {2568, true, {"set.glviewmode GLVIEW.WIREFRAME;"}},
        {2570, true, {"set.glviewmode GLVIEW.FLATSHADE;"}},
        {2572, true, {"set.glviewmode GLVIEW.SMOOTHSHADE;"}},
        {2571, false, {"set.glviewmode GLVIEW.FLATMAP;"}},
        {2573, false, {"set.glviewmode GLVIEW.SMOOTHMAP;"}},
        {2563, true, {}},
        {2564, true, {"wire;"}},
        {2574, true, {dialog(82), "cinit CBUF.FILL, cbuf.color.v; "}},
        {2551,
         true,
         {"cinit CBUF.FILL, cbuf.color.v; drawmode FULL; draw.thread; drawmode WIRE; "
          "mag.image 2, img.s.left, img.s.top, img.s.right, img.s.bottom;"}},
        {2553,
         true,
         {"cinit CBUF.FILL, cbuf.color.v; drawmode FINE; draw.thread; drawmode WIRE; "}},
        {2554,
         true,
         {"cinit CBUF.FILL, cbuf.color.v; drawmode FINISH; draw.thread; drawmode WIRE; "
          "draw.thread; "}},
        {2558, true, {flow(FileFlow::BackgroundFine), "drawmode WIRE; "}},
        {2559, true, {flow(FileFlow::BackgroundFinish), "drawmode WIRE; "}},
        {2562, true, {}},
        {2560, true, {flow(FileFlow::ImageOpen)}},
        {2561, true, {flow(FileFlow::ImageSave)}},
        {106, true, {}},
        {107, true, {dialog(19)}},
        {2013, true, {flow(FileFlow::RokOpen)}},
        {2014, true, {flow(FileFlow::RokSave)}},
        {2010, true, {"nosupport;"}},
        {223, true, {}},
        {243, true, {}},
        {209, true, {"direc = X.DIR; "}},
        {207, true, {"direc = Y.DIR; "}},
        {208, true, {"direc = Z.DIR; "}},
        {203, true, {flip.arg("X.DIR")}},
        {202, true, {flip.arg("Y.DIR")}},
        {201, true, {flip.arg("Z.DIR")}},
        {210, true, {"bcursor.target; winclear; wire;"}},
        {239, true, {"block.restore; winclear; wire;"}},
        {701, true, {"winmode = PARS.MODE; winclear; wire; "}},
        {702, true, {"winmode = XY.MODE; winclear; wire; "}},
        {703, true, {"winmode = XZ.MODE; winclear; wire; "}},
        {704, true, {"winmode = YZ.MODE; winclear; wire; "}},
        {705, true, {"winmode = W4.MODE; winclear; wire; "}},
        {751, true, {}},
        {204, true, {plane.arg("XY.PLANE")}},
        {205, true, {plane.arg("ZY.PLANE")}},
        {206, true, {plane.arg("XZ.PLANE")}},
        {451, true, {kRedraw}},
        {501, false, {primitive("BALL1", "1", "div")}},
        {502, false, {primitive("BALL8", "1", "div")}},
        {503, false, {primitive("CYL1", "1", "div")}},
        {504, false, {primitive("CYL4", "1", "div")}},
        {505, false, {primitive("CORN1", "1", "div")}},
        {506, false, {primitive("CORN4", "1", "div")}},
        {507, false, {primitive("CYL4", "1", "1")}},
        {508,
         false,
         {"b.cursor.code = PRIM.CORN4; draw L.ACTIVE, N.WIRE; initlayer; set.primitive "
          "box.s, box.e, 1, 1, 2, 0; wire L.ACTIVE; "}},
        {509, false, {primitive("BOX3", "1", "div")}},
        {510, false, {primitive("TORUS1", "t.ratio", "div")}},
        {511, false, {primitive("TORUS4", "t.ratio", "div")}},
        {512, false, {primitive("T1TORUS1", "t.ratio", "div")}},
        {513, false, {primitive("T1TORUS4", "t.ratio", "div")}},
        {514, false, {primitive("T2TORUS1", "t.ratio", "div")}},
        {515, false, {primitive("T2TORUS4", "t.ratio", "div")}},
        {516, false, {primitive("GRIDPLANE", "1", "div")}},
        {517, false, {primitive("BALL4", "1", "div")}},
        {2110, false, {"undo.primitive; winclear; wire;"}},
        {2111, false, {dialog(77)}},
        {2112, false, {dialog(16)}},
        {2117, false, {dialog(69)}},
        // Nothing is selected: the point editor does not begin (see point_editing_test).
        {2118, false, {}},
        {214, false, {"autoview; parswinclear; parswire.thread;"}},
        {219, false, {dialog(76), "parswinclear; parswire;"}},
        {220, false, {dialog(75), "parswinclear; parswire;"}},
        {228, false, {dialog(57)}},
        {227, false, {}},
        {241, false, {"new.light; ", dialog(17), kRedrawShort}},
        {242,
         false,
         {"set.lightno l.max; ", dialog(18), "num.light l.point; ", dialog(17), kRedrawShort}},
        {244, false, {"num.light l.point; ", dialog(17), kRedraw}},
        {245, false, {"nosupport;"}},
        {642, false, {"num.light l.point; "}},
        {2401, false, {"new.atr; set.atrcount atr.max; ", dialog(27), kRedraw}},
        {2402,
         false,
         {"set.atrcount atr.max; ", dialog(14), "num.atr atr.point; ", dialog(27), kRedraw}},
        {2532, false, {"num.atr atr.point; ", dialog(27), kRedraw}},
        {2533, false, {"link.atr atr.point; ", kRedraw}},
        {2534, false, {"atr.delete atr.point; set.atrcount atr.max; num.atr atr.point; ", kRedraw}},
        {2535, false, {"set.atrcount atr.max; "}},
        {2542, false, {"num.atr atr.point; "}},
        {2216, false, {"set.atrcount atr.max; num.atr atr.point; ", dialog(59)}},
        {2218, false, {"set.layer L.NORMAL;sel.block.attri atr.point;"}},
        {2411, false, {"new.mapinfo; ", dialog(30), kRedraw}},
        {2412,
         false,
         {"set.micount mapinfo.max; ", dialog(31), "num.mapinfo mi.point; ", dialog(30), kRedraw}},
        {2414, false, {"num.mapinfo mi.point; ", dialog(30), kRedraw}},
        {2415, false, {"link.mapinfo mi.point; ", kRedraw}},
        {2416, false, {"set.micount mapinfo.max; num.mapinfo mi.point; ", kRedraw}},
        {2417, false, {"set.micount mapinfo.max; num.mapinfo mi.point; "}},
        {2902, false, {"num.mapinfo mi.point; "}},
        {2912, false, {"num.mapdata md.point; "}},
        {2217, false, {"set.micount mapinfo.max; ", dialog(60)}},
        {2219, false, {"sel.block.mapping mi.point;"}},
        {2210, false, {dialog(34), kRedraw}},
        {2212, false, {dialog(37), kRedraw}},
        {2601, false, {kParts, dialog(21)}},
        {2606,
         false,
         {kRedraw,
          "draw L.ACTIVE, G.ABOX; abox2block;grid.center = ( box.s:x, "
          "box.s:y, box.s:z ); winclear; wire; trans.parts; "}},
        {2607, false, {dialog(79)}},
        {2611, false, {kParts, dialog(23)}},
        {2641, false, {kParts, "set.select L.ACTIVE; wire L.SELECT; reset.select;"}},
        {2642, false, {kParts, "set.select L.ACTIVE; wire L.SELECT; reset.select;"}},
        {2141, false, {"wire L.SELECT;", "wire L.SELECT; "}},
        {2142, false, {"wire L.SELECT;", "wire L.SELECT; "}},
        {2155, false, {"wire L.SELECT;", "wire L.SELECT; "}},
        {2152, false, {"draw L.SELECT, WIRE;", kRedrawShort}},
        {2157, false, {kRedraw}},
        {2650, false, {"set.layer L.NORMAL; winclear; wire; "}},
        {2653, false, {kRedraw}},
        {2655, false, {dialog(36), kRedraw}},
        {251, false, {}},
        {252, false, {}},
        {2845, false, {}},
        {3003, false, {dialog(45), dialog(44)}},
        {3009, false, {dialog(46), dialog(48)}},
        {3010, false, {dialog(47)}},
        {3011, false, {dialog(46), dialog(47)}},
        {791, false, {}},
        {801, false, {kRedraw}},
        {811, false, {}},
        {104, false, {}},
        {2114, false, {"write \"temp.dxf\";"}},
        {57670, false, {"nosupport;"}},
        {4242, false, {"nosupport;"}},
    };
    for (int id : {414, 415, 416, 417, 418}) c.push_back({id, false, {"parswire.thread;"}});
    for (int id : {211, 222, 224, 225, 226})
        c.push_back({id, false, {"parswinclear; parswire.thread;"}});
    const std::array<const char*, 11> scales = {"0", "1", "2", "3", "4", "5",
                                                "6", "7", "8", "9", "10"};
    for (int n = 0; n < 11; ++n)
        c.push_back(
            {341 + n, true, {QStringLiteral("set.winfact %1; winclear; wire; ").arg(scales[n])}});
    for (int n = 0; n < 12; ++n)
        c.push_back({301 + n, true, {QStringLiteral("set.wingrid %1; winclear; wire; ").arg(n)}});
    return c;
}

struct Key {
    QKeyCombination key;
    int id;
};
const std::array<Key, 24> kKeys{{
    {Qt::ALT | Qt::Key_1, 206},           {Qt::ALT | Qt::Key_2, 205},
    {Qt::ALT | Qt::Key_3, 204},           {Qt::ALT | Qt::Key_Q, 2204},
    {QKeyCombination(Qt::Key_F2), 210},   {QKeyCombination(Qt::Key_F3), 104},
    {QKeyCombination(Qt::Key_F5), 2222},  {QKeyCombination(Qt::Key_F6), 2531},
    {QKeyCombination(Qt::Key_F7), 2413},  {QKeyCombination(Qt::Key_F8), 223},
    {QKeyCombination(Qt::Key_F1), 57670}, {Qt::CTRL | Qt::Key_A, 209},
    {Qt::CTRL | Qt::Key_S, 207},          {Qt::CTRL | Qt::Key_D, 208},
    {Qt::CTRL | Qt::Key_Q, 203},          {Qt::CTRL | Qt::Key_W, 202},
    {Qt::CTRL | Qt::Key_E, 201},          {Qt::CTRL | Qt::Key_C, 2220},
    {Qt::CTRL | Qt::Key_R, 2221},         {Qt::ALT | Qt::Key_A, 2203},
    {Qt::ALT | Qt::Key_C, 2213},          {Qt::ALT | Qt::Key_R, 2214},
    {Qt::ALT | Qt::Key_S, 2206},          {Qt::ALT | Qt::Key_X, 2201},
}};

// Back to the state a command finds after start-up, so each case stands alone.
void reset(app::MainWindow& w) {
    if (w.interfaceState().realTime) w.setRealTime(false);
    w.interfaceState() = {};
    w.enableMenuBar();
    w.imageWindow().hide();
    for (app::ToolWindow t :
         {app::ToolWindow::Selection, app::ToolWindow::Material, app::ToolWindow::Mapping,
          app::ToolWindow::Camera, app::ToolWindow::Light, app::ToolWindow::PointEdit})
        w.toolWindows().setVisible(t, false);
    w.setModified(false);
    w.menus().setEnabled(app::cmd::kOverwriteSave, true);
}

bool allChecked(app::MainWindow& w, int id, bool checked) {
    const QList<QAction*> items = w.menus().actions(id);
    return !items.isEmpty() &&
           std::ranges::all_of(items, [&](QAction* a) { return a->isChecked() == checked; });
}

}  // namespace

class CommandRoutingTest : public QObject {
    Q_OBJECT
  private slots:
    void everyIdentifierByHandlerMenuAndKey() {
        ShellFixture f;
        Programs programs;
        f.window->setDialogHost(programs);
        QVERIFY(f.show());
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        Recorder r(*f.window, false);
        std::map<int, QStringList> byId;
        for (const Case& c : cases()) {
            byId[c.id] = c.expected;
            reset(*f.window);
            r.take();
            f.window->sendCommand(c.id);
            QVERIFY2(r.take() == c.expected, qPrintable(QString::number(c.id)));
            const QList<QAction*> items = f.window->menus().actions(c.id);
            QVERIFY2(items.isEmpty() != c.inMenu, qPrintable(QString::number(c.id)));
            for (QAction* a : items) {
                if (!a->isEnabled()) continue;  // the reduced bar's items that are never on
                reset(*f.window);
                r.take();
                a->trigger();
                QVERIFY2(r.take() == c.expected, qPrintable(QString::number(c.id)));
            }
        }
        QCOMPARE(programs.started, QStringList({"xdg-open", "xdg-open", "xdg-open", "zozazi"}));
        for (const Key& k : kKeys) {
            reset(*f.window);
            r.take();
            f.window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
            QTest::keyClick(f.window.get(), k.key.key(), k.key.keyboardModifiers());
            QCOMPARE(r.take(), byId.at(k.id));
        }
        f.window->setModified(false);
    }

    // The accelerators work while a tool window has the keyboard, as they did through the
    // message loop: Qt counts a tool window as part of the window that owns it.
    void acceleratorsFromAToolWindow() {
        ShellFixture f;
        QVERIFY(f.show());
        Recorder r(*f.window, false);
        QDialog& material = f.window->toolWindows().window(app::ToolWindow::Material);
        material.show();
        material.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&material));
        r.take();
        QTest::keyClick(&material, Qt::Key_3, Qt::AltModifier);
        QCOMPARE(r.take(), QStringList{"grid.plane = XY.PLANE; grid.center = ( box.s:x, box.s:y, "
                                       "box.s:z ); winclear; wire; "});
        f.window->setModified(false);
    }

    void checkMarksMoveInEveryMenu() {
        ShellFixture f;
        Recorder r(*f.window, true);
        // Grid step 500 at start-up: "*  5".
        QVERIFY(allChecked(*f.window, 303, true));
        QCOMPARE(f.window->menus().actions(310).size(), 2);  // both view pop-ups
        f.window->sendCommand(310);
        QCOMPARE(r.take(), QStringList{"set.wingrid 9; winclear; wire; "});
        QVERIFY(allChecked(*f.window, 310, true));
        QVERIFY(allChecked(*f.window, 303, false));
        QCOMPARE(db::scalarVar(f.w.interp, db::SysVar::GridStep), 1.0f);
        // The real-time options sit in both bars.
        QVERIFY(allChecked(*f.window, 2570, true));
        f.window->sendCommand(2572);
        QVERIFY(allChecked(*f.window, 2572, true));
        QVERIFY(allChecked(*f.window, 2570, false));
    }

    void primitivesWaitForInputAndChangeTheModel() {
        ShellFixture f;
        Recorder r(*f.window, true);
        const QAction* overwrite = f.window->menus().actions(app::cmd::kOverwriteSave).front();
        QVERIFY(!overwrite->isEnabled());
        f.window->interfaceState().input = false;
        f.window->sendCommand(501);
        QVERIFY(r.take().isEmpty());
        QVERIFY(!overwrite->isEnabled());
        f.window->interfaceState().input = true;
        f.window->sendCommand(501);
        QCOMPARE(f.w.db.shapeCount > 0, true);
        QVERIFY(f.window->modified());
        for (QAction* a : f.window->menus().actions(app::cmd::kOverwriteSave))
            QVERIFY(a->isEnabled());
        f.window->sendCommand(app::cmd::kNewModel);
        QVERIFY(!f.window->modified());
        for (QAction* a : f.window->menus().actions(app::cmd::kOverwriteSave))
            QVERIFY(!a->isEnabled());
    }

    void overwriteSaveWritesTheModelFileOrAsksForOne() {
        ShellFixture f;
        Recorder r(*f.window, false);
        f.window->markModified();
        f.window->sendCommand(app::cmd::kOverwriteSave);
        QCOMPARE(r.take(), QStringList{flow(FileFlow::ModelSave)});
        QVERIFY(f.window->modified());  // nothing was saved

        const int slot = script::kStringVariables[0].slot;
        f.w.interp.sym.setSlotText(slot, "old.mmb");
        std::ranges::copy(std::string_view("model.mmb\0", 10), f.w.db.modelFileName.begin());
        f.window->sendCommand(app::cmd::kOverwriteSave);
        QCOMPARE(r.take(), QStringList{"write #STRING; "});
        QCOMPARE(f.w.interp.sym.slotText(slot), std::string_view("model.mmb"));
        QVERIFY(!f.window->modified());
    }

    // A script that makes a material: the material window lists it when the script is done.
    void recordListsFollowAScript() {
        ShellFixture f;
        QListWidget& materials =
            f.window->toolWindows().recordList(app::ToolWindow::Material)->list();
        f.window->toolWindows().refreshRecordLists();
        const int before = materials.count();
        const QString script = f.dir.filePath("material.sub");
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("new.atr; save.atr atr.point;\n");
        file.close();
        f.w.interp.sym.setSlotText(script::kStringVariables[0].slot, script.toStdString());
        f.window->sendCommand(2116);
        QCOMPARE(materials.count(), before + 1);
    }

    void fastWireframeTwiceIsWhereItStarted() {
        ShellFixture f;
        Recorder r(*f.window, true);
        QVERIFY(f.w.db.boxCursor.wireDetail);
        QVERIFY(allChecked(*f.window, app::cmd::kWireFast, false));
        f.window->sendCommand(app::cmd::kWireFast);
        QVERIFY(!f.w.db.boxCursor.wireDetail);
        QVERIFY(allChecked(*f.window, app::cmd::kWireFast, true));
        f.window->sendCommand(app::cmd::kWireFast);
        QCOMPARE(r.take(), QStringList({"wire.detail OFF; winclear; wire; ",
                                        "wire.detail ON;  winclear; wire; "}));
        QVERIFY(f.w.db.boxCursor.wireDetail);
        QVERIFY(allChecked(*f.window, app::cmd::kWireFast, false));
    }

    void realTimeExchangesTheBarAndThePopup() {
        ShellFixture f;
        QVERIFY(f.show());
        Recorder r(*f.window, false);
        QCOMPARE(f.window->menuBar()->actions().size(), 8);
        f.window->sendCommand(app::cmd::kRealTimeOn);
        QCOMPARE(f.window->interfaceState().popup, app::ViewPopup::RealTime);
        QVERIFY(f.window->glPreview().realTime());
        QCOMPARE(f.window->menuBar()->actions().size(), 5);
        f.window->sendCommand(app::cmd::kRealTimeOff);
        QCOMPARE(f.window->interfaceState().popup, app::ViewPopup::Views);
        QCOMPARE(f.window->menuBar()->actions().size(), 8);
        QCOMPARE(r.take().last(), QStringLiteral("wire;"));
    }
};

int runCommandRoutingTests(int argc, char** argv) {
    CommandRoutingTest t;
    return QTest::qExec(&t, argc, argv);
}

}  // namespace rz::test

#include "command_routing_test.moc"
