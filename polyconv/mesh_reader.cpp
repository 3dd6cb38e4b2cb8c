#include "polyconv/mesh_reader.hpp"

#include <algorithm>
#include <ostream>

#include "polyconv/dxf_scan.hpp"
#include "polyconv/messages.hpp"
#include "polyconv/number_format.hpp"

namespace rz::polyconv {
namespace {

constexpr int kClosedM = 1;
constexpr int kPolygonMesh = 16;
constexpr int kClosedN = 32;
constexpr int kPolyfaceMesh = 64;
constexpr int kMeshVertex = 64;
constexpr int kFaceRecord = 128;
// The shortest vertex entity ("0", "VERTEX", "70", "64" on lines) bounds how many
// vertices the rest of the file can still hold, whatever its header claims.
constexpr std::size_t kMinVertexBytes = 16;

}  // namespace

ReadStatus MeshReader::read(Mesh& mesh) {
    const ReadStatus status = read_mesh();
    mesh = std::move(mesh_);
    if (status != ReadStatus::ok) return status;
    const bool empty = mesh.kind == MeshKind::polygon ? mesh.vertices.empty() : mesh.faces.empty();
    return empty ? ReadStatus::no_geometry : ReadStatus::ok;
}

ReadStatus MeshReader::read_mesh() {
    while (true) {
        const auto group = next_group(tokens_);
        if (!group) {
            end_entity(EntityEnd::cut_off);
            if (exhausted_) break;
            console_ << msg::kMeshTooShort;
            finish();
            break;
        }
        if (group->code != 0) {
            take_group(*group);
            continue;
        }
        end_entity(EntityEnd::complete);
        if (exhausted_) break;
        const std::string_view name = group->value;
        if (name == "VERTEX") {
            if (!started_) {
                const ReadStatus status = start_vertices();
                if (status != ReadStatus::ok) return status;
            }
            stage_ = Stage::vertex;
            entity_ = {};
        } else if (name == "SEQEND") {
            console_ << msg::kSeqend;
            if (finish()) finish_file();
            break;
        } else if (name == "EOF") {
            // Neither SEQEND nor the end of the section came: out of place and cut short.
            console_ << msg::kDxfFileError << msg::kMeshTooShort;
            finish();
            if (scope_ == MeshScope::one_entity) next_entity_ = name;
            break;
        } else {
            console_ << msg::kDxfFileError;
            // The end of the section or the next polyline means SEQEND was lost; what
            // follows must not be taken for vertices of this mesh.
            if (name == "ENDSEC" || name == "POLYLINE") {
                if (scope_ == MeshScope::one_entity) next_entity_ = name;
                if (finish()) finish_file();
                break;
            }
            stage_ = Stage::skipping;
        }
    }
    return exhausted_ ? size_failure("Mesh too large! ( M: ") : ReadStatus::ok;
}

void MeshReader::finish_file() {
    if (scope_ == MeshScope::whole_file && !skip_to_eof_marker(tokens_, false))
        console_ << msg::kMeshTooShort;
}

void MeshReader::take_group(const Group& group) {
    if (stage_ == Stage::header) {
        switch (group.code) {
            case 70:
                flags_ = parse_integer(group.value);
                break;
            case 71:
                m_count_ = parse_integer(group.value);
                break;
            case 72:
                n_count_ = parse_integer(group.value);
                break;
            default:
                break;
        }
    } else if (stage_ == Stage::vertex) {
        switch (group.code) {
            case 10:
                entity_.position.x = read_coordinate(group.value, console_);
                break;
            case 20:
                entity_.position.y = read_coordinate(group.value, console_);
                break;
            case 30:
                entity_.position.z = read_coordinate(group.value, console_);
                break;
            case 70:
                entity_.flags = parse_integer(group.value);
                break;
            case 71:
            case 72:
            case 73:
            case 74:
                entity_.numbers[static_cast<std::size_t>(group.code - 71)] =
                    parse_integer(group.value);
                break;
            default:
                break;
        }
    }
}

// The counts are only trusted once all header groups are in, whatever their order.
ReadStatus MeshReader::start_vertices() {
    started_ = true;
    std::size_t capacity = 0;
    if ((flags_ & kPolyfaceMesh) != 0) {
        mesh_.kind = MeshKind::polyface;
        if (m_count_ < 1) return size_failure("Invalid mesh size! ( M: ");
        capacity = static_cast<std::size_t>(m_count_);
    } else if ((flags_ & kPolygonMesh) != 0) {
        mesh_.kind = MeshKind::polygon;
        mesh_.closed_m = (flags_ & kClosedM) != 0;
        mesh_.closed_n = (flags_ & kClosedN) != 0;
        if (m_count_ < 1 || n_count_ < 1) return size_failure("Invalid mesh size! ( M: ");
        rows_ = static_cast<std::size_t>(m_count_) + (mesh_.closed_m ? 1 : 0);
        columns_ = static_cast<std::size_t>(n_count_) + (mesh_.closed_n ? 1 : 0);
        // Both factors are below 2^31, so the product cannot wrap.
        capacity = rows_ * columns_;
    } else {
        return ReadStatus::not_a_mesh;
    }
    if (capacity > budget_.remaining() / sizeof(Vertex))
        return size_failure("Mesh too large! ( M: ");
    capacity_ = capacity;
    grow(mesh_.vertices, std::min(capacity, tokens_.remaining_bytes() / kMinVertexBytes));
    return ReadStatus::ok;
}

ReadStatus MeshReader::size_failure(std::string_view what) {
    console_ << what << integer_text(m_count_) << " N: " << integer_text(n_count_) << " )\n";
    return ReadStatus::too_large;
}

// Room for `more` elements; a list the budget cannot grow ends the reading.
template <class T>
bool MeshReader::grow(std::vector<T>& list, std::size_t more) {
    if (!budget_.make_room(list, more)) exhausted_ = true;
    return !exhausted_;
}

void MeshReader::end_entity(EntityEnd end) {
    if (stage_ != Stage::vertex) return;
    stage_ = Stage::skipping;
    if ((entity_.flags & kMeshVertex) != 0) {
        store_vertex(entity_.position);
    } else if ((entity_.flags & kFaceRecord) != 0 && mesh_.kind == MeshKind::polyface) {
        if (grow(face_records_)) face_records_.push_back(entity_.numbers);
    } else if (end == EntityEnd::complete) {
        console_ << msg::kDxfFileError;
    }
}

void MeshReader::store_vertex(Vec3 position) {
    auto& vertices = mesh_.vertices;
    if (mesh_.kind == MeshKind::polyface) {
        if (vertices.size() >= capacity_) {
            console_ << msg::kDxfFileError;
            return;
        }
        if (grow(vertices)) vertices.push_back(Vertex{position, {}});
        return;
    }
    // The closing row is added at SEQEND, so the file itself fills one row less.
    const std::size_t file_capacity = capacity_ - (mesh_.closed_m ? columns_ : 0);
    if (vertices.size() >= file_capacity) {
        console_ << msg::kDxfFileError;
        return;
    }
    if (!grow(vertices)) return;
    vertices.push_back(Vertex{position, {}});
    if (!mesh_.closed_n) return;
    const std::size_t index = vertices.size() - 1;
    const std::size_t column = index % columns_;
    if (column == columns_ - 2 && grow(vertices)) {
        const Vertex row_start = vertices[index - column];
        vertices.push_back(row_start);
    }
}

// False when the budget ran out.
bool MeshReader::finish() {
    if (!started_) return true;
    if (mesh_.kind == MeshKind::polyface) {
        finish_polyface();
    } else {
        finish_polygon();
    }
    return !exhausted_;
}

void MeshReader::finish_polygon() {
    auto& vertices = mesh_.vertices;
    const std::size_t file_rows = rows_ - (mesh_.closed_m ? 1 : 0);
    const std::size_t rows = vertices.size() / columns_;
    if (rows < file_rows || vertices.size() % columns_ != 0) {
        console_ << "mesh has " << integer_text(static_cast<long long>(rows))
                 << " complete rows of " << integer_text(static_cast<long long>(file_rows))
                 << ", only those are converted\n";
    }
    vertices.resize(rows * columns_);
    if (rows < file_rows) {
        // Joining the last row read to the first would invent a surface.
        mesh_.closed_m = false;
    } else if (mesh_.closed_m && grow(vertices, columns_)) {
        for (std::size_t j = 0; j < columns_; ++j) vertices.push_back(vertices[j]);
    }
    mesh_.m = vertices.size() / columns_;
    mesh_.n = columns_;
}

void MeshReader::finish_polyface() {
    const std::size_t vertex_count = mesh_.vertices.size();
    long long face_number = 0;
    long long hidden_edge_faces = 0;
    if (!grow(mesh_.faces, face_records_.size())) return;
    for (const auto& numbers : face_records_) {
        ++face_number;
        IndexFace face;
        bool valid = true;
        bool hidden = false;
        for (std::size_t slot = 0; slot < numbers.size(); ++slot) {
            const long long number = numbers[slot];
            if (number == 0) {
                // A zero fourth number is how a triangle is written.
                if (slot < 3) {
                    console_ << "face ( " << integer_text(face_number)
                             << " ) has fewer than 3 vertex numbers, face skipped\n";
                    valid = false;
                }
                break;
            }
            // A negative number marks the edge that follows it as invisible.
            const long long magnitude = number < 0 ? -number : number;
            hidden = hidden || number < 0;
            if (magnitude > static_cast<long long>(vertex_count)) {
                console_ << "face ( " << integer_text(face_number) << " ) vertex number "
                         << integer_text(number) << " is out of range ( 1 - "
                         << integer_text(static_cast<long long>(vertex_count))
                         << " ), face skipped\n";
                valid = false;
                break;
            }
            face.index[face.count++] = static_cast<std::size_t>(magnitude - 1);
        }
        if (!valid) continue;
        if (hidden) ++hidden_edge_faces;
        mesh_.faces.push_back(face);
    }
    if (hidden_edge_faces > 0) {
        console_ << integer_text(hidden_edge_faces)
                 << " face(s) with negative vertex numbers (hidden edges): absolute values used\n";
    }
    // The console reports the counts the header declared, whatever the file delivered.
    mesh_.m = static_cast<std::size_t>(m_count_);
    mesh_.n = n_count_ > 0 ? static_cast<std::size_t>(n_count_) : 0;
}

}  // namespace rz::polyconv
