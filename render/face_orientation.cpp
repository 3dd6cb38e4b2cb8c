// Which side of a quadrilateral is drawn, and with which normals.

#include <cstddef>

#include "render/shading.hpp"
#include "render/shading_vectors.hpp"

namespace rz::render {

using namespace shading_math;

namespace {

struct FaceRule {
    bool keepFront;
    bool keepBack;
    bool negateBack;
};

// Indexed by the face rule (face.sw).
constexpr std::array<FaceRule, 4> kFaceRules{{
    {true, false, false},  // 0: front faces only
    {false, true, true},   // 1: back faces only, turned to the viewer
    {true, true, true},    // 2: both, back faces turned to the viewer
    {true, true, false},   // 3: both as they are
}};

// Vertex normals that point against the face (a mesh wound the other way round) are turned
// round first. The mean of the four normals decides, so that one stray vertex normal of a
// curved quadrilateral does not flip the other three.
constexpr float kDisagreement = -0.75f;

const FaceRule& ruleOf(std::uint8_t faceRule) {
    return kFaceRules[faceRule < kFaceRules.size() ? faceRule : 0];
}

}  // namespace

bool faceKept(std::uint8_t faceRule, bool frontFacing) {
    const FaceRule& rule = ruleOf(faceRule);
    return frontFacing ? rule.keepFront : rule.keepBack;
}

Orientation orientation(std::uint8_t faceRule, bool frontFacing, const Vec3& faceNormal,
                        std::span<const Vec3, 4> normals) {
    const FaceRule& rule = ruleOf(faceRule);
    if (!faceKept(faceRule, frontFacing)) return {};
    const Vec3 mean = normals[0] + normals[1] + normals[2] + normals[3];
    const bool disagree = dot(normalised(mean), normalised(faceNormal)) < kDisagreement;
    if (frontFacing) return {true, disagree, false};
    return {true, disagree != rule.negateBack, rule.negateBack};
}

bool orient(SurfaceShading& s, bool frontFacing, const Vec3& faceNormal,
            std::span<Vec3, 4> normals) {
    const Orientation o = orientation(s.faceRule, frontFacing, faceNormal, normals);
    s.normalsNegated = o.backTurned;
    if (!o.kept) return false;
    if (o.negate)
        for (Vec3& n : normals) n = n * -1.0f;
    return true;
}

}  // namespace rz::render
