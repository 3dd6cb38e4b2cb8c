#include "polyconv/normals.hpp"

#include <cmath>
#include <optional>
#include <ostream>
#include <span>

#include "polyconv/messages.hpp"
#include "polyconv/number_format.hpp"

namespace rz::polyconv {
namespace {

// hypot keeps the length finite where squaring the components would overflow.
bool normalise(Vec3& v) {
    const double length = std::hypot(v.x, v.y, v.z);
    if (!(length > 0.0) || !std::isfinite(length)) {
        v = {};
        return false;
    }
    v = {v.x / length, v.y / length, v.z / length};
    return true;
}

Vec3 corner_normal(Vec3 before, Vec3 at, Vec3 after) {
    return cross(at - before, after - at);
}

class PolygonMeshNormals {
  public:
    PolygonMeshNormals(Mesh& mesh, std::ostream& console)
        : vertices_(mesh.vertices),
          rows_(mesh.m),
          columns_(mesh.n),
          closed_m_(mesh.closed_m),
          closed_n_(mesh.closed_n),
          console_(console) {}

    void compute() {
        const std::size_t distinct_rows = closed_m_ ? rows_ - 1 : rows_;
        const std::size_t distinct_columns = closed_n_ ? columns_ - 1 : columns_;
        for (std::size_t i = 0; i < distinct_rows; ++i) {
            for (std::size_t j = 0; j < distinct_columns; ++j) {
                if (closed_m_ && i == 0) {
                    console_ << msg::kMLooping;
                } else if (closed_n_ && j == 0) {
                    console_ << msg::kNLooping;
                } else {
                    console_ << msg::kNormalProcess;
                }
                at(i, j).normal = grid_normal(i, j);
            }
        }
        if (closed_n_) {
            for (std::size_t i = 0; i < distinct_rows; ++i)
                at(i, columns_ - 1).normal = at(i, 0).normal;
        }
        if (closed_m_) {
            for (std::size_t j = 0; j < columns_; ++j) at(rows_ - 1, j).normal = at(0, j).normal;
        } else if (rows_ >= 2 && columns_ >= 2) {
            if (is_pole(0)) set_row_normal(0, pole_normal(0, 1, false));
            if (is_pole(rows_ - 1))
                set_row_normal(rows_ - 1, pole_normal(rows_ - 1, rows_ - 2, true));
        }
    }

  private:
    Vertex& at(std::size_t i, std::size_t j) { return vertices_[i * columns_ + j]; }
    Vec3 position(std::size_t i, std::size_t j) { return at(i, j).position; }

    Vec3 grid_normal(std::size_t i, std::size_t j) {
        const Vec3 v = position(i, j);
        std::optional<Vec3> left;
        std::optional<Vec3> right;
        std::optional<Vec3> up;
        std::optional<Vec3> down;
        // In a closed direction the stored last row or column repeats the first one, so the
        // neighbour across the seam is the one before it.
        if (j > 0) {
            left = position(i, j - 1);
        } else if (closed_n_) {
            left = position(i, columns_ - 2);
        }
        if (j + 1 < columns_) right = position(i, j + 1);
        if (i > 0) {
            up = position(i - 1, j);
        } else if (closed_m_) {
            up = position(rows_ - 2, j);
        }
        if (i + 1 < rows_) down = position(i + 1, j);

        Vec3 sum;
        const auto add = [&](const std::optional<Vec3>& p, const std::optional<Vec3>& q) {
            if (p && q) sum += cross(v - *p, *q - v);
        };
        add(left, up);
        add(up, right);
        add(right, down);
        add(down, left);
        return sum;
    }

    bool is_pole(std::size_t row) {
        const Vec3 first = position(row, 0);
        for (std::size_t j = 1; j < columns_; ++j) {
            if (!(position(row, j) == first)) return false;
        }
        return true;
    }

    // The fan of triangles between the pole and its neighbouring row, oriented like the
    // rest of the grid.
    Vec3 pole_normal(std::size_t row, std::size_t neighbour_row, bool pole_below) {
        const Vec3 pole = position(row, 0);
        Vec3 sum;
        for (std::size_t j = 0; j + 1 < columns_; ++j) {
            const Vec3 a = position(neighbour_row, j) - pole;
            const Vec3 b = position(neighbour_row, j + 1) - pole;
            sum += pole_below ? cross(b, a) : cross(a, b);
        }
        return sum;
    }

    void set_row_normal(std::size_t row, Vec3 normal) {
        for (std::size_t j = 0; j < columns_; ++j) at(row, j).normal = normal;
    }

    std::span<Vertex> vertices_;
    std::size_t rows_;
    std::size_t columns_;
    bool closed_m_;
    bool closed_n_;
    std::ostream& console_;
};

void accumulate_polyface_normals(Mesh& mesh) {
    for (const IndexFace& face : mesh.faces) {
        const Vec3 a = mesh.vertices[face.index[0]].position;
        const Vec3 b = mesh.vertices[face.index[1]].position;
        const Vec3 c = mesh.vertices[face.index[2]].position;
        const Vec3 normal = corner_normal(a, b, c);
        for (std::size_t k = 0; k < face.count; ++k) mesh.vertices[face.index[k]].normal += normal;
    }
}

}  // namespace

void compute_face_normals(FaceSet& faces) {
    for (Face& face : faces.faces) {
        auto& vertices = face.vertices;
        const std::size_t count = vertices.size();
        for (std::size_t k = 0; k < count; ++k) {
            const Vec3 before = vertices[(k + count - 1) % count].position;
            const Vec3 after = vertices[(k + 1) % count].position;
            Vertex& vertex = vertices[k];
            vertex.normal = corner_normal(before, vertex.position, after);
            normalise(vertex.normal);
        }
    }
}

void compute_mesh_normals(Mesh& mesh, std::ostream& console) {
    if (mesh.kind == MeshKind::polygon) {
        PolygonMeshNormals(mesh, console).compute();
    } else {
        accumulate_polyface_normals(mesh);
    }
    console << msg::kNormalComplete;
    console << "N: " << integer_text(static_cast<long long>(mesh.n))
            << " M: " << integer_text(static_cast<long long>(mesh.m)) << "\n";
    for (std::size_t index = 0; index < mesh.vertices.size(); ++index) {
        if (!normalise(mesh.vertices[index].normal)) {
            console << integer_text(static_cast<long long>(index)) << "\n";
        }
    }
}

}  // namespace rz::polyconv
