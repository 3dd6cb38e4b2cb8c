// The box cursor under the mouse: what a press grabs, how a drag moves the cursor in each
// interaction mode, what the release leaves, and the grid points the mouse snaps to in the
// orthographic and perspective panes.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "db/system_variables.hpp"
#include "geometry/box_cursor.hpp"
#include "geometry/cursor_mouse.hpp"
#include "model_fixture.hpp"
#include "started_model.hpp"

namespace rz::test {
namespace {

using db::CursorMode;
using db::ScreenPoint;
using db::SysVar;
using geometry::PaneMouse;

// The XY pane at 10 world units a pixel, the origin at pixel (100, 100), y up.
class XYPane final : public geometry::PaneProjector {
  public:
    std::optional<ScreenPoint> project(const Vec3& p) const override {
        return ScreenPoint{100.0 + p[0] / 10.0, 100.0 - p[1] / 10.0};
    }
};

// Looks along y onto x and z; points with x below minX cannot be projected.
class TopDown final : public geometry::PaneProjector {
  public:
    explicit TopDown(float minX = -1e30f) : minX_(minX) {}
    std::optional<ScreenPoint> project(const Vec3& p) const override {
        if (p[0] < minX_) return std::nullopt;
        return ScreenPoint{p[0] / 10.0, p[2] / 10.0};
    }

  private:
    float minX_;
};

// Projects only the plane z = 500, onto x and y.
class OnlyZ500 final : public geometry::PaneProjector {
  public:
    std::optional<ScreenPoint> project(const Vec3& p) const override {
        if (p[2] != 500.0f) return std::nullopt;
        return ScreenPoint{p[0] / 10.0, p[1] / 10.0};
    }
};

class CursorMouseTest : public StartedModel {
  protected:
    CursorMouseTest() {
        db::scalarVar(in, SysVar::Winmode) = 3;  // the XY pane alone
        model.boxCursor.redraw = [](script::Interp& in) {
            db::scalarVar(in, SysVar::Work1) += 1.0f;
        };
    }

    // The mouse at a pixel of the XY pane, with the world point under it as the views give it.
    PaneMouse at(const ScreenPoint& px) const {
        return {0,
                geometry::kXYPane,
                px,
                {static_cast<float>((px.x - 100) * 10), static_cast<float>((100 - px.y) * 10), 0},
                &xy};
    }
    // What the views do whenever they draw the cursor.
    void drawCursor() {
        geometry::refreshCursorPane(model.boxCursor.panes[0], var(SysVar::BoxS), var(SysVar::BoxE),
                                    static_cast<int>(db::scalarVar(in, SysVar::Direc)), xy);
    }
    Vec3& var(SysVar v) { return db::vectorVar(in, v); }
    CursorMode mode() const { return model.boxCursor.mode; }

    XYPane xy;
};

struct MouseCase {
    const char* name;
    const char* setup;
    std::optional<ScreenPoint> press;  // nothing: outside every pane
    ScreenPoint dragTo;
    struct {
        CursorMode press;
        Vec3 s, e;  // after the drag
        CursorMode release;
        int direc;
        int redraws;  // by the mouse: a turn of the marker, a move, and the release
    } after;
};

using enum CursorMode;

// The cursor (0,0,0)-(500,500,500) shows its handles at x 100 or 150 and y 50 or 100, its
// direction marker at about (116.7, 91.7), or (108.3, 91.7) along z. Grid points snap to 500.
const std::vector<MouseCase> kMouseCases = {
    {"corner", "", {{151, 52}}, {180, 20}, {DragCorner, {}, {1000, 1000, 500}, Idle, 1, 2}},
    {"corner scaling",
     "scale.block;",
     {{151, 52}},
     {180, 20},
     {ScaleCorner, {}, {1000, 1000, 500}, ScaleBlocks, 1, 2}},
    {"inside",
     "",
     {{130, 70}},
     {220, 70},
     {StepMove, {1000, 500, 0}, {1500, 1000, 500}, Idle, 1, 2}},
    {"inside scaling",
     "scale.block;",
     {{130, 70}},
     {220, 70},
     {ScaleBlocks, {}, {500, 500, 500}, ScaleBlocks, 1, 1}},
    {"marker", "", {{117, 92}}, {220, 70}, {Idle, {}, {500, 500, 500}, Idle, 2, 2}},
    {"marker wraps",
     "direc = Z.DIR;",
     {{108, 92}},
     {220, 70},
     {Idle, {}, {500, 500, 500}, Idle, 1, 2}},
    {"marker scaling",
     "scale.block;",
     {{117, 92}},
     {220, 70},
     {ScaleBlocks, {}, {500, 500, 500}, ScaleBlocks, 1, 1}},
    {"free move",
     "trans.block;",
     {{100, 100}},
     {150, 50},
     {MoveBlocks, {500, 500, 0}, {1000, 1000, 500}, MoveBlocks, 1, 2}},
    {"free move from outside",
     "trans.block;",
     std::nullopt,
     {150, 50},
     {MoveBlocks, {}, {500, 500, 500}, MoveBlocks, 1, 1}},
    {"outside", "", {{300, 300}}, {150, 50}, {Idle, {}, {500, 500, 500}, Idle, 1, 1}},
};

TEST_F(CursorMouseTest, PressDragAndReleaseByMode) {
    for (const MouseCase& c : kMouseCases) {
        var(SysVar::BoxS) = {0, 0, 0};
        var(SysVar::BoxE) = {500, 500, 500};
        db::scalarVar(in, SysVar::Direc) = 1;
        db::scalarVar(in, SysVar::Work1) = 0;
        model.boxCursor.mode = CursorMode::Idle;
        ASSERT_EQ(run(c.setup), std::vector<std::string>{}) << c.name;
        const int setupRedraws = static_cast<int>(db::scalarVar(in, SysVar::Work1));
        drawCursor();
        const PaneMouse pressed = at(c.press.value_or(ScreenPoint{}));
        geometry::cursorPress(in, c.press ? &pressed : nullptr);
        EXPECT_EQ(mode(), c.after.press) << c.name;
        const bool moved = geometry::cursorDrag(in, at(c.dragTo));
        EXPECT_EQ(var(SysVar::BoxS), c.after.s) << c.name;
        EXPECT_EQ(var(SysVar::BoxE), c.after.e) << c.name;
        EXPECT_EQ(moved, var(SysVar::BoxE) != (Vec3{500, 500, 500})) << c.name;
        if (moved) {
            EXPECT_EQ(model.boxCursor.previousE, (Vec3{500, 500, 500})) << c.name;
        }
        geometry::cursorRelease(in);
        EXPECT_EQ(mode(), c.after.release) << c.name;
        EXPECT_EQ(db::scalarVar(in, SysVar::Direc), c.after.direc) << c.name;
        EXPECT_EQ(db::scalarVar(in, SysVar::Work1), setupRedraws + c.after.redraws) << c.name;
    }
}

TEST_F(CursorMouseTest, PointToolsTakeTheGridPointAndTheCentreToolTheRotationCentre) {
    for (const CursorMode tool : {CursorMode::CentrePoint, CursorMode::PickPoint3}) {
        model.geometry.center = {0, 0, 0};
        model.boxCursor.mode = tool;
        const PaneMouse m = at({130, 70});
        geometry::cursorPress(in, &m);
        // (300, 300) snaps to (500, 500); z stays at the cursor's centre.
        EXPECT_EQ(var(SysVar::GPos), (Vec3{500, 500, 250}));
        EXPECT_EQ(model.geometry.center,
                  (tool == CursorMode::CentrePoint ? Vec3{500, 500, 250} : Vec3{0, 0, 0}));
        EXPECT_EQ(mode(), tool);
    }
}

// In the perspective pane the grabbed corner slides in the grid plane moved through it: a
// corner on the e side in z finds its points at z = e.z, one on the s side at grid.center.
TEST_F(CursorMouseTest, PerspectiveCornerDragMovesTheGridPlaneThroughTheCorner) {
    db::scalarVar(in, SysVar::Winmode) = 6;
    db::scalarVar(in, SysVar::GridPlane) = 1;
    const OnlyZ500 camera;
    for (const auto& [corner, e] :
         {std::pair{6, Vec3{1000, 1000, 500}}, std::pair{0, Vec3{500, 500, 500}}}) {
        var(SysVar::BoxS) = {0, 0, 0};
        var(SysVar::BoxE) = {500, 500, 500};
        model.boxCursor.mode = CursorMode::DragCorner;
        model.boxCursor.draggedCorner = corner;
        model.boxCursor.haveGridPoint = false;
        const PaneMouse m{0, geometry::kPerspectivePane, {95, 105}, {}, &camera};
        EXPECT_EQ(geometry::cursorDrag(in, m), corner == 6) << corner;
        EXPECT_EQ(var(SysVar::BoxE), e) << corner;
        EXPECT_EQ(var(SysVar::BoxS), (Vec3{0, 0, 0})) << corner;
        EXPECT_FALSE(geometry::cursorDrag(in, m)) << corner << ": the same grid point again";
    }
}

TEST(GridPointTest, PerspectiveSearchWalksThePlaneInOrderAndSkipsWhatCannotBeProjected) {
    geometry::GridSettings grid;  // centre 0, half side 20000, step 500, XZ plane
    struct Case {
        const char* name;
        float minX;
        ScreenPoint mouse;
        std::optional<Vec3> found;
    };
    const std::vector<Case> cases = {
        // Equally near four points: rows run along x upward, points along z downward.
        {"tie", -1e30f, {125, 25}, Vec3{1000, 0, 500}},
        {"nearest", -1e30f, {-61, 140}, Vec3{-500, 0, 1500}},
        {"unprojectable skipped", 2000, {125, 25}, Vec3{2000, 0, 500}},
        {"nothing projects", 1e30f, {125, 25}, std::nullopt},
    };
    for (const Case& c : cases) {
        const TopDown camera(c.minX);
        EXPECT_EQ(geometry::perspectiveGridPoint(grid, camera, c.mouse), c.found) << c.name;
    }
    const TopDown camera;
    grid.step = 1;  // 40000 divisions: too fine to search
    EXPECT_EQ(geometry::perspectiveGridPoint(grid, camera, {0, 0}), std::nullopt);
    grid.step = 500;
    grid.plane = 4;
    EXPECT_EQ(geometry::perspectiveGridPoint(grid, camera, {0, 0}), std::nullopt);
}

TEST(GridPointTest, OrthographicPanesTakeTheirPlaneSnappedToTheGridThroughItsCentre) {
    const geometry::GridSettings snapping{{30, 0, -20}, 20000, 100, 3, true};
    geometry::GridSettings free = snapping;
    free.snap = false;
    const Vec3 centre{1, 2, 3};
    const Vec3 world{149, 251, -71};
    EXPECT_EQ(geometry::orthoGridPoint(centre, geometry::kXYPane, world, snapping),
              (Vec3{130, 300, 3}));
    EXPECT_EQ(geometry::orthoGridPoint(centre, geometry::kYZPane, world, snapping),
              (Vec3{1, 300, -120}));
    EXPECT_EQ(geometry::orthoGridPoint(centre, geometry::kXZPane, world, free),
              (Vec3{149, 2, -71}));
}

TEST(BoxCursorTest, SteppedMoveJumpsByWholeCursorSizes) {
    struct Case {
        Vec3 s, e, grid;
        Vec3 toS, toE;
        bool moved;
    };
    const std::vector<Case> cases = {
        // Below the cursor it jumps down far enough to hold the point.
        {{0, 0, 0}, {100, 10, 0}, {-150, 5, 7}, {-200, 0, 0}, {-100, 10, 0}, true},
        // Corners the other way round keep their order; a flat axis stays.
        {{100, 0, 5}, {0, 10, 5}, {250, 35, 99}, {300, 30, 5}, {200, 40, 5}, true},
        {{0, 0, 0}, {100, 100, 100}, {50, 99, 0}, {0, 0, 0}, {100, 100, 100}, false},
    };
    for (const Case& c : cases) {
        Vec3 s = c.s;
        Vec3 e = c.e;
        EXPECT_EQ(geometry::stepCursor(s, e, c.grid), c.moved);
        EXPECT_EQ(s, c.toS);
        EXPECT_EQ(e, c.toE);
    }
}

TEST(BoxCursorTest, PaneHandlesLeaveOutCornersThatCannotBeProjected) {
    // Only corners with x = e.x project: 2, 3, 6, 7.
    const TopDown camera(100);
    db::CursorPane pane;
    geometry::refreshCursorPane(pane, {0, 0, 0}, {100, 200, 300}, 1, camera);
    EXPECT_EQ(pane.projected,
              (std::array<bool, 8>{false, false, true, true, false, false, true, true}));
    EXPECT_EQ(pane.handles[0], (ScreenPoint{0, 0}));
    EXPECT_EQ(pane.boxMin, (ScreenPoint{10, 0}));
    EXPECT_EQ(pane.boxMax, (ScreenPoint{10, 30}));
    // The marker: (e.x, s.y, s.z), (s.x, mid y, s.z), (s.x, s.y, mid z) averaged.
    EXPECT_THAT(geometry::directionMarkerPoint({0, 0, 0}, {90, 60, 30}, 1), IsPoint(30, 10, 5));
    EXPECT_FALSE(pane.markerProjected);
}

}  // namespace
}  // namespace rz::test
