// The dialogs of parts, joints and motion models, answered by a host that sets their
// controls: one table of the statements each answer hands to the interpreter, and a few
// answers carried out on a started workstation to see what they make of the model.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "app/shell/dialog_host.hpp"
#include "app/shell/modal_dialogs.hpp"
#include "platform/recording_sink.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace rz::test {
namespace {

using Answer = std::function<void(QDialog&)>;

// Answers every dialog by setting its controls, then accepts or rejects it.
class AnsweringHost final : public app::DialogHost {
  public:
    int exec(QDialog& dialog) override {
        titles << dialog.windowTitle();
        for (const Answer& a : answers) a(dialog);
        return accept ? QDialog::Accepted : QDialog::Rejected;
    }
    std::vector<Answer> answers;
    bool accept = true;
    QStringList titles;
};

// The main window as the dialogs see it: what they run is recorded and, when asked for,
// carried out on the workstation.
class RecordingPort final : public app::CommandPort {
  public:
    RecordingPort(workstation::Workstation& w, AnsweringHost& host) : w_(w), host_(host) {}
    void sendCommand(int) override {}
    void run(const char* statements) override {
        runs.emplace_back(statements);
        if (carryOut) script::execCommandString(w_.interp, 0, statements);
    }
    script::Interp& interp() override { return w_.interp; }
    app::DialogHost& dialogs() override { return host_; }
    QWidget& owner() override { return owner_; }
    void showModelFile(const QString&) override {}
    db::Settings& settings() override { return w_.settings; }
    app::CameraSteps& cameraSteps() override { return steps_; }

    std::vector<std::string> runs;
    bool carryOut = false;

  private:
    workstation::Workstation& w_;
    AnsweringHost& host_;
    QWidget owner_;
    app::CameraSteps steps_;
};

Answer pick(const char* list, std::vector<int> rows) {
    return [list, rows](QDialog& d) {
        auto* w = d.findChild<QListWidget*>(QString::fromLatin1(list));
        QVERIFY(w != nullptr);
        w->clearSelection();
        for (const int r : rows) w->item(r)->setSelected(true);
    };
}
Answer type(const char* field, QString text) {
    return [field, text](QDialog& d) {
        auto* w = d.findChild<QLineEdit*>(QString::fromLatin1(field));
        QVERIFY(w != nullptr);
        w->setText(text);
    };
}
Answer number(const char* field, double value) {
    return [field, value](QDialog& d) {
        auto* w = d.findChild<QDoubleSpinBox*>(QString::fromLatin1(field));
        QVERIFY(w != nullptr);
        w->setValue(value);
    };
}
Answer check(const char* box) {
    return [box](QDialog& d) {
        auto* w = d.findChild<QCheckBox*>(QString::fromLatin1(box));
        QVERIFY(w != nullptr);
        w->setChecked(true);
    };
}

// Four ball shapes: shape 0 in the part "arm" (block 1), 1 in "leg" (2), 2 in "head" (3),
// shape 3 in the unnamed block the primitive made for it (4); joint 0 between arm and leg,
// motion model 1, mapping 1.
void buildModel(workstation::Workstation& w) {
    const char* model =
        "b.cursor.code = PRIM.BALL1; "
        "initlayer; set.primitive box.s, box.e, 1, 2, 1, 0; let b.name \"arm\"; new.block; "
        "initlayer; set.primitive box.s, box.e, 1, 2, 1, 0; let b.name \"leg\"; new.block; "
        "initlayer; set.primitive box.s, box.e, 1, 2, 1, 0; let b.name \"head\"; new.block; "
        "initlayer; set.primitive box.s, box.e, 1, 2, 1, 0; initlayer; "
        "rigid.block1.id = 1; rigid.block2.id = 2; new.rigid; new.actor; new.mapinfo; "
        "set.mapinfo; num.block 1;";
    script::execCommandString(w.interp, 0, model);
}

struct Case {
    const char* name;
    int dialog;
    int command;
    const char* before;  // run on the model first
    std::vector<Answer> answers;
    bool accept;
    std::vector<std::string> runs;
};

const std::string kSelectShape0 = "sel.jump.face TOP.JUMP; set.select L.ACTIVE; reset.select; ";
const std::string kSelectShape1 =
    "sel.jump.face TOP.JUMP; select.face 1; set.select L.ACTIVE; reset.select; ";
// 二十二文字: 66 bytes, more than a name field holds.
const QString kLongName = QString(22, QChar(0x540D));

std::vector<Case> cases() {
    const std::string turn =
        "work1 = 0; work2 = 0; work3 = 90; matinit; rot.x ( work1 ); rot.y ( work2 ); "
        "rot.z ( work3 ); ";
    const std::string at = "center ( 1.000, 2.000, 3.000 ); ";
    const std::vector<Answer> rotate{number("centerX", 1), number("centerY", 2),
                                     number("centerZ", 3), number("angleZ", 90)};
    return {
        {"delete",
         12,
         2207,
         "set.layer L.ACTIVE;",
         {},
         true,
         {"block.del L.ACTIVE; winclear; wire; "}},
        {"delete with materials",
         12,
         2207,
         "set.layer L.ACTIVE;",
         {check("withAttributes")},
         true,
         {"allinfo.del L.ACTIVE; winclear; wire; "}},
        {"delete rejected", 12, 2207, "set.layer L.ACTIVE;", {}, false, {}},
        {"delete without selection", 12, 2207, "initlayer;", {}, true, {}},
        {"choose part",
         21,
         2601,
         "",
         {pick("parts", {1})},
         true,
         {kSelectShape1 + "num.block 2; b.layer = 1; set.block; wire L.ACTIVE; "}},
        {"exchange",
         22,
         2602,
         "",
         {pick("first", {0}), pick("second", {1})},
         true,
         {"set.layer L.NORMAL; " + kSelectShape0 + "add.block; ",
          "set.layer L.NORMAL; " + kSelectShape1 + "add.block; ",
          "blockbbox.gen; set.layer L.NORMAL; winclear; wire; "}},
        {"exchange with itself", 22, 2602, "", {pick("first", {1}), pick("second", {1})}, true, {}},
        {"dismantle",
         23,
         2611,
         "",
         {pick("parts", {0})},
         true,
         {"set.layer L.NORMAL; num.block 1; b.layer = 1; set.block; delete.block; winclear; "
          "wire; "}},
        {"choose parts",
         34,
         2604,
         "",
         {pick("parts", {0, 1})},
         true,
         {"sel.jump.face TOP.JUMP; set.select L.ACTIVE; reset.select; select.face 1; "
          "set.select L.ACTIVE; reset.select; wire L.ACTIVE; "}},
        {"choose part to rename", 35, 2613, "", {pick("parts", {2})}, true, {"num.block 3; "}},
        {"rename",
         36,
         2613,
         "num.block 2;",
         {type("name", "右脚")},
         true,
         {"let b.name \"右脚\"; set.block; "}},
        {"rename with a quote", 36, 2613, "", {type("name", "a\"b")}, true, {}},
        {"rename block 0", 36, 2613, "num.block 0;", {type("name", "x")}, true, {}},
        {"choose shape",
         37,
         2212,
         "",
         {pick("shapes", {2})},
         true,
         {"set.layer L.NORMAL; sel.jump.face TOP.JUMP; select.face 2; set.select L.ACTIVE; "
          "reset.select; wire L.ACTIVE; "}},
        {"new part name proposed", 38, 2603, "", {}, true, {"let b.name \"noname(5)\"; "}},
        {"new part name too long", 38, 2603, "", {type("name", kLongName)}, true, {}},
        {"new part rejected", 38, 2603, "", {}, false, {}},
        {"add to part",
         39,
         2610,
         "set.layer L.ACTIVE;",
         {pick("parts", {0})},
         true,
         {"add.block; winclear; wire; "}},
        {"new joint",
         40,
         3004,
         "",
         {pick("first", {0}), pick("second", {2})},
         true,
         {"rigid.block1.id = 1; rigid.block2.id = 3; new.rigid; winclear; wire; "}},
        {"joint name",
         41,
         3004,
         "",
         {type("name", "肘")},
         true,
         {"let rigid.name \"肘\"; set.rigid; "}},
        {"release joint", 43, 3005, "", {}, true, {"unlink.rigid 0; winclear; wire; "}},
        {"start joint of a new model",
         44,
         3003,
         "",
         {pick("actors", {0})},
         true,
         {"new.actor; actor.start.rigid = 0; set.actor; "}},
        {"start joint of a model",
         44,
         3003,
         "",
         {pick("actors", {1})},
         true,
         {"num.actor 1; actor.start.rigid = 0; set.actor; "}},
        {"choose joint", 45, 3002, "", {pick("joints", {0})}, true, {"num.rigid 0; "}},
        {"choose model", 46, 3011, "", {pick("actors", {0})}, true, {"num.actor 1; "}},
        {"new model name",
         47,
         3010,
         "",
         {type("name", "walk")},
         true,
         {"new.actor; let actor.name \"walk\"; set.actor; "}},
        {"model name",
         47,
         3011,
         "",
         {type("name", "walk")},
         true,
         {"let actor.name \"walk\"; set.actor; "}},
        {"delete model", 48, 3009, "", {}, true, {"delete.actor 1; "}},
        {"motion joint", 50, 3001, "", {pick("sides", {1})}, true, {"num.rigid 0; num.block 2; "}},
        {"motion angles",
         51,
         3001,
         "num.block 2;",
         {number("angleX", 10), number("angleY", -20.5), number("angleZ", 30)},
         true,
         {"work1 = 10; work2 = -20.5; work3 = 30; motion 0, 2, work1, work2, work3; "
          "winclear; wire; "}},
        {"select by material",
         59,
         2216,
         "",
         {pick("materials", {0})},
         true,
         {"sel.block.attri 0; "}},
        {"select by mapping",
         60,
         2217,
         "",
         {pick("mappings", {0})},
         true,
         {"sel.block.mapping 1; "}},
        {"rotate",
         79,
         2214,
         "set.layer L.ACTIVE;",
         rotate,
         true,
         {at + turn + "affine L.ACTIVE; matinit; winclear; wire; "}},
        {"rotated copy",
         79,
         2221,
         "set.layer L.ACTIVE;",
         rotate,
         true,
         {"mdlcopy; " + at + turn + "affine L.ACTIVE; matinit; winclear; wire; "}},
        {"rotate parts",
         79,
         2607,
         "set.layer L.ACTIVE;",
         rotate,
         true,
         {at + turn + "affine L.ACTIVE; center ( 0, 0, 0 ); " + turn + "affine.block L.ACTIVE; " +
          at + "matinit; winclear; wire; "}},
        {"rotate rejected", 79, 2214, "set.layer L.ACTIVE;", rotate, false, {}},
    };
}

}  // namespace

class ModelDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void statementsOfEachAnswer();
    void newPartTakesTheName();
    void renameChangesThePart();
    void rotationTurnsTheShape();
    void jointsAreMadeAndNamed();
    void motionTurnsThePart();
    void exchangeSwapsTheShapes();
    void addToPartReportsTheResult();
};

// One workstation per test, so each starts from the same model.
struct Bench {
    Bench() {
        w.start({});
        buildModel(w);
    }
    platform::RecordingSink sink;
    workstation::Workstation w{sink};
    AnsweringHost host;
    RecordingPort port{w, host};
};

void ModelDialogsTest::statementsOfEachAnswer() {
    for (const Case& c : cases()) {
        Bench b;
        QCOMPARE(b.w.db.blockCount, 5);
        script::execCommandString(b.w.interp, 0, c.before);
        b.host.answers = c.answers;
        b.host.accept = c.accept;
        const bool done = app::runModalDialog(c.dialog, c.command, b.port);
        if (b.port.runs != c.runs) {
            for (const std::string& r : b.port.runs) qWarning("ran: %s", r.c_str());
            QFAIL(c.name);
        }
        // Dialogs report OK only when they ran something; a joint that was not made is no OK.
        const bool expectDone = !c.runs.empty() && c.dialog != 40;
        QVERIFY2(done == expectDone, c.name);
    }
}

void ModelDialogsTest::newPartTakesTheName() {
    Bench b;
    b.port.carryOut = true;
    script::execCommandString(b.w.interp, 0, "initlayer; set.layer L.ACTIVE;");
    b.host.answers = {type("name", "胴体")};
    QVERIFY(app::runModalDialog(38, 2603, b.port));
    b.port.run("new.block; ");  // what the menu item runs after the dialog
    // The four shapes leave their parts, which are then empty and go: one part remains.
    QCOMPARE(b.w.db.blockCount, 2);
    QCOMPARE(QString::fromUtf8(b.w.db.blocks[1].name.data()), QStringLiteral("胴体"));
    QCOMPARE(b.w.db.shapes[3].shapeId, 1u);
}

void ModelDialogsTest::renameChangesThePart() {
    Bench b;
    b.port.carryOut = true;
    b.host.answers = {pick("parts", {1})};
    QVERIFY(app::runModalDialog(35, 2613, b.port));
    b.host.answers = {type("name", "右脚")};
    QVERIFY(app::runModalDialog(36, 2613, b.port));
    QCOMPARE(QString::fromUtf8(b.w.db.blocks[2].name.data()), QStringLiteral("右脚"));
    QCOMPARE(QString::fromUtf8(b.w.db.blocks[1].name.data()), QStringLiteral("arm"));
}

void ModelDialogsTest::rotationTurnsTheShape() {
    Bench b;
    b.port.carryOut = true;
    b.host.answers = {pick("shapes", {3})};
    QVERIFY(app::runModalDialog(37, 2212, b.port));
    b.host.answers = {number("centerX", 0), number("centerY", 0), number("centerZ", 0),
                      number("angleZ", 90)};
    QVERIFY(app::runModalDialog(79, 2214, b.port));
    // x turns toward y: the shape's matrix holds the turn, the current matrix none.
    const Mat4& m = b.w.db.affines[b.w.db.shapes[3].matrixId];
    QVERIFY(std::abs(m[1] - 1.0) < 1e-6 && std::abs(m[4] + 1.0) < 1e-6);
    QVERIFY(b.w.db.geometry.current == kIdentity);
    const Mat4& untouched = b.w.db.affines[b.w.db.shapes[0].matrixId];
    QVERIFY(std::abs(untouched[1]) < 1e-6);
}

void ModelDialogsTest::jointsAreMadeAndNamed() {
    Bench b;
    b.port.carryOut = true;
    b.host.answers = {pick("first", {0}), pick("second", {2})};
    QVERIFY(app::runModalDialog(40, 3004, b.port));
    b.host.answers = {type("name", "首")};
    QVERIFY(app::runModalDialog(41, 3004, b.port));
    QCOMPARE(b.w.db.rigidCount, 2);
    QCOMPARE(QString::fromUtf8(b.w.db.rigids[1].name.data()), QStringLiteral("首"));
    // leg and head are now joined through arm: another joint between them is refused, and
    // the name dialog is then not asked for.
    b.host.answers = {pick("first", {1}), pick("second", {2})};
    QVERIFY(!app::runModalDialog(40, 3004, b.port));
    QCOMPARE(b.w.db.rigidCount, 2);
}

void ModelDialogsTest::motionTurnsThePart() {
    Bench b;
    b.port.carryOut = true;
    b.host.answers = {pick("sides", {1})};
    QVERIFY(app::runModalDialog(50, 3001, b.port));
    b.host.answers = {number("angleY", 90)};
    QVERIFY(app::runModalDialog(51, 3001, b.port));
    const Vec3& turned = b.w.db.blocks[2].xyzrot;
    QCOMPARE(turned[1], 90.0f);
    QCOMPARE(b.w.db.blocks[1].xyzrot[1], 0.0f);
}

void ModelDialogsTest::exchangeSwapsTheShapes() {
    Bench b;
    b.port.carryOut = true;
    b.host.answers = {pick("first", {0}), pick("second", {1})};
    QVERIFY(app::runModalDialog(22, 2602, b.port));
    QCOMPARE(b.w.db.shapes[0].shapeId, 2u);
    QCOMPARE(b.w.db.shapes[1].shapeId, 1u);
    QCOMPARE(b.w.db.blockCount, 5);
    QCOMPARE(QString::fromUtf8(b.w.db.blocks[1].name.data()), QStringLiteral("arm"));
}

void ModelDialogsTest::addToPartReportsTheResult() {
    Bench b;
    b.port.carryOut = true;
    b.host.answers = {pick("shapes", {3})};
    QVERIFY(app::runModalDialog(37, 2212, b.port));
    b.sink.clear();
    b.host.answers = {pick("parts", {2})};
    QVERIFY(app::runModalDialog(39, 2610, b.port));
    QCOMPARE(b.w.db.shapes[3].shapeId, 3u);
    QVERIFY(!b.sink.statuses().empty());
    QVERIFY(QString::fromStdString(b.sink.statuses().back()).contains("1 個の形状"));
}

}  // namespace rz::test

QTEST_MAIN(rz::test::ModelDialogsTest)
#include "model_dialogs_test.moc"
