#include "polyconv/pts_writer.hpp"

#include <array>
#include <limits>
#include <ostream>
#include <string_view>

#include "polyconv/number_format.hpp"

namespace rz::polyconv {
namespace {

struct Box {
    Vec3 min{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
             std::numeric_limits<double>::infinity()};
    Vec3 max{-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
             -std::numeric_limits<double>::infinity()};

    void take(Vec3 p) {
        if (p.x < min.x) min.x = p.x;
        if (p.y < min.y) min.y = p.y;
        if (p.z < min.z) min.z = p.z;
        if (p.x > max.x) max.x = p.x;
        if (p.y > max.y) max.y = p.y;
        if (p.z > max.z) max.z = p.z;
    }
};

Vec3 scaled(Vec3 p) {
    return {p.x * kScale, p.y * kScale, p.z * kScale};
}

// The script goes out in pieces of a fixed size, so that however many vertices there are,
// only one piece is ever held.
class ScriptBuilder {
  public:
    explicit ScriptBuilder(std::ostream& stream) : stream_(stream) {
        out_.reserve(kPieceBytes + kPieceSlack);
    }

    ScriptBuilder& text(std::string_view s) {
        out_.append(s);
        if (out_.size() >= kPieceBytes) flush();
        return *this;
    }
    void flush() {
        stream_.write(out_.data(), static_cast<std::streamsize>(out_.size()));
        out_.clear();
    }
    ScriptBuilder& number(double value) {
        append_fixed(out_, value);
        return *this;
    }
    ScriptBuilder& integer(long long value) {
        append_integer(out_, value);
        return *this;
    }
    // Three numbers, each preceded by the separator.
    ScriptBuilder& vector(Vec3 v, std::string_view separator) {
        return text(separator).number(v.x).text(separator).number(v.y).text(separator).number(v.z);
    }

    void axis(Vec3 position, Vec3 normal) {
        text("let axis.wv").vector(scaled(position), "\t").text("\n");
        text("let axis.nv").vector(normal, "\t").text("\n");
    }

    void patch_value(long long value) {
        text("let patch.p\t").integer(value).text("\npatch.add\n");
    }

    // Three or four corners at first..first+count-1 as the triangles (0, 1, 2) and (2, 3, 0).
    void triangles(std::array<std::size_t, 4> corners, std::size_t count) {
        static constexpr std::array<std::array<std::size_t, 3>, 2> kTriangles{
            {{0, 1, 2}, {2, 3, 0}}};
        const std::size_t triangle_count = count == 4 ? 2 : 1;
        for (std::size_t t = 0; t < triangle_count; ++t) {
            patch_value(-3);
            for (const std::size_t k : kTriangles[t])
                patch_value(static_cast<long long>(corners[k]));
            patch_values_ += 4;
        }
    }

    void grid_patch(std::size_t rows, std::size_t columns) {
        patch_value(-2);
        patch_value(static_cast<long long>(columns));
        patch_value(static_cast<long long>(rows));
        patch_values_ += 3;
    }

    long long patch_values() const { return patch_values_; }

  private:
    static constexpr std::size_t kPieceBytes = 64 * 1024;
    // Room for the line that fills a piece: a vector line of the longest "%f" numbers.
    static constexpr std::size_t kPieceSlack = 1024;

    std::ostream& stream_;
    std::string out_;
    long long patch_values_ = 0;
};

enum class InputKind { faces, polyface, polygon };

// Where a shape's records start in the script, and the number its shape, matrix and block
// records take (the file's own numbering, which reading moves behind the model's records).
struct ShapeSlot {
    std::size_t first_axis = 0;
    long long first_patch = 0;
    long long number = 1;
};

// How a block is named: the single shape of a plain conversion has always set its reference
// name twice, the second time to the block's name; with every mesh, each block is named.
enum class BlockNaming { single, numbered };

void write_shape(ScriptBuilder& script, InputKind kind, const ShapeSlot& slot,
                 std::size_t axis_count, const Box& box) {
    script.text("let shape.id\t").integer(slot.number).text("\n");
    script.text(kind == InputKind::polygon ? "let sh.kind\t12\n" : "let sh.kind\t11\n");
    script.text("let sh.axis.id\t").integer(static_cast<long long>(slot.first_axis)).text("\n");
    script.text("let sh.axis.total\t").integer(static_cast<long long>(axis_count)).text("\n");
    script.text("let sh.patch.id\t").integer(slot.first_patch).text("\n");
    script.text("let sh.patch.total\t")
        .integer(script.patch_values() - slot.first_patch)
        .text("\n");
    // Face input has always written these four with a leading blank; keep the files identical.
    const std::string_view indent = kind == InputKind::faces ? " " : "";
    script.text(indent).text("let sh.lrflag\t0\n");
    script.text(indent).text("let sh.smoothflag\t0\n");
    script.text(indent).text("let sh.page\t0\n");
    script.text(indent).text("let sh.dummy\t0\n");
    script.text("let sh.bbmin.v").vector(box.min, "\t").text("\n");
    script.text("let sh.bbmax.v").vector(box.max, "\t").text("\n");
    script.text("let sh.matrix.id\t").integer(slot.number).text("\n");
    script.text(
        "let sh.attrib.id\t0\n"
        "let sh.texture.id\t0\n"
        "let sh.layer\t1\n"
        "'let sh.name \"\"\n"
        "shape.add \n");
    script.text(
        "let matrix.a 1 0 0 0 \n"
        "             0 1 0 0 \n"
        "             0 0 1 0 \n"
        "             0 0 0 1 \n"
        "matrix.add\n");
}

void write_block(ScriptBuilder& script, long long number, const Box& box, BlockNaming naming) {
    script.text("load.block ").integer(number).text("\n");
    script.text(
        "let b.xyzrot.v     0 0 0\n"
        "let b.xyztmp.v     0 0 0\n"
        "let b.center.v     0 0 0\n"
        "let b.trans.v      0 0 0\n");
    script.text("let b.xyzmin.v    ").vector(box.min, " ").text("\n");
    script.text("let b.xyzmax.v    ").vector(box.max, " ").text("\n");
    script.text(
        "let b.rlink.id -1\n"
        "let b.layer   0\n"
        "let b.dummy   0\n"
        "let b.matrix 1 0 0 0\n"
        "             0 1 0 0\n"
        "             0 0 1 0\n"
        "             0 0 0 1\n"
        "let b.refname \"*\"\n");
    script.text(naming == BlockNaming::single ? "let b.refname \"Block(" : "let b.name \"Block(")
        .integer(number)
        .text(")\"\nset.block\n");
}

void write_last_block(ScriptBuilder& script, long long number) {
    script.text("let b.point ").integer(number).text("\nload.block b.point\n");
}

// The axes and triangles of every face; the shape's axes start at slot.first_axis. The
// number of axes written.
std::size_t write_faces(const FaceSet& set, ScriptBuilder& script, std::size_t first_axis,
                        Box& box) {
    std::size_t axis_count = 0;
    for (const Face& face : set.faces) {
        for (std::size_t k = 0; k < face.vertices.size(); ++k) {
            const Vertex& vertex = face.vertices[k];
            script.axis(vertex.position, vertex.normal);
            script.text("let axis.u\t").number(static_cast<double>(k % 2)).text("\n");
            script.text("let axis.v\t").number(static_cast<double>(k / 2)).text("\n");
            script.text("axis.add\n");
            box.take(scaled(vertex.position));
        }
        axis_count += face.vertices.size();
    }
    std::size_t first = first_axis;
    for (const Face& face : set.faces) {
        const std::size_t count = face.vertices.size();
        script.triangles({first, first + 1, first + 2, first + 3}, count);
        first += count;
    }
    return axis_count;
}

void write_mesh(const Mesh& mesh, ScriptBuilder& script, std::size_t first_axis, Box& box) {
    const bool polygon = mesh.kind == MeshKind::polygon;
    for (std::size_t index = 0; index < mesh.vertices.size(); ++index) {
        const Vertex& vertex = mesh.vertices[index];
        box.take(scaled(vertex.position));
        if (polygon) {
            script.axis(vertex.position, vertex.normal);
            const double row = static_cast<double>(index / mesh.n);
            const double column = static_cast<double>(index % mesh.n);
            script.text("let axis.u\t").number(row / static_cast<double>(mesh.m)).text("\n");
            script.text("let axis.v\t").number(column / static_cast<double>(mesh.n)).text("\n");
            script.text("axis.add\n");
            script.text("'------ (").integer(static_cast<long long>(index)).text(")\n");
        } else {
            // Polyface faces run the other way round from polygon meshes.
            script.axis(vertex.position, -vertex.normal);
            script.text("let axis.u\t0.00000\nlet axis.v\t0.00000\naxis.add\n");
        }
    }
    if (polygon) {
        script.grid_patch(mesh.m, mesh.n);
        return;
    }
    for (const IndexFace& face : mesh.faces) {
        std::array<std::size_t, 4> corners = face.index;
        for (std::size_t& c : corners) c += first_axis;
        script.triangles(corners, face.count);
    }
}

InputKind kind_of(const Mesh& mesh) {
    return mesh.kind == MeshKind::polygon ? InputKind::polygon : InputKind::polyface;
}

}  // namespace

void write_pts_script(const Geometry& geometry, std::ostream& out) {
    ScriptBuilder script(out);
    const ShapeSlot slot;
    Box box;
    if (const auto* faces = std::get_if<FaceSet>(&geometry)) {
        const std::size_t axes = write_faces(*faces, script, slot.first_axis, box);
        write_shape(script, InputKind::faces, slot, axes, box);
    } else {
        const Mesh& mesh = std::get<Mesh>(geometry);
        write_mesh(mesh, script, slot.first_axis, box);
        write_shape(script, kind_of(mesh), slot, mesh.vertices.size(), box);
    }
    write_block(script, slot.number, box, BlockNaming::single);
    write_last_block(script, slot.number);
    script.flush();
}

void write_all_meshes_script(const AllMeshes& all, std::ostream& out) {
    ScriptBuilder script(out);
    ShapeSlot slot;
    const auto next_slot = [&](std::size_t axes) {
        slot.first_axis += axes;
        slot.first_patch = script.patch_values();
        ++slot.number;
    };
    if (!all.faces.faces.empty()) {
        Box box;
        const std::size_t axes = write_faces(all.faces, script, slot.first_axis, box);
        write_shape(script, InputKind::faces, slot, axes, box);
        write_block(script, slot.number, box, BlockNaming::numbered);
        next_slot(axes);
    }
    for (const Mesh& mesh : all.meshes) {
        Box box;
        write_mesh(mesh, script, slot.first_axis, box);
        write_shape(script, kind_of(mesh), slot, mesh.vertices.size(), box);
        write_block(script, slot.number, box, BlockNaming::numbered);
        next_slot(mesh.vertices.size());
    }
    write_last_block(script, slot.number - 1);
    script.flush();
}

}  // namespace rz::polyconv
