#include "polyconv/normals.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "polyconv_test_support.hpp"

namespace rz::polyconv {
namespace {

using test::count_lines;

void expect_near(Vec3 actual, Vec3 expected, const std::string& where) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9) << where;
    EXPECT_NEAR(actual.y, expected.y, 1e-9) << where;
    EXPECT_NEAR(actual.z, expected.z, 1e-9) << where;
}

// A polygon mesh the way the reader stores it: closing copies included.
Mesh grid_mesh(std::size_t rows, std::size_t columns, bool closed_m, bool closed_n,
               const std::function<Vec3(std::size_t, std::size_t)>& at) {
    Mesh mesh;
    mesh.closed_m = closed_m;
    mesh.closed_n = closed_n;
    mesh.m = rows + (closed_m ? 1 : 0);
    mesh.n = columns + (closed_n ? 1 : 0);
    for (std::size_t i = 0; i < mesh.m; ++i) {
        for (std::size_t j = 0; j < mesh.n; ++j) {
            mesh.vertices.push_back({at(i % rows, j % columns), {}});
        }
    }
    return mesh;
}

std::string compute(Mesh& mesh) {
    std::ostringstream console;
    compute_mesh_normals(mesh, console);
    return console.str();
}

TEST(FaceNormals, EachCornerUsesItsNeighboursInTheFace) {
    FaceSet set;
    set.faces.push_back({{{{0, 0, 0}, {}}, {{2, 0, 0}, {}}, {{0, 3, 0}, {}}}});
    set.faces.push_back({{{{0, 0, 0}, {}}, {{0, 1, 0}, {}}, {{0, 1, 1}, {}}, {{0, 0, 1}, {}}}});
    // Collinear corners have no normal; it must stay zero rather than become NaN.
    set.faces.push_back({{{{0, 0, 0}, {}}, {{1, 1, 1}, {}}, {{2, 2, 2}, {}}}});
    compute_face_normals(set);
    for (const auto& v : set.faces[0].vertices) expect_near(v.normal, {0, 0, 1}, "triangle in XY");
    for (const auto& v : set.faces[1].vertices) expect_near(v.normal, {1, 0, 0}, "square in YZ");
    for (const auto& v : set.faces[2].vertices) EXPECT_EQ(v.normal, (Vec3{0, 0, 0}));
}

TEST(PolygonMeshNormals, AFlatOpenGridFacesOneWayEverywhere) {
    // Rows advance along y and columns along x, so the grid faces -z.
    Mesh mesh = grid_mesh(3, 4, false, false, [](std::size_t i, std::size_t j) {
        return Vec3{double(j) * 2.0, double(i), 0.0};
    });
    const std::string console = compute(mesh);
    for (std::size_t k = 0; k < mesh.vertices.size(); ++k) {
        expect_near(mesh.vertices[k].normal, {0, 0, -1}, "vertex " + std::to_string(k));
    }
    EXPECT_EQ(count_lines(console, "Normal process!\n"), 12U);
    EXPECT_TRUE(console.ends_with("Normal process!\n normal compute complete!\nN: 4 M: 3\n"))
        << console;
}

TEST(PolygonMeshNormals, InteriorVertexSumsAllFourNeighbourPairs) {
    Mesh mesh = grid_mesh(3, 3, false, false, [](std::size_t i, std::size_t j) {
        return Vec3{double(j), double(i), 0.25 * double(i * j)};
    });
    compute(mesh);
    // Each pair around (1, 1) gives (0.25, 0.25, -1); corners only see one pair.
    const double len = std::sqrt(18.0);
    expect_near(mesh.vertices[4].normal, {1 / len, 1 / len, -4 / len}, "centre");
    expect_near(mesh.vertices[0].normal, {0, 0, -1}, "corner (0, 0)");
}

TEST(PolygonMeshNormals, ACylinderClosedInNPointsRadiallyAcrossTheSeam) {
    constexpr std::size_t kColumns = 8;
    Mesh mesh = grid_mesh(3, kColumns, false, true, [](std::size_t i, std::size_t j) {
        const double a = 2.0 * std::numbers::pi * double(j) / double(kColumns);
        return Vec3{std::cos(a), std::sin(a), double(i)};
    });
    const std::string console = compute(mesh);
    for (std::size_t i = 0; i < mesh.m; ++i) {
        for (std::size_t j = 0; j < mesh.n; ++j) {
            const double a = 2.0 * std::numbers::pi * double(j % kColumns) / double(kColumns);
            // Rows rise along z and columns turn counter-clockwise: the normals point inwards.
            expect_near(mesh.vertices[i * mesh.n + j].normal, {-std::cos(a), -std::sin(a), 0},
                        "row " + std::to_string(i) + " column " + std::to_string(j));
        }
    }
    EXPECT_EQ(count_lines(console, "Nlooping start process!\n"), 3U);
    EXPECT_EQ(count_lines(console, "Normal process!\n"), 3U * (kColumns - 1));
    EXPECT_EQ(count_lines(console, "Mlooping start process!\n"), 0U);
    EXPECT_NE(console.find("N: 9 M: 3\n"), std::string::npos);
}

TEST(PolygonMeshNormals, ATorusClosedInBothDirectionsIsSmoothAtBothSeams) {
    constexpr std::size_t kRows = 6;
    constexpr std::size_t kColumns = 8;
    const auto torus = [](std::size_t i, std::size_t j) {
        const double a = 2.0 * std::numbers::pi * double(i) / double(kRows);
        const double b = 2.0 * std::numbers::pi * double(j) / double(kColumns);
        const double r = 3.0 + std::cos(b);
        return Vec3{r * std::cos(a), r * std::sin(a), std::sin(b)};
    };
    Mesh mesh = grid_mesh(kRows, kColumns, true, true, torus);
    const std::string console = compute(mesh);
    // By symmetry every vertex's normal lies along the tube's radius.
    for (std::size_t i = 0; i < mesh.m; ++i) {
        for (std::size_t j = 0; j < mesh.n; ++j) {
            const double a = 2.0 * std::numbers::pi * double(i % kRows) / double(kRows);
            const double b = 2.0 * std::numbers::pi * double(j % kColumns) / double(kColumns);
            const Vec3 radial{std::cos(b) * std::cos(a), std::cos(b) * std::sin(a), std::sin(b)};
            const Vec3 n = mesh.vertices[i * mesh.n + j].normal;
            EXPECT_NEAR(std::fabs(n.x * radial.x + n.y * radial.y + n.z * radial.z), 1.0, 1e-9)
                << "row " << i << " column " << j;
        }
    }
    for (std::size_t j = 0; j < mesh.n; ++j)
        EXPECT_EQ(mesh.vertices[(mesh.m - 1) * mesh.n + j].normal, mesh.vertices[j].normal);
    EXPECT_EQ(count_lines(console, "Mlooping start process!\n"), kColumns);
    EXPECT_EQ(count_lines(console, "Nlooping start process!\n"), kRows - 1);
    EXPECT_EQ(count_lines(console, "Normal process!\n"), (kRows - 1) * (kColumns - 1));
}

TEST(PolygonMeshNormals, PolesTakeTheNormalOfTheTriangleFanAroundThem) {
    // A double cone: apex row, ring, apex row, closed around.
    constexpr std::size_t kColumns = 6;
    Mesh mesh = grid_mesh(3, kColumns, false, true, [](std::size_t i, std::size_t j) {
        const double a = 2.0 * std::numbers::pi * double(j) / double(kColumns);
        if (i == 0) return Vec3{0, 0, 2};
        if (i == 2) return Vec3{0, 0, -2};
        return Vec3{std::cos(a), std::sin(a), 0};
    });
    const std::string console = compute(mesh);
    for (std::size_t j = 0; j < mesh.n; ++j) {
        expect_near(mesh.vertices[j].normal, {0, 0, 1}, "top pole");
        expect_near(mesh.vertices[2 * mesh.n + j].normal, {0, 0, -1}, "bottom pole");
        // The ring's normals point the same way round as the poles: outwards.
        const Vec3 ring = mesh.vertices[mesh.n + j].normal;
        const double a = 2.0 * std::numbers::pi * double(j % kColumns) / double(kColumns);
        EXPECT_GT(ring.x * std::cos(a) + ring.y * std::sin(a), 0.9);
    }
    // No vertex number follows: every vertex, the poles included, got a direction.
    EXPECT_TRUE(console.ends_with("N: 7 M: 3\n")) << console;
}

TEST(PolygonMeshNormals, VerticesWithoutADirectionAreListedByIndex) {
    // A single row has no up or down neighbours: nothing to take a normal from.
    Mesh mesh = grid_mesh(1, 3, false, false, [](std::size_t, std::size_t j) {
        return Vec3{double(j), 0, 0};
    });
    const std::string console = compute(mesh);
    EXPECT_TRUE(console.ends_with("N: 3 M: 1\n0\n1\n2\n")) << console;
    for (const auto& v : mesh.vertices) EXPECT_EQ(v.normal, (Vec3{0, 0, 0}));
}

TEST(PolyfaceNormals, FacesAddTheirNormalToEachOfTheirVertices) {
    Mesh mesh;
    mesh.kind = MeshKind::polyface;
    mesh.vertices = {
        {{0, 0, 0}, {}}, {{1, 0, 0}, {}}, {{0, 1, 0}, {}}, {{0, 0, 1}, {}}, {{5, 5, 5}, {}}};
    mesh.faces = {{{0, 1, 2, 0}, 3}, {{0, 2, 3, 0}, 3}};
    mesh.m = 5;
    mesh.n = 2;
    const std::string console = compute(mesh);
    // (b - a) x (c - b) of (0, 1, 2) is +z, of (0, 2, 3) is +x; vertices 0 and 2 get both.
    const double h = 1.0 / std::sqrt(2.0);
    expect_near(mesh.vertices[0].normal, {h, 0, h}, "shared vertex 0");
    expect_near(mesh.vertices[1].normal, {0, 0, 1}, "vertex 1");
    expect_near(mesh.vertices[2].normal, {h, 0, h}, "shared vertex 2");
    expect_near(mesh.vertices[3].normal, {1, 0, 0}, "vertex 3");
    EXPECT_EQ(console, " normal compute complete!\nN: 2 M: 5\n4\n");
}

}  // namespace
}  // namespace rz::polyconv
