// The dialogs of materials, mappings, lights, the camera and the environment, opened by number
// and answered by a host that sets a control and accepts or rejects. Every statement a dialog
// hands over is also run on a started workstation: it must run without an error and leave the
// values the dialog showed.
#include <QAbstractButton>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QSpinBox>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "app/shell/dialog_host.hpp"
#include "app/shell/main_window.hpp"
#include "app/shell/modal_dialogs.hpp"
#include "platform/recording_sink.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace rz::test {
namespace {

using Answer = std::function<void(QDialog&)>;

// Answers the dialog under test with `answer` and every message box with OK.
class AnsweringHost final : public app::DialogHost {
  public:
    int exec(QDialog& dialog) override {
        titles << dialog.windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(&dialog); box != nullptr) {
            notices << box->text();
            return QDialog::Accepted;
        }
        if (answer) answer(dialog);
        return accept ? QDialog::Accepted : QDialog::Rejected;
    }

    Answer answer;
    bool accept = true;
    QStringList titles;
    QStringList notices;
};

// Records what the dialogs run and runs it on a started workstation.
class RecordingPort final : public app::CommandPort {
  public:
    explicit RecordingPort(workstation::Workstation& w) : w_(w) {}
    void sendCommand(int) override {}
    void run(const char* statements) override {
        ran += statements;
        script::execCommandString(w_.interp, 0, statements);
    }
    script::Interp& interp() override { return w_.interp; }
    app::DialogHost& dialogs() override { return host; }
    QWidget& owner() override { return owner_; }
    void showModelFile(const QString&) override {}
    db::Settings& settings() override { return w_.settings; }
    app::CameraSteps& cameraSteps() override { return steps; }

    AnsweringHost host;
    app::CameraSteps steps;
    std::string ran;

  private:
    workstation::Workstation& w_;
    QWidget owner_;
};

template <class T>
T& control(QDialog& d, const char* name) {
    T* c = d.findChild<T*>(QString::fromUtf8(name));
    if (c == nullptr) qFatal("no control %s in %s", name, qPrintable(d.windowTitle()));
    return *c;
}

Answer number(const char* name, double v) {
    return [=](QDialog& d) { control<QDoubleSpinBox>(d, name).setValue(v); };
}
Answer choice(const char* name, int value) {
    return [=](QDialog& d) {
        QComboBox& box = control<QComboBox>(d, name);
        box.setCurrentIndex(box.findData(value));
    };
}
Answer listRow(int row) {
    return [=](QDialog& d) { control<QListWidget>(d, "list").setCurrentRow(row); };
}
Answer click(const char* name) {
    return [=](QDialog& d) { control<QAbstractButton>(d, name).click(); };
}
Answer both(Answer a, Answer b) {
    return [=](QDialog& d) {
        a(d);
        b(d);
    };
}
Answer nothing() {
    return [](QDialog&) {};
}

using Check = std::function<bool(workstation::Workstation&, RecordingPort&)>;

bool near(float a, double b) {
    return std::abs(a - b) < 1e-4;
}

struct Case {
    const char* name;
    const char* setup;  // run on the workstation before the dialog opens
    int dialog;
    int command;
    Answer answer;
    bool accept;
    const char* ran;  // exactly what the dialog runs, or the fragments below in order
    std::vector<const char*> fragments;
    Check check;
};

bool inOrder(const std::string& text, const std::vector<const char*>& fragments) {
    std::size_t at = 0;
    for (const char* f : fragments) {
        at = text.find(f, at);
        if (at == std::string::npos) return false;
        at += std::string_view(f).size();
    }
    return at == text.size();
}

const std::vector<Case>& cases() {
    static const std::vector<Case> kCases{
        {"cap off",
         "",
         16,
         2112,
         choice("futa", 1),
         true,
         "futa = 1; ",
         {},
         [](auto& w, auto&) { return w.interp.sym.scalar(w.interp.sym.lookup("futa")) == 1; }},
        {"torus ratio",
         "",
         69,
         2117,
         number("t.ratio", 0.3),
         true,
         "t.ratio = 0.3; ",
         {},
         [](auto& w, auto&) {
             return near(w.interp.sym.scalar(w.interp.sym.lookup("t.ratio")), 0.3);
         }},
        {"divisions", "", 77, 2111, number("div", 24), true, "div = 24; ", {}, nullptr},
        {"divisions never below one",
         "",
         77,
         2111,
         number("div", 0),
         true,
         "div = 1; ",
         {},
         nullptr},
        {"divisions cancelled",
         "",
         77,
         2111,
         number("div", 24),
         false,
         "",
         {},
         [](auto& w, auto&) { return w.interp.sym.scalar(w.interp.sym.lookup("div")) == 12; }},
        {"light",
         "",
         17,
         244,
         both(choice("l.kind", 2), number("l.pos.x", 100)),
         true,
         nullptr,
         {"l.kind = 2; ", "l.pos = ( 100, 20000, 30000 ); ", "set.light; "},
         [](auto& w, auto&) { return w.db.lights[0].kind == 2 && w.db.lights[0].pos[0] == 100; }},
        {"light number",
         "new.light; new.light; set.lightno l.max; ",
         18,
         242,
         listRow(1),
         true,
         "l.point = 1; ",
         {},
         nullptr},
        {"material chosen",
         "new.atr; save.atr atr.point; new.atr; set.atrcount atr.max; ",
         14,
         2402,
         listRow(1),
         true,
         "atr.point = 1; ",
         {},
         nullptr},
        {"materials listed no further than the store",
         "atr.max = 100000000; ",
         14,
         2402,
         [](QDialog& d) {
             QListWidget& list = control<QListWidget>(d, "list");
             QVERIFY(list.count() <= 1500);
             list.setCurrentRow(0);
         },
         true,
         "atr.point = 0; ",
         {},
         nullptr},
        {"material",
         "num.atr 1; ",
         27,
         2532,
         both(number("a.rgb.x", 0.5), choice("face.sw", 2)),
         true,
         nullptr,
         {"a.rgb = ( 0.5, 0.9, 0.1 ); ", "face.sw = 2; ", "save.atr atr.point; "},
         [](auto& w, auto&) {
             return w.db.attributes[1].rgb[0] == 0.5f && w.db.attributes[1].face == 2;
         }},
        {"material change cancelled",
         "num.atr 1; ",
         27,
         2532,
         number("opacity", 0.5),
         false,
         "",
         {},
         nullptr},
        {"new material cancelled",
         "new.atr; set.atrcount atr.max; ",
         27,
         2401,
         number("opacity", 0.5),
         false,
         "cancel.new.atr; ",
         {},
         [](auto& w, auto&) { return !w.db.records.attributePending; }},
        {"mapping",
         "new.mapinfo; ",
         30,
         2411,
         both(choice("m.kind", 11), number("m.ulen", 2)),
         true,
         nullptr,
         {"m.kind = 11; ", "m.ulen = 2; ", "set.mapinfo; "},
         [](auto& w, auto&) { return w.db.mapinfos[1].kind == 11 && w.db.mapinfos[1].ulen == 2; }},
        {"new mapping cancelled",
         "new.mapinfo; ",
         30,
         2411,
         nothing(),
         false,
         "cancel.new.mapinfo; ",
         {},
         [](auto& w, auto&) { return !w.db.records.mapinfoPending; }},
        {"mapping chosen",
         "new.mapinfo; link.mapinfo mi.point; new.mapinfo; set.micount mapinfo.max; ",
         31,
         2412,
         listRow(0),
         true,
         "mi.point = 1; ",
         {},
         nullptr},
        {"camera steps",
         "",
         57,
         228,
         number("angle", 15),
         true,
         "",
         {},
         [](auto&, auto& port) { return port.steps.angle == 15 && port.steps.distance == 2; }},
        {"rotation about the target",
         "c.pos = ( 100, 0, 0 ); c.tar = ( 0, 0, 0 ); c.upper = ( 0, 1, 0 ); ",
         75,
         220,
         number("y", 90),
         true,
         "angle.y ( 90 ); ",
         {},
         [](auto& w, auto&) {
             const Vec3 p = w.interp.sym.vector(w.interp.sym.lookup("c.pos"));
             return near(p[0], 0) && near(p[2], -100);
         }},
        {"rotation about the viewpoint",
         "",
         76,
         219,
         both(number("x", 30), number("z", -45)),
         true,
         "aim.x ( 30 ); aim.z ( -45 ); ",
         {},
         nullptr},
        {"rotation by nothing", "", 75, 220, nothing(), true, "", {}, nullptr},
        {"background colour",
         "",
         82,
         2574,
         [](QDialog& d) { static_cast<QColorDialog&>(d).setCurrentColor(QColor(10, 20, 30)); },
         true,
         "cbuf.color.v = ( 0.04117647, 0.08039216, 0.1196078 ); cinit CBUF.FILL, cbuf.color.v; ",
         {},
         [](auto& w, auto&) {
             const std::vector<std::uint8_t>& p = w.db.colorBuffer.pixels;
             return p.size() >= 3 && p[0] == 10 && p[1] == 20 && p[2] == 30;
         }},
        {"about",
         "",
         19,
         107,
         [](QDialog& d) {
             QVERIFY(control<QLabel>(d, "title").text() == QString::fromUtf8(app::kProgramTitle));
         },
         true,
         "",
         {},
         nullptr},
    };
    return kCases;
}

}  // namespace

class SettingDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void eachDialogRunsWhatItShows() {
        for (const Case& c : cases()) {
            platform::RecordingSink sink;
            workstation::Workstation w{sink};
            w.start(db::Settings{});
            script::execCommandString(w.interp, 0, c.setup);
            sink.clear();
            RecordingPort port(w);
            port.host.answer = c.answer;
            port.host.accept = c.accept;

            const bool done = app::runModalDialog(c.dialog, c.command, port);

            QVERIFY2(done == c.accept, c.name);
            if (c.ran != nullptr)
                QVERIFY2(port.ran == c.ran, (std::string(c.name) + ": " + port.ran).c_str());
            else
                QVERIFY2(inOrder(port.ran, c.fragments),
                         (std::string(c.name) + ": " + port.ran).c_str());
            std::string boxes;
            for (const std::string& b : sink.boxes()) boxes += b;
            QVERIFY2(boxes.empty(), (std::string(c.name) + ": " + boxes).c_str());
            if (c.check) QVERIFY2(c.check(w, port), c.name);
        }
    }

    void environmentKeepsItsValuesForTheNextStart() {
        struct EnvCase {
            const char* name;
            Answer answer;
            bool accept;
            db::Settings expected;
        };
        db::Settings chosen;
        chosen.zbufFlag = 4;
        chosen.cbufFlag = 5;
        chosen.capacity.shapemax = 5000;
        db::Settings shown;  // as the workstation started
        shown.zbufFlag = 3;
        shown.cbufFlag = 2;
        shown.capacity.attrimax = 700;
        const std::vector<EnvCase> cases{
            {"chosen",
             both(both(click("2073"), click("2085")),
                  [](QDialog& d) {
                      control<QSpinBox>(d, "shapemax").setValue(5000);
                      control<QSpinBox>(d, "attrimax").setValue(1500);
                  }),
             true, chosen},
            {"defaults", both(click("2081"), click("2091")), true, db::Settings{}},
            {"cancelled", click("2073"), false, shown},
        };
        for (const EnvCase& c : cases) {
            platform::RecordingSink sink;
            workstation::Workstation w{sink};
            w.start(shown);
            const std::int32_t storesNow = static_cast<std::int32_t>(w.db.attributes.size());
            RecordingPort port(w);
            port.host.answer = c.answer;
            port.host.accept = c.accept;

            QVERIFY2(app::runModalDialog(56, 2004, port) == c.accept, c.name);

            const db::Settings& s = w.settings;
            QVERIFY2(s.zbufFlag == c.expected.zbufFlag && s.cbufFlag == c.expected.cbufFlag,
                     c.name);
            QVERIFY2(s.capacity.shapemax == c.expected.capacity.shapemax &&
                         s.capacity.attrimax == c.expected.capacity.attrimax,
                     c.name);
            QVERIFY2(static_cast<std::int32_t>(w.db.attributes.size()) == storesNow, c.name);
            QVERIFY2(port.ran.empty(), c.name);
            const QStringList notice =
                c.accept
                    ? QStringList{QStringLiteral(
                          "システム環境設定値が変更されました。\nこれらの設定を有効にするためには、"
                          "\n一度ZIVOZI/3Z-Uravevivを終了して再度起動しなおして下さい。")}
                    : QStringList{};
            QVERIFY2(port.host.notices == notice, c.name);
            QCOMPARE(port.host.titles.front(), QStringLiteral("ZIVOZI/3Z-Uraveviv実行環境設定"));
            if (c.accept)
                QCOMPARE(port.host.titles.back(), QStringLiteral("システム環境設定値変更時の注意"));
        }
    }
};

}  // namespace rz::test

QTEST_MAIN(rz::test::SettingDialogsTest)
#include "setting_dialogs_test.moc"
