#include "polyconv/dxf_all_reader.hpp"

#include <optional>
#include <ostream>

#include "polyconv/dxf_scan.hpp"
#include "polyconv/dxf_tokens.hpp"
#include "polyconv/face_collector.hpp"
#include "polyconv/mesh_reader.hpp"
#include "polyconv/messages.hpp"
#include "polyconv/number_format.hpp"
#include "polyconv/storage_budget.hpp"

namespace rz::polyconv {
namespace {

using EntityName = std::optional<std::string_view>;

class AllReader {
  public:
    AllReader(LineTokenizer& tokens, std::ostream& console, StorageBudget& budget,
              AllMeshesResult& result)
        : tokens_(tokens),
          console_(console),
          budget_(budget),
          faces_(console, budget),
          result_(result) {}

    // The tokens stand after the group code of the section's first entity.
    ReadStatus read() {
        EntityName name = tokens_.next_line();
        bool complete = false;
        while (name) {
            if (*name == "ENDSEC") {
                complete = skip_to_eof_marker(tokens_, false);
                break;
            }
            if (*name == "EOF") break;
            if (*name == "3DFACE") {
                faces_.start_face();
                name = groups_of_entity(true);
                if (!faces_.finish_face()) return too_many_faces();
            } else if (*name == "POLYLINE") {
                if (polyline(name) != ReadStatus::ok) return ReadStatus::too_large;
            } else {
                // A SEQEND here closes some other entity's list (an INSERT's attributes).
                if (*name != "SEQEND") ++result_.skipped;
                name = groups_of_entity(false);
            }
        }
        if (!complete) console_ << msg::kFacesTooShort;
        result_.meshes.faces = faces_.take_faces();
        const bool empty = result_.meshes.faces.faces.empty() && result_.meshes.meshes.empty();
        return empty ? ReadStatus::no_geometry : ReadStatus::ok;
    }

  private:
    // Reads the groups of the current entity, handing them to the face being read when
    // asked; the name of the next entity, or nothing at the end of the text.
    EntityName groups_of_entity(bool face) {
        while (const auto group = next_group(tokens_)) {
            if (group->code == 0) return group->value;
            if (face) faces_.take_group(*group);
        }
        return std::nullopt;
    }

    // A POLYLINE: a mesh is kept, anything else passed over with its vertices. ok, or
    // too_large when the mesh does not fit.
    ReadStatus polyline(EntityName& name) {
        MeshReader reader(tokens_, console_, budget_, MeshScope::one_entity);
        Mesh mesh;
        switch (reader.read(mesh)) {
            case ReadStatus::ok:
                if (!budget_.make_room(result_.meshes.meshes)) {
                    console_ << "Too many meshes! ( "
                             << integer_text(static_cast<long long>(result_.meshes.meshes.size()))
                             << " )\n";
                    return ReadStatus::too_large;
                }
                result_.meshes.meshes.push_back(std::move(mesh));
                break;
            case ReadStatus::not_a_mesh:
                ++result_.skipped;
                name = rest_of_polyline();
                return ReadStatus::ok;
            case ReadStatus::too_large:
                return ReadStatus::too_large;
            default:
                // A mesh without a face: nothing to convert.
                ++result_.skipped;
                break;
        }
        // After its SEQEND come that entity's own groups, then the next entity.
        name = reader.next_entity() ? reader.next_entity() : groups_of_entity(false);
        return ReadStatus::ok;
    }

    // The tokens stand after the polyline's first VERTEX name.
    EntityName rest_of_polyline() {
        EntityName name = groups_of_entity(false);
        while (name == "VERTEX") name = groups_of_entity(false);
        return name == "SEQEND" ? groups_of_entity(false) : name;
    }

    ReadStatus too_many_faces() {
        console_ << "Too many faces! ( "
                 << integer_text(static_cast<long long>(faces_.faces().faces.size())) << " )\n";
        return ReadStatus::too_large;
    }

    LineTokenizer& tokens_;
    std::ostream& console_;
    StorageBudget& budget_;
    FaceCollector faces_;
    AllMeshesResult& result_;
};

}  // namespace

AllMeshesResult read_dxf_all(std::string_view text, std::ostream& console,
                             const MemoryLimits& limits) {
    AllMeshesResult result;
    LineTokenizer tokens(text);
    if (!find_entities(tokens)) return result;
    console << msg::kFileReadComplete;
    StorageBudget budget(limits.max_geometry_bytes);
    result.status = AllReader(tokens, console, budget, result).read();
    return result;
}

}  // namespace rz::polyconv
