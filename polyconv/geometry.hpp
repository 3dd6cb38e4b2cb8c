#pragma once
// What a DXF file yields: a set of faces or one mesh, as vertices with their normals.

#include <array>
#include <cstddef>
#include <variant>
#include <vector>

namespace rz::polyconv {

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend bool operator==(const Vec3&, const Vec3&) = default;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator-(Vec3 a) {
    return {-a.x, -a.y, -a.z};
}
inline Vec3& operator+=(Vec3& a, Vec3 b) {
    a = a + b;
    return a;
}
inline Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

struct Vertex {
    Vec3 position;
    Vec3 normal;
};

// One 3DFACE after cleanup: three or four distinct corners in file order.
struct Face {
    std::vector<Vertex> vertices;
};

struct FaceSet {
    std::vector<Face> faces;
};

enum class MeshKind { polygon, polyface };

// A polyface face as 0-based indices into the mesh's vertex array.
struct IndexFace {
    std::array<std::size_t, 4> index{};
    std::size_t count = 0;
};

// A polygon mesh holds m rows of n vertices; closing rows and columns are already stored
// as copies. For a polyface mesh m and n are the vertex and face counts its header declared;
// vertices and faces hold what was actually read.
struct Mesh {
    MeshKind kind = MeshKind::polygon;
    bool closed_m = false;
    bool closed_n = false;
    std::size_t m = 0;
    std::size_t n = 0;
    std::vector<Vertex> vertices;
    std::vector<IndexFace> faces;
};

using Geometry = std::variant<FaceSet, Mesh>;

// Every mesh of a file: its 3D faces together as one shape, and each polygon or polyface
// mesh as a shape of its own, in file order.
struct AllMeshes {
    FaceSet faces;
    std::vector<Mesh> meshes;
};

// Every length in the script is in the main program's units: one DXF unit is 5000.
inline constexpr double kScale = 5000.0;

}  // namespace rz::polyconv
