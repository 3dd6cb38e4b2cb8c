#include "polyconv/dxf_reader.hpp"

#include <optional>
#include <ostream>
#include <string>

#include "polyconv/dxf_scan.hpp"
#include "polyconv/dxf_tokens.hpp"
#include "polyconv/face_collector.hpp"
#include "polyconv/mesh_reader.hpp"
#include "polyconv/messages.hpp"
#include "polyconv/number_format.hpp"
#include "polyconv/storage_budget.hpp"

namespace rz::polyconv {
namespace {

enum class InputKind { faces, mesh };

// The converter only looks at the first entity of the ENTITIES section.
std::optional<InputKind> recognise(LineTokenizer& tokens) {
    if (!find_entities(tokens)) return std::nullopt;
    const auto name = tokens.next_line();
    if (name == "3DFACE") return InputKind::faces;
    if (name == "POLYLINE") return InputKind::mesh;
    return std::nullopt;
}

class FaceReader {
  public:
    FaceReader(LineTokenizer& tokens, std::ostream& console, StorageBudget& budget)
        : tokens_(tokens), console_(console), collector_(console, budget) {}

    ReadStatus read(FaceSet& faces) {
        const ReadStatus status = read_faces();
        faces = collector_.take_faces();
        if (status != ReadStatus::ok) return status;
        return faces.faces.empty() ? ReadStatus::no_geometry : ReadStatus::ok;
    }

  private:
    ReadStatus read_faces() {
        collector_.start_face();
        while (true) {
            const auto group = next_group(tokens_);
            if (!group) {
                if (!collector_.finish_face()) return too_many_faces();
                console_ << msg::kFacesTooShort;
                break;
            }
            if (group->code != 0) {
                collector_.take_group(*group);
                continue;
            }
            if (!collector_.finish_face()) return too_many_faces();
            if (group->value == "3DFACE") {
                collector_.start_face();
            } else if (group->value == "ENDSEC") {
                check_end_of_file();
                break;
            } else if (group->value == "EOF") {
                // The section was never closed: an entity out of place, and a file cut short.
                console_ << msg::kDxfFileError << msg::kFacesTooShort;
                break;
            } else {
                // Another kind of entity: its points are not face corners, so skip it whole.
                console_ << msg::kDxfFileError;
            }
        }
        return ReadStatus::ok;
    }

    ReadStatus too_many_faces() {
        console_ << "Too many faces! ( "
                 << integer_text(static_cast<long long>(collector_.faces().faces.size())) << " )\n";
        return ReadStatus::too_large;
    }

    void check_end_of_file() {
        const auto first = tokens_.next_nonblank();
        if (!first) {
            console_ << msg::kFacesTooShort;
            return;
        }
        if (*first != "0") console_ << msg::kAfterEndsecError;
        if (!skip_to_eof_marker(tokens_, *first == "0")) console_ << msg::kFacesTooShort;
    }

    LineTokenizer& tokens_;
    std::ostream& console_;
    FaceCollector collector_;
};

}  // namespace

ReadResult read_dxf(std::string_view text, std::ostream& console, const MemoryLimits& limits) {
    LineTokenizer tokens(text);
    const auto kind = recognise(tokens);
    if (!kind) return {ReadStatus::not_dxf, FaceSet{}};
    console << msg::kFileReadComplete;
    StorageBudget budget(limits.max_geometry_bytes);
    if (*kind == InputKind::faces) {
        FaceSet faces;
        const ReadStatus status = FaceReader(tokens, console, budget).read(faces);
        return {status, std::move(faces)};
    }
    Mesh mesh;
    const ReadStatus status = MeshReader(tokens, console, budget).read(mesh);
    return {status, std::move(mesh)};
}

}  // namespace rz::polyconv
