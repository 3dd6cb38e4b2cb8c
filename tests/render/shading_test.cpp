// Surface colours: the lighting model with hand-worked numbers, the face rules, which shapes
// are mapped, and each map kind and method on small images whose texels name their place.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "render/shading.hpp"
#include "render/texture_maps.hpp"

namespace rz::render {
namespace {

// One shape with attribute 1, the camera at (0, 0, 100) looking at the origin, all lights off
// and empty map stores; cases change what they need.
struct Scene {
    db::Database db;
    db::Shape shape;

    Scene() {
        db.attributes.assign(2, {});
        db.attributeCount = 2;
        attribute() = {.specularExponent = 1,
                       .prg = {1, 1, 1},
                       .rgb = {1, 0.5f, 0.2f},
                       .drg = {1, 1, 1},
                       .opacity = 1,
                       .gainC = 1,
                       .map = 1};
        db.maplists.assign(8, {});
        db.mapinfos.assign(8, {});
        db.mapdatas.assign(4, {});
        db.camera.pos = {0, 0, 100};
        shape.attribId = 1;
    }
    db::Attribute& attribute() { return db.attributes[1]; }

    // Appends an image; its texels are the bytes given, row after row.
    std::int16_t addImage(std::uint16_t kind, std::uint16_t w, std::uint16_t h,
                          const std::vector<std::uint8_t>& bytes) {
        const auto offset = static_cast<std::uint32_t>(db.textureBuffer.size());
        db.textureBuffer.insert(db.textureBuffer.end(), bytes.begin(), bytes.end());
        const auto id = static_cast<std::int16_t>(db.mapdataCount++);
        db.mapdatas[id] = {kind, w, h, 0, offset, static_cast<std::uint32_t>(bytes.size())};
        return id;
    }
    // Appends a map to the end of the shape's chain.
    db::Mapinfo& addMap(std::int16_t kind, std::int16_t method, std::int16_t image,
                        float mopa = 1) {
        const auto n = static_cast<std::int16_t>(db.maplistCount++);
        db.mapinfos[n] = {.kind = kind,
                          .method = method,
                          .texId = image,
                          .mopa = mopa,
                          .bump = 1,
                          .uend = 1,
                          .vend = 1,
                          .ulen = 1,
                          .vlen = 1,
                          .xlen = 2,
                          .ylen = 2,
                          .zlen = 2};
        db.mapinfoCount = n + 1;
        db.maplists[n] = {n, 0};
        if (shape.textureId == 0) {
            shape.textureId = static_cast<std::uint16_t>(n);
        } else {
            std::int16_t last = static_cast<std::int16_t>(shape.textureId);
            while (db.maplists[last].next != 0) last = db.maplists[last].next;
            db.maplists[last].next = n;
        }
        return db.mapinfos[n];
    }
    void light(int i, std::int16_t kind, Vec3 pos, float gain = 1, Vec3 rgb = {1, 1, 1}) {
        db.lights[i] = {.pos = pos, .tar = {}, .rgb = rgb, .kind = kind, .gain = gain};
    }
    SurfaceShading shading(int mode = 4, bool sample = false) {
        return surfaceShading(db, shape, mode, sample);
    }
};

constexpr Vec3 kUp{0, 0, 1};

TEST(Lighting, ColourForEachLightKindAndSwitch) {
    // Base colour 255, 127.5, 51; normal +z at the origin; light 0 as given, light 5 a second
    // light when its kind is set.
    struct Case {
        const char* name;
        std::array<float, 3> color;
        std::int16_t kind = kLightPara;
        Vec3 pos{0, 0, 10};
        std::int16_t kind5 = 0;
        float specular = 0, exponent = 1, gain = 1;
        Vec3 rgb{1, 1, 1}, drg{1, 1, 1};
        float gainC = 1, gainL = 0;
        std::uint8_t shade = 0;
        bool mapped = false, sample = false;
    };
    const Case cases[] = {
        {.name = "parallel along the normal", .color = {255, 127.5f, 51}},
        {.name = "point at 10: a tenth", .color = {25.5f, 12.75f, 5.1f}, .kind = kLightPoint},
        {.name = "point2 at 20",
         .color = {12.75f, 6.375f, 2.55f},
         .kind = kLightPoint2,
         .pos = {0, 0, 20}},
        {.name = "parallel at 60 degrees",
         .color = {127.5f, 63.75f, 25.5f},
         .pos = {0, 8.660254f, 5}},
        {.name = "two lights add", .color = {280.5f, 140.25f, 56.1f}, .kind5 = kLightPoint},
        {.name = "just behind: no light, no highlight",
         .color = {0, 0, 0},
         .pos = {0, 10, -1},
         .specular = 1},
        {.name = "reversed lights shine from behind",
         .color = {255, 127.5f, 51},
         .pos = {0, 0, -10},
         .shade = kShadeReversedLights},
        {.name = "highlight", .color = {382.5f, 255, 178.5f}, .specular = 0.5f},
        {.name = "highlight exponent",
         .color = {318.75f, 255, 216.75f},
         .pos = {0, 8.660254f, 5},
         .specular = 1,
         .exponent = 2},
        {.name = "fractional highlight exponent",
         .color = {333.01f, 269.26f, 231.01f},
         .pos = {0, 8.660254f, 5},
         .specular = 1,
         .exponent = 1.5f},
        {.name = "light colour, gain, diffuse colour",
         .color = {255, 127.5f, 0},
         .gain = 2,
         .rgb = {1, 0.5f, 0},
         .drg = {0.5f, 1, 1}},
        {.name = "contrast and level gain",
         .color = {191.25f, 95.625f, 38.25f},
         .gainC = 0.5f,
         .gainL = 0.25f},
        {.name = "unknown light kind", .color = {0, 0, 0}, .kind = 7},
        {.name = "mapped: the highlight joins the factor",
         .color = {1.5f, 1.5f, 1.5f},
         .specular = 0.5f,
         .mapped = true},
        {.name = "sample: light 0 alone, from (1, 1, 1) when off",
         .color = {255, 127.5f, 51},
         .kind = 0,
         .pos = {0, 0, -10},
         .kind5 = kLightPara,
         .sample = true},
    };
    for (const Case& c : cases) {
        Scene scene;
        scene.light(0, c.kind, c.pos, c.gain, c.rgb);
        scene.light(5, c.kind5, {0, 0, 10});
        db::Attribute& a = scene.attribute();
        a.specular = c.specular;
        a.specularExponent = c.exponent;
        a.drg = c.drg;
        a.gainC = c.gainC;
        a.gainL = c.gainL;
        a.shade = c.shade;
        SurfaceShading s = scene.shading(4, c.sample);
        s.mapped = c.mapped;
        prepareLighting(s);
        const Lit lit = shade(s, kUp, {0, 0, 0});
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(lit.color[i], c.color[i], 0.01) << c.name;
        EXPECT_FLOAT_EQ(lit.opacity, 255) << c.name;
    }
}

TEST(Lighting, OpacityModes) {
    struct Case {
        const char* name;
        std::uint8_t shade;
        float opacity, gainC, gainL;
        Vec3 normal;
        float expected;
    };
    const Case cases[] = {
        {"plain", 0, 0.4f, 1, 0, kUp, 102},
        {"edge opacity on a face turned away", kShadeEdgeOpacity, 0.8f, 1, 0.5f, {0, 0, -1}, 102},
        {"edge opacity facing the camera", kShadeEdgeOpacity, 0.8f, 1, 0.5f, kUp, 0},
        {"view opacity", kShadeViewOpacity, 1, 0.5f, 2, {0, 0.6f, 0.8f}, 81.6f},
        {"view opacity reversed",
         kShadeViewOpacity | kShadeReversedLights,
         1,
         0.5f,
         1,
         {0, 0, -1},
         127.5f},
        {"view opacity of a negative facing", kShadeViewOpacity, 1, 1, 0.5f, {0, 0, -1}, 0},
    };
    for (const Case& c : cases) {
        Scene scene;
        scene.attribute().shade = c.shade;
        scene.attribute().opacity = c.opacity;
        scene.attribute().gainC = c.gainC;
        scene.attribute().gainL = c.gainL;
        const Lit lit = shade(scene.shading(), c.normal, {});
        EXPECT_NEAR(lit.opacity, c.expected, 0.01) << c.name;
        if (c.shade & kShadeViewOpacity) {
            EXPECT_FLOAT_EQ(lit.color[1], 127.5f) << c.name;
        }
    }
}

TEST(FaceOrientation, RulesKeepDropAndNegate) {
    struct Case {
        std::uint8_t face, lrflag, shade;
        bool front, kept, negated;
    };
    const Case cases[] = {
        {0, 0, 0, true, true, false},  {0, 0, 0, false, false, false},
        {1, 0, 0, true, false, false}, {1, 0, 0, false, true, true},
        {2, 0, 0, true, true, false},  {2, 0, 0, false, true, true},
        {3, 0, 0, false, true, false}, {0, 2, 0, false, true, true},
        {3, 0, 1, true, false, false}, {9, 0, 0, false, false, false},
    };
    for (const Case& c : cases) {
        Scene scene;
        scene.attribute().face = c.face;
        scene.attribute().shade = c.shade;
        scene.shape.lrflag = c.lrflag;
        SurfaceShading s = scene.shading();
        std::array<Vec3, 4> normals{kUp, kUp, kUp, kUp};
        const int row = static_cast<int>(&c - cases);
        EXPECT_EQ(orient(s, c.front, kUp, normals), c.kept) << row;
        if (!c.kept) continue;
        EXPECT_EQ(s.normalsNegated, c.negated) << row;
        EXPECT_EQ(normals[3][2], c.negated ? -1 : 1) << row;
    }
}

TEST(FaceOrientation, NormalsAgainstTheFaceAreTurnedFirst) {
    const std::array<std::pair<Vec3, bool>, 3> cases{
        {{{0, 0, -1}, true}, {{0.6f, 0, -0.8f}, true}, {{0.8f, 0, -0.6f}, false}}};
    for (const auto& [n, turned] : cases) {
        Scene scene;
        scene.attribute().face = 3;
        SurfaceShading s = scene.shading();
        std::array<Vec3, 4> normals{n, n, n, n};
        EXPECT_TRUE(orient(s, true, {0, 0, 5}, normals));
        EXPECT_EQ(normals[0][2], turned ? -n[2] : n[2]) << n[2];
        EXPECT_FALSE(s.normalsNegated);
    }
}

// The outcome the renderer keys its per-vertex light cache on: the turn towards the face and
// the back-face turn cancel, and `orientation` agrees with what `orient` does to the normals.
TEST(FaceOrientation, OrientationSaysHowTheNormalsEndUp) {
    struct Case {
        std::uint8_t face;
        bool front;
        Vec3 normal;
        Orientation expected;
    };
    constexpr Vec3 kDown{0, 0, -1};
    const Case cases[] = {
        {2, false, kUp, {true, true, true}},      {2, false, kDown, {true, false, true}},
        {2, true, kDown, {true, true, false}},    {3, false, kDown, {true, true, false}},
        {0, false, kDown, {false, false, false}}, {0, true, kUp, {true, false, false}},
    };
    for (const Case& c : cases) {
        const int row = static_cast<int>(&c - cases);
        const std::array<Vec3, 4> given{c.normal, c.normal, c.normal, c.normal};
        const Orientation o = orientation(c.face, c.front, {0, 0, 5}, given);
        EXPECT_EQ(o.kept, c.expected.kept) << row;
        EXPECT_EQ(o.negate, c.expected.negate) << row;
        EXPECT_EQ(o.backTurned, c.expected.backTurned) << row;
        EXPECT_EQ(faceKept(c.face, c.front), c.expected.kept) << row;
        if (!o.kept) continue;
        Scene scene;
        scene.attribute().face = c.face;
        SurfaceShading s = scene.shading();
        std::array<Vec3, 4> normals = given;
        ASSERT_TRUE(orient(s, c.front, {0, 0, 5}, normals)) << row;
        EXPECT_EQ(normals[2][2], c.expected.negate ? -c.normal[2] : c.normal[2]) << row;
    }
}

TEST(SurfaceShading, MappedOnlyWithMapsModeAndSwitch) {
    struct Case {
        int mode;
        bool sample;
        std::uint8_t mapSwitch;
        bool chain;
        bool mapped;
    };
    const Case cases[] = {{4, false, 1, true, true},
                          {3, false, 1, true, false},
                          {7, false, 0, true, false},
                          {5, true, 0, true, true},
                          {4, false, 1, false, false}};
    for (const Case& c : cases) {
        Scene scene;
        scene.attribute().map = c.mapSwitch;
        if (c.chain) scene.addMap(kColorMap24, kUvMap, 0);
        EXPECT_EQ(scene.shading(c.mode, c.sample).mapped, c.mapped) << &c - cases;
    }
    Scene orphan;
    orphan.shape.attribId = 7;  // beyond the store: the default attribute
    EXPECT_FLOAT_EQ(orphan.shading().attribute->rgb[1], 0.9f);
}

// An image w x h whose texel (x, y) is red 20x, green 25y, blue 7.
std::vector<std::uint8_t> coordinateImage(int w, int h) {
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bytes.insert(bytes.end(),
                         {static_cast<std::uint8_t>(20 * x), static_cast<std::uint8_t>(25 * y), 7});
    return bytes;
}

// The texel a COLORMAP24 map at full mix shows at the point: finish on a black base with a
// light factor of 1 gives the texel itself; nothing when the base shows.
std::optional<TexelPosition> shownTexel(Scene& scene, const SurfacePoint& at) {
    scene.attribute().rgb = {0, 0, 0};
    const Rgba8 c = finish(scene.shading(), {{1, 1, 1}, 255}, &at);
    if (c.b == 0) return std::nullopt;
    return TexelPosition{c.r / 20, c.g / 25};
}

TEST(TextureMaps, UvmapWindowRepeatAndOffset) {
    struct Case {
        float u, v, uofs, ulen;
        std::optional<std::pair<int, int>> xy;
    };
    const Case cases[] = {
        {0.5f, 0.5f, 0, 1, {{2, 0}}},    {0.1f, 0.2f, 0, 1, {{0, 1}}},
        {1, 0, 0, 1, {{0, 1}}},          {1.01f, 0.5f, 0, 1, {}},
        {0.8f, 0.5f, 0, 0.5f, {{2, 0}}}, {0.25f, 0.5f, -0.75f, 1, {{2, 0}}},
        {0.5f, 0.5f, 0, 0, {}},
    };
    for (const Case& c : cases) {
        Scene scene;
        db::Mapinfo& m = scene.addMap(kColorMap24, kUvMap,
                                      scene.addImage(db::kColorMap24, 4, 2, coordinateImage(4, 2)));
        m.uofs = c.uofs;
        m.ulen = c.ulen;
        const std::optional<TexelPosition> p = shownTexel(scene, {.u = c.u, .v = c.v});
        const int row = static_cast<int>(&c - cases);
        ASSERT_EQ(p.has_value(), c.xy.has_value()) << row;
        if (p) {
            EXPECT_EQ(std::make_pair(p->x, p->y), *c.xy) << row;
        }
    }
}

TEST(TextureMaps, BoxMethodsFindTheFaceAndTexel) {
    struct Case {
        std::int16_t method;
        Vec3 p, n;
        std::optional<std::pair<int, int>> xy;
        Vec3 size{2, 2, 2};
    };
    // A 12 x 9 image: bands of height c = 3, faces 1 and 3 o = 3 wide.
    const Case cases[] = {
        {kDecalBox, {0, 0, 1}, {0, 0, 1}, {{1, 5}}},
        {kDecalBox, {1, 0.5f, -0.5f}, {1, 0, 0}, {{5, 4}}},
        {kDecalBox, {0.5f, -0.5f, -1}, {0, 0, -1}, {{6, 6}}},
        {kDecalBox, {-1, 0, 0.6f}, {-1, 0, 0}, {{11, 5}}},
        {kDecalBox, {0.2f, 1, -0.4f}, {0, 1, 0}, {{1, 0}}},
        {kDecalBox, {-0.6f, -1, 0.8f}, {0, -1, 0}, {{0, 7}}},
        {kDecalBoxFirst, {0.25f, 0, 0.7f}, {0.31623f, 0, 0.94868f}, {{8, 5}}},
        {kDecalBoxFirst + 1, {0, 0, 1}, {0, 0, 1}, {}},
        {kDecalBoxFirst + 2, {0.5f, -0.5f, -1}, {0, 0, -1}, {{3, 7}}},
        {kDecalBoxFirst + 4, {0.2f, 1, -0.4f}, {0, 1, 0}, {{7, 2}}},
        {kDecalBoxFirst + 5, {-0.6f, -1, 0.8f}, {0, -1, 0}, {{10, 1}}},
        {kDecalBoxFirst, {0, 0, 0.5f}, {0.6f, 0, 0.5f}, {{6, 5}}, {10, 2, 1}},
        {kDecalBox, {0, 0, 1}, {0, 0, 1}, {}, {2, 0, 2}},
        {kDecalBox, {0, 0, 1}, {0, 0, 0}, {}},
    };
    for (const Case& c : cases) {
        Scene scene;
        db::Mapinfo& m = scene.addMap(
            kColorMap24, c.method, scene.addImage(db::kColorMap24, 12, 9, coordinateImage(12, 9)));
        m.xlen = c.size[0];
        m.ylen = c.size[1];
        m.zlen = c.size[2];
        // World space points at face 6: the model-space point decides.
        const SurfacePoint at{.normal = {0, -1, 0},
                              .position = {-0.6f, -1, 0.8f},
                              .modelNormal = c.n,
                              .modelPosition = c.p};
        const std::optional<TexelPosition> p = shownTexel(scene, at);
        const int row = static_cast<int>(&c - cases);
        ASSERT_EQ(p.has_value(), c.xy.has_value()) << row;
        if (p) {
            EXPECT_EQ(std::make_pair(p->x, p->y), *c.xy) << row;
        }
    }
    Scene world;
    world.addMap(kColorMap24, kWorldBox,
                 world.addImage(db::kColorMap24, 12, 9, coordinateImage(12, 9)));
    const SurfacePoint at{.normal = {0, 0, 1},
                          .position = {0, 0, 1},
                          .modelNormal = {0, -1, 0},
                          .modelPosition = {-0.6f, -1, 0.8f}};
    const std::optional<TexelPosition> p = shownTexel(world, at);
    ASSERT_TRUE(p);
    EXPECT_EQ(std::make_pair(p->x, p->y), std::make_pair(1, 5));
}

TEST(TextureMaps, ColourMapKindsBlendTheirChannels) {
    struct Case {
        const char* name;
        std::int16_t kind;
        std::uint16_t imageKind;
        float mopa;
        Rgba8 expected;
    };
    // Base 102 in every channel, opacity 200; texel 200, 100, 50, alpha 80 (grey 90 at 8 bits).
    const Case cases[] = {
        {"colour 24", kColorMap24, db::kColorMap32, 1, {200, 100, 50, 200}},
        {"half mix is 127 of 255", kColorMap24, db::kColorMap32, 0.5f, {150, 101, 76, 200}},
        {"mix above 1 is held at 255", kColorMap24, db::kColorMap32, 2, {200, 100, 50, 200}},
        {"colour 32 takes the alpha as opacity",
         kColorMap32,
         db::kColorMap32,
         1,
         {200, 100, 50, 80}},
        {"alpha map: opacity only", kAlphaMap, db::kColorMap32, 1, {102, 102, 102, 80}},
        {"kind 1 on a 32-bit image", kMapByImage, db::kColorMap32, 1, {200, 100, 50, 80}},
        {"kind 1 on a 24-bit image", kMapByImage, db::kColorMap24, 1, {200, 100, 50, 200}},
        {"kind 1 on a grey image", kMapByImage, 1, 1, {90, 90, 90, 200}},
        {"a bump map is no colour map", kBumpMap, db::kColorMap32, 1, {102, 102, 102, 200}},
    };
    const std::vector<std::uint8_t> pixels[] = {{90}, {200, 100, 50}, {200, 100, 50, 80}};
    for (const Case& c : cases) {
        Scene scene;
        scene.attribute().rgb = {0.4f, 0.4f, 0.4f};
        scene.addMap(c.kind, kUvMap, scene.addImage(c.imageKind, 1, 1, pixels[c.imageKind - 1]),
                     c.mopa);
        const SurfacePoint at{.u = 0.5f, .v = 0.5f};
        const Rgba8 out = finish(scene.shading(), {{1, 1, 1}, 200}, &at);
        EXPECT_EQ((std::array{out.r, out.g, out.b, out.a}),
                  (std::array{c.expected.r, c.expected.g, c.expected.b, c.expected.a}))
            << c.name;
    }
}

TEST(TextureMaps, FinishAddsTheAdditiveColourAndClamps) {
    Scene scene;
    scene.attribute().arg = {0.1f, 0.1f, 0.1f};
    const Rgba8 plain = finish(scene.shading(), {{10, 300, -60}, 300}, nullptr);
    EXPECT_EQ((std::array{plain.r, plain.g, plain.b, plain.a}),
              (std::array<std::uint8_t, 4>{35, 255, 0, 255}));

    scene.addMap(kColorMap24, kUvMap, scene.addImage(db::kColorMap24, 1, 1, {200, 100, 50}));
    const SurfacePoint at{.u = 0.5f, .v = 0.5f};
    const Rgba8 mapped = finish(scene.shading(), {{0.5f, 2, -1}, 40}, &at);
    EXPECT_EQ((std::array{mapped.r, mapped.g, mapped.b, mapped.a}),
              (std::array<std::uint8_t, 4>{125, 225, 0, 40}));
}

// Damaged stores: the chain ends where a number leaves its store or the walk would go round
// again, and an image outside the texture pool gives no texel.
TEST(TextureMaps, DamagedChainsAndImagesShowTheBase) {
    struct Case {
        const char* name;
        void (*damage)(Scene&);
        std::uint8_t red;
    };
    const Case cases[] = {
        {"intact", [](Scene&) {}, 200},
        {"texture id 0", [](Scene& s) { s.db.mapinfos[1].texId = 0; }, 102},
        {"texture id past the images", [](Scene& s) { s.db.mapinfos[1].texId = 2; }, 102},
        {"mapinfo past the store", [](Scene& s) { s.db.maplists[1].mapinfo = 30000; }, 102},
        {"negative mapinfo", [](Scene& s) { s.db.maplists[1].mapinfo = -3; }, 102},
        {"link past the store ends the chain", [](Scene& s) { s.db.maplists[1].next = 999; }, 200},
        {"a chain round itself ends", [](Scene& s) { s.db.maplists[1].next = 1; }, 200},
        {"image beyond the pool", [](Scene& s) { s.db.mapdatas[1].offset = 2; }, 102},
        {"image larger than its size", [](Scene& s) { s.db.mapdatas[1].width = 2; }, 102},
        {"image of no pixels", [](Scene& s) { s.db.mapdatas[1].height = 0; }, 102},
        {"unknown method", [](Scene& s) { s.db.mapinfos[1].method = 40; }, 102},
    };
    for (const Case& c : cases) {
        Scene scene;
        scene.attribute().rgb = {0.4f, 0.4f, 0.4f};
        scene.addMap(kColorMap24, kUvMap, scene.addImage(db::kColorMap24, 1, 1, {200, 100, 50}));
        c.damage(scene);
        const SurfacePoint at{.u = 0.5f, .v = 0.5f};
        EXPECT_EQ(finish(scene.shading(), {{1, 1, 1}, 255}, &at).r, c.red) << c.name;
    }
}

TEST(TextureMaps, TexelsClampAndWidenToFourChannels) {
    Scene scene;
    const db::Mapdata grey = scene.db.mapdatas[scene.addImage(1, 2, 2, {1, 2, 3, 4})];
    const db::Mapdata rgb = scene.db.mapdatas[scene.addImage(2, 2, 1, {1, 2, 3, 4, 5, 6})];
    using T = std::array<std::uint8_t, 4>;
    EXPECT_EQ(texel(scene.db, grey, -5, 1), (T{3, 3, 3, 3}));
    EXPECT_EQ(texel(scene.db, grey, 9, 9), (T{4, 4, 4, 4}));
    EXPECT_EQ(texel(scene.db, rgb, 1, -1), (T{4, 5, 6, 255}));
}

// A 2 x 2 grey image; the point falls on texel (0, 0) of 100, with 151 to its right and 49
// below: du = 0.2, dv = -0.2.
TEST(TextureMaps, BumpMapsTiltTheNormal) {
    struct Case {
        std::int16_t kind;
        float bump, u;
        Vec3 expected;
    };
    const Case cases[] = {
        {kBumpMap, 1, 0.1f, {-0.19245f, 0.19245f, 0.96225f}},
        {kReversedBumpMap, 1, 0.1f, {0.19245f, -0.19245f, 0.96225f}},
        {kBumpMap, 0.5f, 0.1f, {-0.09901f, 0.09901f, 0.99015f}},
        {kBumpMap, 1, 1.5f, kUp},  // outside the window
        {kIntensityMap, 1, 0.1f, kUp},
    };
    for (const Case& c : cases) {
        Scene scene;
        scene.addMap(c.kind, kUvMap, scene.addImage(1, 2, 2, {100, 151, 49, 0})).bump = c.bump;
        const Vec3 n = perturb(scene.shading(), kUp, {.u = c.u, .v = 0.75f});
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(n[i], c.expected[i], 1e-4) << &c - cases;
    }
}

TEST(SurfaceShading, ShadePointChainsBumpLightIntensityAndColour) {
    Scene scene;
    scene.light(0, kLightPara, {0, 0, 10});
    // Intensity 51 / 255 x gain 2 scales the light factor to 0.4; the colour map is no
    // intensity map and gives the base.
    scene.addMap(kIntensityMap, kUvMap, scene.addImage(1, 1, 1, {51})).bump = 2;
    scene.addMap(kColorMap24, kUvMap, scene.addImage(db::kColorMap24, 1, 1, {200, 100, 50}));
    const Rgba8 c = shadePoint(scene.shading(), {.normal = kUp, .u = 0.5f, .v = 0.5f});
    EXPECT_EQ((std::array{c.r, c.g, c.b, c.a}), (std::array<std::uint8_t, 4>{80, 40, 20, 255}));
}
}  // namespace
}  // namespace rz::render
