#include "polyconv/converter.hpp"

#include <new>
#include <ostream>
#include <utility>
#include <variant>

#include "polyconv/dxf_all_reader.hpp"
#include "polyconv/dxf_reader.hpp"
#include "polyconv/messages.hpp"
#include "polyconv/normals.hpp"

namespace rz::polyconv {
namespace {

Outcome outcome_of(ReadStatus status) {
    switch (status) {
        case ReadStatus::ok:
            return Outcome::converted;
        case ReadStatus::not_dxf:
            return Outcome::not_dxf;
        case ReadStatus::not_a_mesh:
            return Outcome::not_a_mesh;
        case ReadStatus::no_geometry:
            return Outcome::no_geometry;
        case ReadStatus::too_large:
            return Outcome::out_of_memory;
    }
    return Outcome::not_dxf;
}

}  // namespace

Conversion convert_dxf(std::string_view dxf_text, std::ostream& console,
                       const MemoryLimits& limits) {
    try {
        ReadResult read = read_dxf(dxf_text, console, limits);
        const Outcome outcome = outcome_of(read.status);
        if (outcome == Outcome::out_of_memory) console << msg::kAllocationFailed;
        if (outcome != Outcome::converted) return {outcome, {}};
        if (auto* faces = std::get_if<FaceSet>(&read.geometry)) {
            compute_face_normals(*faces);
        } else {
            compute_mesh_normals(std::get<Mesh>(read.geometry), console);
        }
        return {Outcome::converted, std::move(read.geometry)};
    } catch (const std::bad_alloc&) {
        console << msg::kAllocationFailed;
        return {Outcome::out_of_memory, {}};
    }
}

AllConversion convert_dxf_all(std::string_view dxf_text, std::ostream& console,
                              const MemoryLimits& limits) {
    try {
        AllMeshesResult read = read_dxf_all(dxf_text, console, limits);
        const Outcome outcome = outcome_of(read.status);
        if (outcome == Outcome::out_of_memory) console << msg::kAllocationFailed;
        if (outcome != Outcome::converted) return {outcome, {}, read.skipped};
        compute_face_normals(read.meshes.faces);
        for (Mesh& mesh : read.meshes.meshes) compute_mesh_normals(mesh, console);
        return {Outcome::converted, std::move(read.meshes), read.skipped};
    } catch (const std::bad_alloc&) {
        console << msg::kAllocationFailed;
        return {Outcome::out_of_memory, {}, 0};
    }
}

}  // namespace rz::polyconv
