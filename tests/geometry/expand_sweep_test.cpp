// Revolve, disc and ring expansion: every step of the sweep, its texture coordinates and
// its normals, against geometry worked out here from the shape's parameters.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/expand_shape.hpp"
#include "geometry/geometry_messages.hpp"
#include "model_fixture.hpp"
#include "script/messages.hpp"

namespace rz::test {
namespace {

using geometry::ExpandMode;
using ::testing::ElementsAre;

class SweepTest : public ModelTest {
  protected:
    // Expands in grid form; the new shape.
    const db::Shape& expand(int shape) {
        EXPECT_EQ(geometry::expandShape(model, msg, shape, ExpandMode::Grid), script::kOk)
            << boxes()[0];
        return model.shapes[model.shapeCount - 1];
    }
    std::vector<int> header(const db::Shape& s) const {
        return {model.patches[s.patchId], model.patches[s.patchId + 1],
                model.patches[s.patchId + 2]};
    }
};

// Centre c plus the point of the ellipse with radii r in the plane across `direc`.
Vec3 around(int direc, const Vec3& c, double r1, double r2, double theta) {
    // The two perpendicular components in order, with the signs of the system's ellipse.
    Vec3 p = c;
    switch (direc) {
        case 1:
            p[1] += static_cast<float>(r1 * std::cos(theta));
            p[2] += static_cast<float>(r2 * std::sin(theta));
            break;
        case 2:
            p[0] -= static_cast<float>(r1 * std::cos(theta));
            p[2] += static_cast<float>(r2 * std::sin(theta));
            break;
        default:
            p[0] += static_cast<float>(r1 * std::cos(theta));
            p[1] += static_cast<float>(r2 * std::sin(theta));
    }
    return p;
}

struct CylinderCase {
    int direc;
    Params bottomRadii;  // radii in the two perpendicular components
    Params top;          // same radii, the height 10 along direc
};

TEST_F(SweepTest, FullCylinderAroundEachAxisHasThirteenStepsWithOutwardNormals) {
    const std::vector<CylinderCase> cases = {
        {1, {1, 2, 3, 0, 5, 5, 12, 1}, {0, 5, 5, 0, 360, 0, 0, 0}},
        {2, {1, 2, 3, 5, 0, 5, 12, 2}, {5, 0, 5, 0, 360, 0, 0, 0}},
        {3, {1, 2, 3, 5, 5, 0, 12, 3}, {5, 5, 0, 0, 360, 0, 0, 0}},
    };
    for (const CylinderCase& c : cases) {
        SCOPED_TRACE(c.direc);
        Params top = c.top;
        top[c.direc - 1] = 10;
        const int shape = addParametric(db::kShapeRevolve, c.bottomRadii, top);
        const db::Shape& g = expand(shape);
        ASSERT_EQ(g.axisTotal, 26u);
        EXPECT_THAT(header(g), ElementsAre(-2, 2, 13));
        EXPECT_EQ(g.kind, db::kShapeGrid);
        EXPECT_EQ(g.smoothflag, 1);
        const Vec3 centre{1, 2, 3};
        Vec3 topCentre = centre;
        topCentre[c.direc - 1] += 10;
        for (int k = 0; k <= 12; ++k) {
            const double theta = rad(30.0 * k);
            const db::Axis& bottom = axis(g.axisId + 2 * k);
            const db::Axis& upper = axis(g.axisId + 2 * k + 1);
            const Vec3 b = around(c.direc, centre, 5, 5, theta);
            const Vec3 t = around(c.direc, topCentre, 5, 5, theta);
            EXPECT_THAT(bottom.wv, IsPoint(b[0], b[1], b[2])) << k;
            EXPECT_THAT(upper.wv, IsPoint(t[0], t[1], t[2])) << k;
            EXPECT_FLOAT_EQ(bottom.u, k / 12.0f);
            EXPECT_FLOAT_EQ(upper.u, k / 12.0f);
            EXPECT_FLOAT_EQ(bottom.v, 1.0f);
            EXPECT_FLOAT_EQ(upper.v, 0.0f);
            // Outward: from the axis to the rim point, across the axis.
            const double r = 5.0;
            EXPECT_THAT(bottom.nv, IsPoint((b[0] - centre[0]) / r, (b[1] - centre[1]) / r,
                                           (b[2] - centre[2]) / r));
            EXPECT_EQ(bottom.nv, upper.nv);
        }
        // The 13th step lies where the first one does.
        EXPECT_THAT(axis(g.axisId + 24).wv,
                    IsPoint(axis(g.axisId).wv[0], axis(g.axisId).wv[1], axis(g.axisId).wv[2]));
    }
}

TEST_F(SweepTest, EllipticWallNormalIsTheEllipseGradient) {
    // Radii 2 along x and 4 along y about Z: the gradient of x^2/4 + y^2/16 at the rim.
    const int shape =
        addParametric(db::kShapeRevolve, {0, 0, 0, 2, 4, 0, 8, 3}, {2, 4, 7, 0, 360, 0, 0, 0});
    const db::Shape& g = expand(shape);
    for (int k = 0; k <= 8; ++k) {
        const Vec3 p = axis(g.axisId + 2 * k).wv;
        const double gx = p[0] / 4.0;
        const double gy = p[1] / 16.0;
        const double len = std::hypot(gx, gy);
        EXPECT_THAT(axis(g.axisId + 2 * k).nv, IsPoint(gx / len, gy / len, 0.0)) << k;
    }
}

struct ConeCase {
    const char* what;
    Params bottom;
    Params top;
    double tilt;  // the axial part of the normal before normalising, along +Z
};

TEST_F(SweepTest, SlopedWallNormalsLeanByTheWallSlope) {
    // Rim distance 3 over height 4: the slope part is 3 / 5.
    const std::vector<ConeCase> cases = {
        {"narrowing upward", {0, 0, 0, 3, 3, 0, 4, 3}, {0, 0, 4, 0, 360, 0, 0, 0}, 0.6},
        {"widening upward", {0, 0, 0, 0, 0, 0, 4, 3}, {3, 3, 4, 0, 360, 0, 0, 0}, -0.6},
        {"narrowing downward", {0, 0, 0, 3, 3, 0, 4, 3}, {0, 0, -4, 0, 360, 0, 0, 0}, -0.6},
    };
    for (const ConeCase& c : cases) {
        SCOPED_TRACE(c.what);
        const int shape = addParametric(db::kShapeRevolve, c.bottom, c.top);
        const db::Shape& g = expand(shape);
        for (int k = 0; k < 4; ++k) {
            const double theta = rad(90.0 * k);
            const double len = std::sqrt(1.0 + c.tilt * c.tilt);
            EXPECT_THAT(axis(g.axisId + 2 * k).nv,
                        IsPoint(std::cos(theta) / len, std::sin(theta) / len, c.tilt / len))
                << k;
            EXPECT_NEAR(norm(axis(g.axisId + 2 * k).nv), 1.0, 1e-6);
        }
    }
}

TEST_F(SweepTest, FacingFlagRunsThePartialSweepBackwardsKeepingTexturePlaces) {
    // 30..120 degrees in 3 steps about Z, radius 10, with lrflag set.
    const int shape = addParametric(db::kShapeRevolve, {0, 0, 0, 10, 10, 0, 3, 3},
                                    {10, 10, 5, 30, 120, 0, 0, 0}, 1);
    const db::Shape& g = expand(shape);
    ASSERT_EQ(g.axisTotal, 8u);
    EXPECT_EQ(g.lrflag, 0);
    for (int w = 0; w < 4; ++w) {
        const double theta = rad(120.0 - 30.0 * w);
        EXPECT_THAT(axis(g.axisId + 2 * w).wv,
                    IsPoint(10 * std::cos(theta), 10 * std::sin(theta), 0.0))
            << w;
        EXPECT_FLOAT_EQ(axis(g.axisId + 2 * w).u, (3 - w) / 3.0f) << w;
    }
}

TEST_F(SweepTest, AngleRangesAreOrderedCappedAndReduced) {
    struct Case {
        float start, end;
        double firstDegrees, lastDegrees;
    };
    const std::vector<Case> cases = {
        {120, 30, 30, 120},      // swapped
        {0, 400, 0, 360},        // end capped
        {400, 500, 40, 360},     // start reduced by a turn after the cap
        {-400, -380, -40, -20},  // both reduced
        {-90, 90, -90, 90},      // in range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << ".." << c.end);
        const int shape = addParametric(db::kShapeRevolve, {0, 0, 0, 1, 1, 0, 4, 3},
                                        {1, 1, 1, c.start, c.end, 0, 0, 0});
        const db::Shape& g = expand(shape);
        const double first = rad(c.firstDegrees);
        const double last = rad(c.lastDegrees);
        EXPECT_THAT(axis(g.axisId).wv, IsPoint(std::cos(first), std::sin(first), 0.0));
        EXPECT_THAT(axis(g.axisId + 8).wv, IsPoint(std::cos(last), std::sin(last), 0.0));
    }
}

TEST_F(SweepTest, RefusedParametersAppendNothing) {
    struct Case {
        const char* what;
        std::uint8_t kind;
        Params a, b;
        std::string_view message;
        ExpandMode mode = ExpandMode::Grid;
    };
    const std::vector<Case> cases = {
        {"zero opening",
         db::kShapeRevolve,
         {0, 0, 0, 1, 1, 0, 4, 3},
         {1, 1, 1, 45, 45},
         geometry::msg::kZeroOpening},
        {"zero ball latitude",
         db::kShapeBall,
         {0, 0, 0, 1, 1, 1, 4, 0},
         {90, 90, 0, 0, 360},
         geometry::msg::kZeroOpening},
        {"no divisions",
         db::kShapeDisc,
         {0, 0, 0, 1, 1, 1, 0.9f, 3},
         {0, 0, 0, 0, 360},
         script::msg::kValueNotCorrect},
        {"no such axis",
         db::kShapeRing,
         {0, 0, 0, 1, 1, 1, 4, 7},
         {0, 0, 0, 0, 360},
         script::msg::kValueNotCorrect},
        {"divisions beyond every store",
         db::kShapeBall,
         {0, 0, 0, 1, 1, 1, 3e9f, 0},
         {0, 180, 0, 0, 360},
         geometry::msg::kAxisFull},
        {"faces beyond every store",
         db::kShapeBall,
         {0, 0, 0, 1, 1, 1, 3e9f, 0},
         {0, 180, 0, 0, 360},
         geometry::msg::kPatchFull,
         ExpandMode::Polygon},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int shape = addParametric(c.kind, c.a, c.b);
        const int axes = model.axisCount;
        const int patches = model.patchCount;
        const int shapes = model.shapeCount;
        sink.clear();
        EXPECT_EQ(geometry::expandShape(model, msg, shape, c.mode), script::kFail);
        EXPECT_EQ(boxes(), std::vector<std::string>{err(c.message)});
        EXPECT_EQ(model.axisCount, axes);
        EXPECT_EQ(model.patchCount, patches);
        EXPECT_EQ(model.shapeCount, shapes);
    }
}

TEST_F(SweepTest, DiscFacingDecidesPairOrderAndNormal) {
    // About Y, radii 2 (x) and 3 (z), half a turn in 4 steps.
    for (const float facing : {0.0f, 1.0f}) {
        SCOPED_TRACE(facing);
        const int shape = addParametric(db::kShapeDisc, {0, 5, 0, 2, 0, 3, 4, 2},
                                        {0, 0, 0, 0, 180, 0, 0, facing});
        const db::Shape& g = expand(shape);
        ASSERT_EQ(g.axisTotal, 10u);
        EXPECT_THAT(header(g), ElementsAre(-2, 2, 5));
        const int centreAt = facing != 0 ? 0 : 1;
        for (int k = 0; k <= 4; ++k) {
            const double theta = rad(45.0 * k);
            const db::Axis& centre = axis(g.axisId + 2 * k + centreAt);
            const db::Axis& rim = axis(g.axisId + 2 * k + 1 - centreAt);
            EXPECT_THAT(centre.wv, IsPoint(0, 5, 0));
            EXPECT_THAT(rim.wv, IsPoint(-2 * std::cos(theta), 5, 3 * std::sin(theta))) << k;
            EXPECT_FLOAT_EQ(centre.v, 1.0f);
            EXPECT_FLOAT_EQ(rim.v, 0.0f);
            EXPECT_FLOAT_EQ(rim.u, k / 4.0f);
            const float ny = facing != 0 ? -1.0f : 1.0f;
            EXPECT_THAT(centre.nv, IsPoint(0, ny, 0));
            EXPECT_EQ(rim.nv, centre.nv);
        }
    }
}

TEST_F(SweepTest, RingInnerRimFollowsTheRatio) {
    // About X: y radius 4, z radius 8, inner ratio 0.25, facing -X.
    const int shape =
        addParametric(db::kShapeRing, {1, 0, 0, 0, 4, 8, 2, 1}, {0, 0, 0, 0, 90, 0, 0.25f, 1});
    const db::Shape& g = expand(shape);
    ASSERT_EQ(g.axisTotal, 6u);
    for (int k = 0; k <= 2; ++k) {
        const double theta = rad(45.0 * k);
        EXPECT_THAT(axis(g.axisId + 2 * k).wv, IsPoint(1, std::cos(theta), 2 * std::sin(theta)));
        EXPECT_THAT(axis(g.axisId + 2 * k + 1).wv,
                    IsPoint(1, 4 * std::cos(theta), 8 * std::sin(theta)));
        EXPECT_THAT(axis(g.axisId + 2 * k).nv, IsPoint(-1, 0, 0));
    }
}

}  // namespace
}  // namespace rz::test

namespace rz::test {
namespace {

// Room for balls of 255 and 256 divisions over a quarter turn (n + 1 rows of n + 1 vertices).
db::Capacities fineBallCapacities() {
    db::Capacities c = smallCapacities();
    c.axismax = 140000;
    return c;
}

class FineBallTest : public ModelTest {
  protected:
    FineBallTest() : ModelTest(fineBallCapacities()) {}
};

// Every row runs through the same latitudes, whether they are looked up (fewer than 256
// divisions) or worked out per vertex: vertex m of any row has the height and the distance from
// the axis of latitude m.
TEST_F(FineBallTest, EveryRowRunsThroughTheSameLatitudes) {
    for (const int n : {6, 255, 256}) {
        SCOPED_TRACE(n);
        const int shape = addParametric(
            db::kShapeBall, {1, 2, 3, 2, 3, 4, static_cast<float>(n), 0}, {0, 180, 0, 0, 90});
        ASSERT_EQ(geometry::expandShape(model, msg, shape, ExpandMode::Grid), script::kOk);
        const db::Shape& g = model.shapes[model.shapeCount - 1];
        const std::uint32_t rows = g.axisTotal / static_cast<std::uint32_t>(n + 1);
        ASSERT_GE(rows, 2u);
        for (std::uint32_t k = 0; k < rows; k += rows - 1) {
            for (int m = 0; m <= n; ++m) {
                const Vec3& p = axis(g.axisId + k * static_cast<std::uint32_t>(n + 1) + m).wv;
                const double phi = std::numbers::pi * m / n;
                EXPECT_NEAR(p[1], 2 - 3 * std::cos(phi), 1e-4) << k << " " << m;
                const double across = std::hypot((p[0] - 1) / 2, (p[2] - 3) / 4);
                EXPECT_NEAR(across, std::sin(phi), 1e-4) << k << " " << m;
            }
        }
    }
}

}  // namespace
}  // namespace rz::test
