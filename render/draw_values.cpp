#include "render/draw_values.hpp"

#include <algorithm>
#include <array>

namespace rz::render {
namespace {

struct ValueRow {
    int value;
    WireValue wire;
};

using enum WireKind;
using enum WireStyle;

constexpr std::array<ValueRow, 26> kValues{{
    {0, {Wire, ByLayer}},        {13, {Bbox, ByLayer}},       {14, {Pbox, ByLayer}},
    {22, {Abox, ByLayer, true}}, {23, {Bbox, ByLayer, true}}, {24, {Pbox, ByLayer}},
    {100, {Wire, White}},        {103, {Bbox, White}},        {104, {Pbox, White}},
    {110, {Wire, ByLayer}},      {112, {Abox, ByLayer}},      {113, {Bbox, ByLayer}},
    {114, {Pbox, ByLayer}},      {200, {Wire, XorActive}},    {202, {Abox, XorActive}},
    {203, {Bbox, XorActive}},    {204, {Pbox, XorActive}},    {210, {Wire, AndWhite}},
    {212, {Abox, AndWhite}},     {213, {Bbox, AndWhite}},     {214, {Pbox, AndWhite}},
    {220, {Wire, OrActive}},     {222, {Abox, OrActive}},     {223, {Bbox, OrActive}},
    {224, {Pbox, OrActive}},     {kNoDraw, {Pbox, ByLayer}},
}};

struct StyleRow {
    WireStyle style;
    WirePen pen;
};

constexpr std::array<StyleRow, 4> kStyles{{
    {White, {db::WireColour::White, RasterOp::Copy}},
    {XorActive, {db::WireColour::Active, RasterOp::Xor}},
    {AndWhite, {db::WireColour::White, RasterOp::And}},
    {OrActive, {db::WireColour::Active, RasterOp::Or}},
}};

WirePen layerPen(int layer) {
    if (layer == kLayerNormal || layer == kLayerSelect) return {db::WireColour::White};
    if (layer == kLayerGuide) return {db::WireColour::Active, RasterOp::Xor};
    return {db::WireColour::Layer};
}

}  // namespace

std::optional<WireValue> wireValue(int value) {
    const auto row = std::find_if(kValues.begin(), kValues.end(),
                                  [&](const ValueRow& r) { return r.value == value; });
    if (row == kValues.end()) return std::nullopt;
    return row->wire;
}

std::optional<WirePen> wirePen(WireStyle style, int layer) {
    if (layer == kLayerHide) return std::nullopt;
    const auto row = std::find_if(kStyles.begin(), kStyles.end(),
                                  [&](const StyleRow& r) { return r.style == style; });
    return row == kStyles.end() ? layerPen(layer) : row->pen;
}

}  // namespace rz::render
