// The per-vertex light cache: each vertex and side is shaded once per render, the two sides
// are kept apart, and a new render (or one with more vertices) shades again.
#include <gtest/gtest.h>

#include <cstddef>

#include "render/vertex_lights.hpp"

namespace rz::render {
namespace {

struct Counted {
    VertexLights cache;
    int shaded = 0;
    // The light of (vertex, side), its opacity naming what was shaded and in which call.
    float ask(std::size_t vertex, bool negated) {
        return cache
            .lit(vertex, negated,
                 [&] {
                     ++shaded;
                     Lit lit;
                     lit.opacity = static_cast<float>(vertex * 10 + (negated ? 1 : 0)) +
                                   static_cast<float>(shaded) * 1000.0f;
                     return lit;
                 })
            .opacity;
    }
};

TEST(VertexLights, ShadesEachVertexAndSideOncePerRender) {
    Counted c;
    c.cache.begin(4);
    const float first = c.ask(3, false);
    EXPECT_EQ(c.ask(3, false), first);
    EXPECT_EQ(c.shaded, 1);
    const float other = c.ask(3, true);
    EXPECT_NE(other, first);
    EXPECT_EQ(c.ask(3, true), other);
    EXPECT_EQ(c.shaded, 2);

    c.cache.begin(4);
    EXPECT_NE(c.ask(3, false), first);
    EXPECT_EQ(c.shaded, 3);
}

TEST(VertexLights, GrowsForLargerRendersAndForgetsTheLastOne) {
    Counted c;
    c.cache.begin(2);
    c.ask(1, false);
    c.cache.begin(100);
    EXPECT_GE(c.cache.size(), 100u);
    c.ask(1, false);
    c.ask(99, true);
    EXPECT_EQ(c.shaded, 3);
    c.cache.begin(3);
    EXPECT_GE(c.cache.size(), 100u);
    c.ask(99, true);
    EXPECT_EQ(c.shaded, 4);
}

// A vertex beyond the cache (it could not grow) is shaded every time rather than read past it.
TEST(VertexLights, AVertexBeyondTheCacheIsShadedEachTime) {
    Counted c;
    c.cache.begin(2);
    const std::size_t beyond = c.cache.size();
    c.ask(beyond, false);
    c.ask(beyond, false);
    EXPECT_EQ(c.shaded, 2);
}

}  // namespace
}  // namespace rz::render
