// The depth layers of one sample and the fixed work stacks.

#include <gtest/gtest.h>

#include <array>

#include "render/depth_layers.hpp"

namespace rz::test {
namespace {

using render::kEmptyEntry;
using render::ZEntry;

constexpr std::uint8_t kBg[4] = {0, 0, 200, 100};

struct Sample {
    std::array<ZEntry, 4> layers{kEmptyEntry, kEmptyEntry, kEmptyEntry, kEmptyEntry};
    void insert(const ZEntry& e, int count = 4) { render::insertDepth(layers.data(), 1, count, e); }
    render::SampleSum resolve(int count = 4) const {
        render::SampleSum s;
        render::resolveSample(layers.data(), 1, count, kBg, s);
        return s;
    }
};

TEST(DepthLayers, OneLayerKeepsTheNearest) {
    Sample s;
    s.insert({500, 10, 0, 0, 255}, 1);
    s.insert({600, 20, 0, 0, 255}, 1);
    EXPECT_EQ(s.layers[0].r, 10);
    s.insert({400, 30, 0, 0, 128}, 1);
    EXPECT_EQ(s.layers[0].r, 30);
    // Resolved: the colour with full coverage; an empty sample is the background as it was.
    const render::SampleSum full = s.resolve(1);
    EXPECT_EQ(full.r, 30u);
    EXPECT_EQ(full.a, 255u);
    const render::SampleSum empty = Sample{}.resolve(1);
    EXPECT_EQ(empty.b, 200u);
    EXPECT_EQ(empty.a, 100u);
}

TEST(DepthLayers, OpaqueInFrontHidesAndTranslucentIsInsertedInOrder) {
    Sample s;
    s.insert({500, 1, 0, 0, 255});
    s.insert({600, 2, 0, 0, 128});  // behind the opaque one: hidden
    EXPECT_EQ(s.layers[1].depth, render::kEmptyDepth);
    s.insert({300, 3, 0, 0, 128});
    s.insert({400, 4, 0, 0, 128});
    EXPECT_EQ(s.layers[0].r, 3);
    EXPECT_EQ(s.layers[1].r, 4);
    EXPECT_EQ(s.layers[2].r, 1);
    s.insert({350, 5, 0, 0, 255});  // opaque: takes the first deeper layer
    EXPECT_EQ(s.layers[1].r, 5);
    EXPECT_EQ(s.layers[2].r, 1);
}

// Four translucent layers in front of an opaque surface push it out: the background shows
// through what they let pass.
TEST(DepthLayers, FourTranslucentLayersLoseTheOpaqueSurface) {
    Sample s;
    s.insert({900, 255, 255, 255, 255});
    for (int k = 0; k < 4; ++k) s.insert({100 + k * 10, 0, 0, 0, 128});
    for (const ZEntry& e : s.layers) EXPECT_EQ(e.a, 128);
    const render::SampleSum sum = s.resolve();
    EXPECT_EQ(sum.r, 0u);
    // t: 255 -> 127 -> 63 -> 31 -> 15; the background's blue 200 by 15 / 255.
    EXPECT_EQ(sum.b, 200u * 15 / 255);
    EXPECT_EQ(sum.a, 128u + 63 + 31 + 15 + 100u * 15 / 255);
}

TEST(DepthLayers, OpaqueLayerEndsTheResolve) {
    Sample s;
    s.insert({100, 100, 0, 0, 51});
    s.insert({200, 0, 250, 0, 255});
    const render::SampleSum sum = s.resolve();
    // 100 * 255 * 51 / 65025 = 20; t = 204; green 250 * 204 / 255 = 200.
    EXPECT_EQ(sum.r, 20u);
    EXPECT_EQ(sum.g, 200u);
    EXPECT_EQ(sum.b, 0u);
    EXPECT_EQ(sum.a, 51u + 204);
}

template <class Stack>
void fillAndOverflow(Stack& s) {
    for (std::size_t k = 0; k < Stack::kCapacity; ++k) ASSERT_TRUE(s.push({}));
    EXPECT_FALSE(s.push({}));
    EXPECT_EQ(s.pushSlot(), nullptr);
    EXPECT_EQ(s.size(), Stack::kCapacity);
}

TEST(WorkStacks, EachRefusesTheEntryBeyondItsCapacity) {
    auto w = std::make_unique<render::WorkArea>();
    EXPECT_EQ(decltype(w->split)::kCapacity, 200u);
    EXPECT_EQ(decltype(w->count)::kCapacity, 500u);
    EXPECT_EQ(decltype(w->micro)::kCapacity, 400u);
    fillAndOverflow(w->split);
    fillAndOverflow(w->count);
    fillAndOverflow(w->micro);
}

}  // namespace
}  // namespace rz::test
