// The wireframe draw values: what each value draws, the colour and raster operation of each
// prefix and layer, hidden records, and the layer filter.
#include <gtest/gtest.h>

#include <optional>

#include "render/draw_values.hpp"

namespace rz::render {
namespace {

using db::WireColour;
using enum WireKind;
using enum WireStyle;

TEST(DrawValues, UnitsSelectWhatAndPrefixesHow) {
    struct Case {
        int value;
        WireKind kind;
        WireStyle style;
        bool regenerate;
    };
    const Case cases[] = {
        {0, Wire, ByLayer, false},     {13, Bbox, ByLayer, false},    {14, Pbox, ByLayer, false},
        {22, Abox, ByLayer, true},     {23, Bbox, ByLayer, true},     {24, Pbox, ByLayer, false},
        {100, Wire, White, false},     {103, Bbox, White, false},     {104, Pbox, White, false},
        {110, Wire, ByLayer, false},   {112, Abox, ByLayer, false},   {113, Bbox, ByLayer, false},
        {114, Pbox, ByLayer, false},   {200, Wire, XorActive, false}, {202, Abox, XorActive, false},
        {203, Bbox, XorActive, false}, {204, Pbox, XorActive, false}, {210, Wire, AndWhite, false},
        {212, Abox, AndWhite, false},  {213, Bbox, AndWhite, false},  {214, Pbox, AndWhite, false},
        {220, Wire, OrActive, false},  {222, Abox, OrActive, false},  {223, Bbox, OrActive, false},
        {224, Pbox, OrActive, false},  {99, Pbox, ByLayer, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const std::optional<WireValue> v = wireValue(c.value);
        ASSERT_TRUE(v);
        EXPECT_EQ(v->kind, c.kind);
        EXPECT_EQ(v->style, c.style);
        EXPECT_EQ(v->regenerateBoxes, c.regenerate);
    }
    // Render modes are the renderer's; the rest are no draw values at all.
    for (const int none : {1, 4, 7, 2, 12, 102, 111, 201, 225, 300, -1}) {
        EXPECT_FALSE(wireValue(none)) << none;
    }
    for (int mode = 1; mode <= 7; ++mode) EXPECT_TRUE(isRenderMode(mode));
    EXPECT_FALSE(isRenderMode(0));
    EXPECT_FALSE(isRenderMode(99));
}

TEST(DrawValues, PenOfEachPrefixAndLayer) {
    struct Case {
        WireStyle style;
        int layer;
        std::optional<WirePen> pen;
    };
    const WirePen white{WireColour::White, RasterOp::Copy};
    const WirePen layer{WireColour::Layer, RasterOp::Copy};
    const WirePen guide{WireColour::Active, RasterOp::Xor};
    const Case cases[] = {
        {ByLayer, 0, white},
        {ByLayer, 100, white},
        {ByLayer, 10, guide},
        {ByLayer, 1, layer},
        {ByLayer, 101, layer},
        {ByLayer, 20, layer},
        {ByLayer, 2, std::nullopt},
        {White, 1, white},
        {White, 10, white},
        {White, 2, std::nullopt},
        {XorActive, 0, WirePen{WireColour::Active, RasterOp::Xor}},
        {XorActive, 2, std::nullopt},
        {AndWhite, 1, WirePen{WireColour::White, RasterOp::And}},
        {OrActive, 10, WirePen{WireColour::Active, RasterOp::Or}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "style " << static_cast<int>(c.style) << " layer " << c.layer);
        const std::optional<WirePen> pen = wirePen(c.style, c.layer);
        ASSERT_EQ(pen.has_value(), c.pen.has_value());
        if (!pen) continue;
        EXPECT_EQ(pen->colour, c.pen->colour);
        EXPECT_EQ(pen->op, c.pen->op);
    }
}

TEST(DrawValues, LayerFilter) {
    struct Case {
        int target;
        int layer;
        bool passes;
    };
    const Case cases[] = {
        {-1, 0, true},    {-1, 110, true}, {-5, 2, true},   {100, 100, true}, {100, 110, true},
        {100, 99, false}, {1, 1, true},    {1, 101, false}, {0, 1, false},    {10, 10, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(passesLayerFilter(c.target, c.layer), c.passes) << c.target << ", " << c.layer;
}

}  // namespace
}  // namespace rz::render
