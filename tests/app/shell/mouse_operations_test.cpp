// The interactive operations in the views, driven by synthesised mouse events on the view of
// a started workstation: each begins as its menu item begins it, is dragged in the XY view
// and released (or ended by the right button), and leaves its numbers in the model.
#include <QTest>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "app/shell/dialog_host.hpp"
#include "app/shell/mouse_operations.hpp"
#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "tests/app/shell/shell_fixture.hpp"

namespace rz::test {
namespace {

using app::MouseMode;
using db::SysVar;

// What the operations have of the main window: its run() and its interpreter.
class WindowPort final : public app::CommandPort {
  public:
    explicit WindowPort(ShellFixture& f) : f_(f) {}
    void sendCommand(int) override {}
    void run(const char* statements) override { f_.window->run(statements); }
    script::Interp& interp() override { return f_.w.interp; }
    app::DialogHost& dialogs() override { return host_; }
    QWidget& owner() override { return *f_.window; }
    void showModelFile(const QString&) override {}
    db::Settings& settings() override { return f_.w.settings; }
    app::CameraSteps& cameraSteps() override { return steps_; }

  private:
    ShellFixture& f_;
    app::DialogHost host_;
    app::CameraSteps steps_;
};

// One box block, normal, in a single XY view of 10 units a pixel with a grid of 100 that
// the mouse snaps to; the rotation centre is somewhere else, to see it come back.
constexpr const char* kScene =
    "winmode = XY.MODE; set.winfact 2; set.wingrid 0; grid.sw = 1; winclear; "
    "box.s = (0, 0, 0); box.e = (500, 500, 500); b.cursor.code = PRIM.BOX3; "
    "set.primitive box.s, box.e, 1, div, direc, futa; initlayer; center (7, 8, 9); "
    "c.pos = (1000, 0, 0); c.tar = (0, 0, 0); c.upper = (0, 1, 0); wire; ";

// The shapes set.primitive makes of the box.
constexpr int kShapesOfTheBox = 6;

// The statements of the menu items that begin the operations.
constexpr const char* kTranslate =
    "set.layer L.ACTIVE; draw L.ACTIVE, G.ABOX; abox2block;grid.center = ( box.s:x, box.s:y, "
    "box.s:z ); trans.block; ";
constexpr const char* kCopy =
    "set.layer L.ACTIVE; draw L.ACTIVE, G.ABOX; abox2block;grid.center = ( box.s:x, box.s:y, "
    "box.s:z ); transcopy.block; ";
constexpr const char* kScale =
    "set.layer L.ACTIVE; draw L.ACTIVE, G.ABOX; center.backup; abox2block; center ( box.s:x, "
    "box.s:y, box.s:z );grid.center = ( box.s:x, box.s:y, box.s:z ); scale.block; ";

db::Database& model(ShellFixture& f) {
    return db::database(f.w.interp);
}
Vec3 lastBlockTrans(ShellFixture& f) {
    return model(f).blocks[model(f).blockCount - 1].trans;
}
Vec3 firstBlockTrans(ShellFixture& f) {
    return model(f).blocks[model(f).blockCount - 2].trans;
}
Vec3 modelMax(ShellFixture& f) {
    f.window->run("abox.gen; ");
    return model(f).boxCursor.aboxMax;
}
Vec3 centre(ShellFixture& f) {
    return model(f).geometry.center;
}
Vec3 viewCentre(ShellFixture& f) {
    return db::vectorVar(f.w.interp, SysVar::WCenter);
}
Vec3 eye(ShellFixture& f) {
    return db::vectorVar(f.w.interp, SysVar::CPos);
}

// The pixel of the XY view that shows world (x, y).
QPoint pixelOf(const render::Pane& pane, float x, float y) {
    return {
        pane.rect.left + static_cast<int>(std::lround((x - pane.world.left) / pane.world.unitsH)),
        pane.rect.top + static_cast<int>(std::lround((y - pane.world.top) / pane.world.unitsV))};
}

struct Case {
    const char* name;
    MouseMode mode;
    const char* begin;
    QPointF from, to;  // world x, y
    bool cancel;       // the right button instead of the release
    std::function<Vec3(ShellFixture&)> read;
    Vec3 expected;
    float tolerance;
};

bool near(const Vec3& a, const Vec3& b, float tolerance) {
    for (int k = 0; k < 3; ++k)
        if (std::abs(a[k] - b[k]) > tolerance) return false;
    return true;
}

QString text(const Vec3& v) {
    return QString("(%1, %2, %3)").arg(v[0]).arg(v[1]).arg(v[2]);
}

// The eye (1000, 0, 0) dragged 20 pixels right and 40 up in two equal steps: each turns it
// by -5 degrees about Y and takes it a tenth of its distance nearer, 1000 to 900 to 810.
const float kCos10 = static_cast<float>(std::cos(10.0 * std::numbers::pi / 180.0));
const float kSin10 = static_cast<float>(std::sin(10.0 * std::numbers::pi / 180.0));

// A started window whose view hands the mouse to the operations, which count their ends.
struct Driven {
    explicit Driven(const db::Settings& settings = {}) : f(settings) {
        operations.ended = [this] { ++ended; };
        view().setMouseOperations(&operations);
    }
    ~Driven() { view().setMouseOperations(nullptr); }
    app::ViewWidget& view() { return f.window->view(); }
    QPoint pixel(QPointF world) { return pixelOf(f.w.views.layout.panes[0], world.x(), world.y()); }
    // A left-button drag in two steps; a cancel comes while the button is held, and its
    // release afterwards is no press of a new operation.
    void drag(QPointF fromWorld, QPointF toWorld, bool cancel) {
        const QPoint from = pixel(fromWorld);
        const QPoint to = pixel(toWorld);
        QTest::mousePress(&view(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(&view(), (from + to) / 2);
        QTest::mouseMove(&view(), to);
        if (cancel) QTest::mousePress(&view(), Qt::RightButton, Qt::NoModifier, to);
        QTest::mouseRelease(&view(), Qt::LeftButton, Qt::NoModifier, to);
    }

    ShellFixture f;
    WindowPort port{f};
    app::InterfaceState state;
    app::MouseOperations operations{port, f.w.views, state};
    int ended = 0;
};

}  // namespace

class MouseOperationsTest : public QObject {
    Q_OBJECT
  private slots:
    void operationsLeaveTheirNumbersInTheModel() {
        // clang-format off
        const std::array<Case, 12> cases{{
            {"translate", MouseMode::Translate, kTranslate, {200, 200}, {400, 300}, false,
             lastBlockTrans, {200, 100, 0}, 0.01f},
            {"translate cancelled", MouseMode::Translate, kTranslate, {200, 200}, {400, 300}, true,
             lastBlockTrans, {0, 0, 0}, 0.0f},
            {"copy moves the copy", MouseMode::TranslateCopy, kCopy, {200, 200}, {200, 600}, false,
             lastBlockTrans, {0, 400, 0}, 0.01f},
            {"copy keeps the original", MouseMode::TranslateCopy, kCopy, {200, 200}, {200, 600},
             false, firstBlockTrans, {0, 0, 0}, 0.0f},
            // Without the menu's cursor tool the operation selects its own from the box.
            {"actor, cursor not prepared", MouseMode::ActorTranslate,
             "set.layer L.ACTIVE; draw L.ACTIVE, G.ABOX; ", {200, 200}, {400, 300}, false,
             lastBlockTrans, {200, 100, 0}, 0.01f},
            {"scale", MouseMode::Scale, kScale, {500, 500}, {1000, 1500}, false,
             modelMax, {1000, 1500, 500}, 0.5f},
            {"scale restores the centre", MouseMode::Scale, kScale, {500, 500}, {1000, 1500}, false,
             centre, {7, 8, 9}, 0.0f},
            {"scale cancelled", MouseMode::Scale, kScale, {500, 500}, {1000, 1500}, true,
             modelMax, {500, 500, 500}, 0.5f},
            {"centre point", MouseMode::CentrePoint, "", {300, 400}, {300, 400}, false,
             centre, {300, 400, 250}, 0.01f},
            {"view scroll", MouseMode::ViewScroll, "", {0, 0}, {-300, 200}, false,
             viewCentre, {300, -200, 0}, 0.01f},
            {"camera", MouseMode::Camera, "", {0, 0}, {200, 400}, false,
             eye, {810 * kCos10, 0, 810 * kSin10}, 0.5f},
            {"camera cancelled", MouseMode::Camera, "", {0, 0}, {200, 400}, true,
             eye, {1000, 0, 0}, 0.01f},
        }};
        // clang-format on
        for (const Case& c : cases) {
            Driven d;
            QVERIFY(d.f.show());
            d.f.window->run(kScene);
            d.f.window->run(c.begin);
            d.state.mouse = c.mode;
            d.drag(c.from, c.to, c.cancel);

            const Vec3 got = c.read(d.f);
            QVERIFY2(near(got, c.expected, c.tolerance),
                     qPrintable(QString(c.name) + ": " + text(got) + " not " + text(c.expected)));
            QVERIFY2(d.ended == 1, c.name);
            QVERIFY2(!model(d.f).boxCursor.shown, c.name);
            QVERIFY2(d.state.mouse == MouseMode::None, c.name);
            QVERIFY2(d.f.boxes.unexpected.isEmpty(), c.name);
            QVERIFY2(d.f.w.msg.errorCount() == 0, c.name);
        }
    }

    // A click picks the block whose label is under it; picking goes on until the right
    // button, which does not show the pop-up menu then.
    void aClickPicksTheBlockUnderTheMouse() {
        Driven d;
        QVERIFY(d.f.show());
        int popups = 0;
        d.view().showPopup = [&](QPoint) { ++popups; };
        d.f.window->run(kScene);
        d.f.window->run("pick.block;");
        d.state.mouse = MouseMode::PickBlock;
        const db::Shape& shape = model(d.f).shapes[0];

        QTest::mouseClick(&d.view(), Qt::LeftButton, Qt::NoModifier, d.pixel({1000, 1000}));
        QCOMPARE(shape.layer, db::kLayerNormal);
        // The label's cell starts at the centre of the block's box.
        QTest::mouseClick(&d.view(), Qt::LeftButton, Qt::NoModifier,
                          d.pixel({250, 250}) + QPoint(4, 4));
        QCOMPARE(shape.layer, db::kLayerActive);
        QCOMPARE(d.ended, 0);
        QTest::mouseClick(&d.view(), Qt::RightButton, Qt::NoModifier, d.pixel({0, 0}));
        QCOMPARE(d.ended, 1);
        QCOMPARE(popups, 0);
        QTest::mouseClick(&d.view(), Qt::RightButton, Qt::NoModifier, d.pixel({0, 0}));
        QCOMPARE(popups, 1);
    }

    // A copy the shape store cannot hold moves nothing, not even the originals, and the
    // operation still closes: the cursor is back where the menu found it.
    void aCopyThatDoesNotFitMovesNothing() {
        db::Settings settings;
        // Room for the box (and the reserved records), not for its copy.
        settings.capacity.shapemax = kShapesOfTheBox + 4;
        Driven d(settings);
        QVERIFY(d.f.show());
        d.f.window->run(kScene);
        QCOMPARE(model(d.f).shapeCount, kShapesOfTheBox);
        d.f.window->run(kCopy);
        d.state.mouse = MouseMode::TranslateCopy;
        d.f.boxes.answer({"OK", "OK"});
        d.drag({200, 200}, {400, 300}, false);
        QCOMPARE(d.ended, 1);
        QCOMPARE(model(d.f).shapeCount, kShapesOfTheBox);
        QCOMPARE(lastBlockTrans(d.f), (Vec3{0, 0, 0}));
        QCOMPARE(db::vectorVar(d.f.w.interp, SysVar::BoxS), (Vec3{0, 0, 0}));
        QCOMPARE(db::vectorVar(d.f.w.interp, SysVar::BoxE), (Vec3{500, 500, 500}));
        QCOMPARE(model(d.f).boxCursor.active, false);
    }

    // With no operation pending a press on the direction marker turns the block direction and
    // tells the window; one beside it does not, nor one during real-time display. A press on
    // a corner handle holds it.
    void pressesOnTheBoxCursor() {
        Driven d;
        QVERIFY(d.f.show());
        std::vector<int> told;
        d.operations.directionChanged = [&](int direction) { told.push_back(direction); };
        d.f.window->run(
            "direc = 3; box.s = (0, 0, 0); box.e = (500, 500, 500); winmode = XY.MODE; "
            "set.winfact 2; winclear; wire; blockON; ");
        const db::BoxCursorState& cursor = model(d.f).boxCursor;
        const QPoint marker(static_cast<int>(cursor.panes[0].marker.x),
                            static_cast<int>(cursor.panes[0].marker.y));
        QTest::mouseClick(&d.view(), Qt::LeftButton, Qt::NoModifier, marker + QPoint(40, 40));
        // The real-time display owns the mouse.
        d.state.realTime = true;
        QTest::mouseClick(&d.view(), Qt::LeftButton, Qt::NoModifier, marker);
        QVERIFY(told.empty());
        d.state.realTime = false;
        QTest::mouseClick(&d.view(), Qt::LeftButton, Qt::NoModifier, marker);
        QCOMPARE(told, std::vector<int>{1});
        QCOMPARE(db::scalarVar(d.f.w.interp, SysVar::Direc), 1.0f);

        // A held corner handle shows the four-way arrow until the release.
        const QPoint handle(static_cast<int>(cursor.panes[0].handles[6].x),
                            static_cast<int>(cursor.panes[0].handles[6].y));
        QTest::mousePress(&d.view(), Qt::LeftButton, Qt::NoModifier, handle);
        QCOMPARE(d.view().cursor().shape(), Qt::SizeAllCursor);
        QTest::mouseRelease(&d.view(), Qt::LeftButton, Qt::NoModifier, handle);
        QCOMPARE(d.view().cursor().shape(), Qt::ArrowCursor);
    }
};

}  // namespace rz::test

int main(int argc, char** argv) {
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    rz::test::MouseOperationsTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "mouse_operations_test.moc"
