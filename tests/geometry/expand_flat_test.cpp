// Box, four-corner face, grid plane and ball expansion against geometry worked out here.
#include <gtest/gtest.h>

#include "geometry/expand_shape.hpp"
#include "model_fixture.hpp"

namespace rz::test {
namespace {

using geometry::ExpandMode;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class FlatTest : public ModelTest {
  protected:
    const db::Shape& expand(int shape, ExpandMode mode = ExpandMode::Grid) {
        EXPECT_EQ(geometry::expandShape(model, msg, shape, mode), script::kOk);
        return model.shapes[model.shapeCount - 1];
    }
    std::vector<int> patches(const db::Shape& s) const {
        return {model.patches.begin() + s.patchId,
                model.patches.begin() + s.patchId + s.patchTotal};
    }
};

TEST_F(FlatTest, BoxGridIsTheFourSidesAndItsPolygonFormHasAllSix) {
    // Centre (10, 20, 30), size (4, 6, 8): x 8..12, y 17..23, z 26..34.
    const int shape = addParametric(db::kShapeBox, {10, 20, 30, 4, 6, 8, 0, 0});
    const db::Shape& g = expand(shape);
    EXPECT_THAT(patches(g), ElementsAre(-2, 2, 5));
    EXPECT_EQ(g.smoothflag, 0);
    struct Expected {
        float x, y, z, u, v;
    };
    const std::vector<Expected> strip = {
        {8, 17, 26, 0, 0},      {8, 23, 26, 0, 1},      {8, 17, 34, 0.25f, 0},
        {8, 23, 34, 0.25f, 1},  {12, 17, 34, 0.5f, 0},  {12, 23, 34, 0.5f, 1},
        {12, 17, 26, 0.75f, 0}, {12, 23, 26, 0.75f, 1}, {8, 17, 26, 1, 0},
        {8, 23, 26, 1, 1},
    };
    ASSERT_EQ(g.axisTotal, strip.size());
    for (std::size_t k = 0; k < strip.size(); ++k) {
        const db::Axis& a = axis(g.axisId + k);
        EXPECT_THAT(a.wv, IsPoint(strip[k].x, strip[k].y, strip[k].z)) << k;
        EXPECT_FLOAT_EQ(a.u, strip[k].u) << k;
        EXPECT_FLOAT_EQ(a.v, strip[k].v) << k;
        EXPECT_EQ(a.nv, (Vec3{0, 0, 0})) << k;
    }
    // Neither top nor bottom: no vertex of the grid lies inside the y = 23 face.
    const db::Shape& p = expand(shape, ExpandMode::Polygon);
    EXPECT_EQ(p.kind, db::kShapePolygon);
    ASSERT_EQ(p.axisTotal, 8u);
    const int f = static_cast<int>(p.axisId);
    EXPECT_THAT(patches(p),
                ElementsAreArray({-4, f + 0, f + 1, f + 3, f + 2, -4, f + 2, f + 3, f + 5, f + 4,
                                  -4, f + 4, f + 5, f + 7, f + 6, -4, f + 6, f + 7, f + 1, f + 0,
                                  -4, f + 1, f + 7, f + 5, f + 3, -4, f + 0, f + 2, f + 4, f + 6}));
    // The fifth face is the top (every corner at y 23), the sixth the bottom.
    for (int k : {1, 7, 5, 3}) EXPECT_FLOAT_EQ(axis(f + k).wv[1], 23.0f);
    for (int k : {0, 2, 4, 6}) EXPECT_FLOAT_EQ(axis(f + k).wv[1], 17.0f);
}

// A flat face: every corner normal is the same unit vector, square to the face.
void expectFaceNormal(const std::vector<db::Axis>& corners, const Vec3& e1, const Vec3& e2) {
    for (const db::Axis& a : corners) {
        EXPECT_NEAR(norm(a.nv), 1.0, 1e-6);
        EXPECT_EQ(a.nv, corners[0].nv);
        EXPECT_NEAR(a.nv[0] * e1[0] + a.nv[1] * e1[1] + a.nv[2] * e1[2], 0.0, 1e-6);
        EXPECT_NEAR(a.nv[0] * e2[0] + a.nv[1] * e2[1] + a.nv[2] * e2[2], 0.0, 1e-6);
    }
}

TEST_F(FlatTest, QuadCornersKeepTheirTextureAndOneNormalInEitherOrder) {
    // The x = 0 side of a unit box, corners as a 2 x 2 grid.
    const Params a{0, 0, 0, 0, 1, 0, 0, 0};
    const Params b{0, 0, 1, 0, 1, 1, 0, 0};
    const std::vector<std::array<float, 5>> corners = {
        {0, 0, 0, 0, 0}, {0, 1, 0, 1, 0}, {0, 0, 1, 0, 1}, {0, 1, 1, 1, 1}};
    for (const std::uint8_t lrflag : {0, 1}) {
        SCOPED_TRACE(static_cast<int>(lrflag));
        const db::Shape& g = expand(addParametric(db::kShapeQuad, a, b, lrflag));
        ASSERT_EQ(g.axisTotal, 4u);
        EXPECT_THAT(patches(g), ElementsAre(-2, 2, 2));
        std::vector<db::Axis> written;
        for (int k = 0; k < 4; ++k) {
            const auto& c = corners[lrflag != 0 ? 3 - k : k];
            const db::Axis& got = axis(g.axisId + k);
            EXPECT_THAT(got.wv, IsPoint(c[0], c[1], c[2])) << k;
            EXPECT_FLOAT_EQ(got.u, c[3]) << k;
            EXPECT_FLOAT_EQ(got.v, c[4]) << k;
            written.push_back(got);
        }
        expectFaceNormal(written, {0, 1, 0}, {0, 0, 1});
    }
}

TEST_F(FlatTest, QuadWithCoincidingCornersTakesTheNextDistinctOne) {
    // A triangle written as four corners: P2 and P3 coincide.
    const int shape =
        addParametric(db::kShapeQuad, {0, 0, 0, 4, 0, 0, 0, 0}, {0, 3, 0, 0, 3, 0, 0, 0});
    const db::Shape& g = expand(shape);
    for (int k = 0; k < 4; ++k) {
        const Vec3 n = axis(g.axisId + k).nv;
        EXPECT_NEAR(norm(n), 1.0, 1e-6) << k;
        EXPECT_NEAR(std::abs(n[2]), 1.0, 1e-6) << k;  // square to the z = 0 plane
        EXPECT_EQ(n, axis(g.axisId).nv) << k;
    }
    const db::Shape& p = expand(shape, ExpandMode::Polygon);
    const int f = static_cast<int>(p.axisId);
    EXPECT_THAT(patches(p), ElementsAre(-4, f, f + 1, f + 3, f + 2));
}

TEST_F(FlatTest, GridPlaneInterpolatesItsRowsBetweenTheCorners) {
    // P0 (0,0,0), P1 (0,4,0), P2 (8,0,0), P3 (8,4,0), four divisions.
    const Params a{0, 0, 0, 0, 4, 0, 4, 0};
    const Params b{8, 0, 0, 8, 4, 0, 0, 0};
    for (const std::uint8_t lrflag : {0, 1}) {
        SCOPED_TRACE(static_cast<int>(lrflag));
        const db::Shape& g = expand(addParametric(db::kShapeGridPlane, a, b, lrflag));
        ASSERT_EQ(g.axisTotal, 25u);
        EXPECT_THAT(patches(g), ElementsAre(-2, 5, 5));
        for (int w = 0; w <= 4; ++w) {
            const int j = lrflag != 0 ? 4 - w : w;
            for (int i = 0; i <= 4; ++i) {
                const db::Axis& v = axis(g.axisId + w * 5 + i);
                // Row j goes from j/4 of P0..P1 to j/4 of P2..P3; vertex i at i/4 along it.
                EXPECT_THAT(v.wv, IsPoint(2.0 * i, 1.0 * j, 0.0)) << i << "," << j;
                EXPECT_FLOAT_EQ(v.u, i / 4.0f);
                EXPECT_FLOAT_EQ(v.v, j / 4.0f);
                EXPECT_NEAR(std::abs(v.nv[2]), 1.0, 1e-6);
                EXPECT_EQ(v.nv, axis(g.axisId).nv);
            }
        }
    }
}

TEST_F(FlatTest, SphereVerticesSitOnTheSphereWithRadialNormals) {
    // Radius 2 about (1, 1, 1), four divisions of the full ball.
    const int shape =
        addParametric(db::kShapeBall, {1, 1, 1, 2, 2, 2, 4, 0}, {0, 180, 0, 0, 360, 0, 0, 0});
    const db::Shape& g = expand(shape);
    ASSERT_EQ(g.axisTotal, 25u);
    EXPECT_THAT(patches(g), ElementsAre(-2, 5, 5));
    EXPECT_EQ(g.smoothflag, 1);
    for (int k = 0; k <= 4; ++k)
        for (int m = 0; m <= 4; ++m) {
            const db::Axis& v = axis(g.axisId + k * 5 + m);
            const double lambda = rad(90.0 * k);
            const double psi = rad(-90.0 + 45.0 * m);
            EXPECT_THAT(v.wv,
                        IsPoint(1 - 2 * std::cos(psi) * std::cos(lambda), 1 + 2 * std::sin(psi),
                                1 + 2 * std::cos(psi) * std::sin(lambda)))
                << m << "," << k;
            EXPECT_THAT(v.nv, IsPoint((v.wv[0] - 1) / 2, (v.wv[1] - 1) / 2, (v.wv[2] - 1) / 2));
            EXPECT_FLOAT_EQ(v.u, m / 4.0f);
            EXPECT_FLOAT_EQ(v.v, k / 4.0f);
        }
    // The last row closes the sweep where the first began.
    for (int m = 0; m <= 4; ++m) {
        const Vec3 first = axis(g.axisId + m).wv;
        EXPECT_THAT(axis(g.axisId + 20 + m).wv, IsPoint(first[0], first[1], first[2]));
    }
}

TEST_F(FlatTest, EllipsoidNormalsAreTheSurfaceGradient) {
    const Params radii{0, 0, 0, 1, 2, 3, 6, 0};
    const int shape = addParametric(db::kShapeBall, radii, {0, 180, 0, 0, 360, 0, 0, 0});
    const db::Shape& g = expand(shape);
    for (std::uint32_t k = 0; k < g.axisTotal; ++k) {
        const db::Axis& v = axis(g.axisId + k);
        // grad(x^2/1 + y^2/4 + z^2/9) at the vertex.
        const double gx = v.wv[0] / 1.0, gy = v.wv[1] / 4.0, gz = v.wv[2] / 9.0;
        const double len = std::sqrt(gx * gx + gy * gy + gz * gz);
        EXPECT_THAT(v.nv, IsPoint(gx / len, gy / len, gz / len)) << k;
    }
}

TEST_F(FlatTest, PartialBallWithFacingFlagStartsAtTheLongitudeEnd) {
    // Upper half (latitude 90..180), longitude 0..90, two divisions, lrflag set.
    const int shape =
        addParametric(db::kShapeBall, {0, 0, 0, 1, 1, 1, 2, 0}, {90, 180, 0, 0, 90, 0, 0, 0}, 1);
    const db::Shape& g = expand(shape);
    ASSERT_EQ(g.axisTotal, 9u);
    for (int w = 0; w <= 2; ++w)
        for (int m = 0; m <= 2; ++m) {
            const db::Axis& v = axis(g.axisId + w * 3 + m);
            const double lambda = rad(90.0 - 45.0 * w);
            const double psi = rad(45.0 * m);
            EXPECT_THAT(v.wv, IsPoint(-std::cos(psi) * std::cos(lambda), std::sin(psi),
                                      std::cos(psi) * std::sin(lambda)))
                << m << "," << w;
            EXPECT_FLOAT_EQ(v.u, m / 2.0f);
            EXPECT_FLOAT_EQ(v.v, (2 - w) / 2.0f);
        }
}

TEST_F(FlatTest, ClosedSweepInPolygonFormWrapsTheLastRowToTheFirst) {
    const int shape =
        addParametric(db::kShapeBall, {0, 0, 0, 1, 1, 1, 4, 0}, {0, 180, 0, 0, 360, 0, 0, 0});
    const db::Shape& p = expand(shape, ExpandMode::Polygon);
    ASSERT_EQ(p.axisTotal, 20u);   // four distinct rows of five
    ASSERT_EQ(p.patchTotal, 80u);  // 4 x 4 cells
    const std::vector<int> runs = patches(p);
    const int f = static_cast<int>(p.axisId);
    // First cell of the first row, and the last cell, which joins row 3 to row 0.
    EXPECT_THAT(std::vector<int>(runs.begin(), runs.begin() + 5),
                ElementsAre(-4, f, f + 1, f + 6, f + 5));
    EXPECT_THAT(std::vector<int>(runs.end() - 5, runs.end()),
                ElementsAre(-4, f + 18, f + 19, f + 4, f + 3));
}

}  // namespace
}  // namespace rz::test
