#pragma once
// What the OpenGL preview draws, built from the model once for each change of the model or
// of the view mode: triangles already placed in world space (the preview's model-view holds
// only the camera), in runs that share one material, facing rule and map image. A frame only
// hands these to OpenGL.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "db/database.hpp"
#include "math/value_types.hpp"
#include "script/interp.hpp"

namespace rz::render {

struct GlVertex {
    Vec3 position{};
    Vec3 normal{};
    float u = 0.0f;
    float v = 0.0f;
};

// The attribute as an OpenGL material, for front and back faces.
struct GlMaterial {
    std::array<float, 4> specular{};  // a.prg
    std::array<float, 4> diffuse{};   // a.rgb
    std::array<float, 4> ambient{};   // a.arg
    float shininess = 0.0f;           // gain.c, within OpenGL's 0..128
};

struct GlBatch {
    GlMaterial material;
    bool frontClockwise = false;
    bool cullBack = true;
    std::int32_t image = 0;  // the map image (mapdata) laid on the faces; 0: none
    std::size_t first = 0;   // vertices, three a triangle
    std::size_t count = 0;
};

struct GlScene {
    std::vector<GlVertex> vertices;
    std::vector<GlBatch> batches;
    bool lines = false;  // outlines of the front faces instead of filled ones
};

// Builds the scene of every shape for the view mode, reusing the scene's storage. An
// invalid mode leaves the scene empty after its message; a shape whose placement or
// expansion fails is left out after its message.
void buildGlScene(GlScene& scene, script::Interp& in, int viewMode);

// Whether map image `id` exists and has all its pixels inside the texture pool.
bool glMapImageUsable(const db::Database& db, std::int64_t id);

// A digest of everything the scene is built from; equal digests need no new scene.
std::uint64_t glSceneDigest(const script::Interp& in, int viewMode);

}  // namespace rz::render
