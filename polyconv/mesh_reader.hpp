#pragma once
// One POLYLINE entity read as a polygon or polyface mesh: its header, its VERTEX entities
// and the face records of a polyface mesh, up to its SEQEND.

#include <array>
#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string_view>
#include <vector>

#include "polyconv/dxf_reader.hpp"
#include "polyconv/dxf_tokens.hpp"
#include "polyconv/geometry.hpp"
#include "polyconv/storage_budget.hpp"

namespace rz::polyconv {

// How much of the file a mesh is: the only thing converted, after which the rest of the
// file just has to be complete; or one entity among others, after which reading goes on.
enum class MeshScope { whole_file, one_entity };

class MeshReader {
  public:
    // The tokens stand right after the POLYLINE name.
    MeshReader(LineTokenizer& tokens, std::ostream& console, StorageBudget& budget,
               MeshScope scope = MeshScope::whole_file)
        : tokens_(tokens), console_(console), budget_(budget), scope_(scope) {}

    // not_a_mesh comes as soon as the first VERTEX shows what the polyline is; the tokens
    // then stand right after that VERTEX name.
    ReadStatus read(Mesh& mesh);

    // With MeshScope::one_entity: the name of the entity that ended the vertex list in
    // place of a SEQEND (ENDSEC, EOF, the next POLYLINE); nothing after a SEQEND or at the
    // end of the text.
    std::optional<std::string_view> next_entity() const { return next_entity_; }

  private:
    enum class Stage { header, vertex, skipping };

    struct VertexEntity {
        Vec3 position;
        int flags = 0;
        std::array<int, 4> numbers{};
    };

    // A vertex entity the file cut off keeps what it says it is, but one that had not yet
    // said anything is simply lost; the short-file message covers it.
    enum class EntityEnd { complete, cut_off };

    ReadStatus read_mesh();
    void take_group(const Group& group);
    ReadStatus start_vertices();
    ReadStatus size_failure(std::string_view what);
    template <class T>
    bool grow(std::vector<T>& list, std::size_t more = 1);
    void end_entity(EntityEnd end);
    void store_vertex(Vec3 position);
    // After the vertex list: the end of the file must follow when the mesh is all there is.
    void finish_file();
    bool finish();
    void finish_polygon();
    void finish_polyface();

    LineTokenizer& tokens_;
    std::ostream& console_;
    StorageBudget& budget_;
    MeshScope scope_;
    std::optional<std::string_view> next_entity_;
    bool exhausted_ = false;
    Stage stage_ = Stage::header;
    int flags_ = 0;
    int m_count_ = 0;
    int n_count_ = 0;
    bool started_ = false;
    std::size_t rows_ = 0;
    std::size_t columns_ = 1;
    std::size_t capacity_ = 0;
    VertexEntity entity_;
    std::vector<std::array<int, 4>> face_records_;
    Mesh mesh_;
};

}  // namespace rz::polyconv
