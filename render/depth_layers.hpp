#pragma once
// The depth layers of one sample: insertion of a micropolygon's sample, and the sample
// resolved over the background. A sample's layer k lies `plane` entries after layer k - 1.

#include <array>
#include <cstddef>
#include <cstdint>

#include "render/render_state.hpp"

namespace rz::render {

inline constexpr std::uint8_t kOpaque = 255;

// One layer: the nearer sample stays. Four layers, nearest first: an opaque layer at or in
// front of the sample hides it, a translucent one lets it further; at the first deeper
// layer an opaque sample takes that layer and a translucent one is put in front of it, the
// deepest layer falling off the end.
inline void insertDepth(ZEntry* sample, std::size_t plane, int layers, const ZEntry& e) {
    if (layers == 1) {
        if (e.depth < sample->depth) *sample = e;
        return;
    }
    for (int k = 0; k < 4; ++k) {
        ZEntry& layer = sample[k * plane];
        if (layer.depth == kEmptyDepth) {
            layer = e;
            return;
        }
        if (layer.depth <= e.depth) {
            if (layer.a == kOpaque) return;
            continue;
        }
        if (e.a != kOpaque)
            for (int j = 3; j > k; --j) sample[j * plane] = sample[(j - 1) * plane];
        layer = e;
        return;
    }
}

// Red, green, blue and coverage of one sample, before the pixel's average.
struct SampleSum {
    std::uint32_t r = 0;
    std::uint32_t g = 0;
    std::uint32_t b = 0;
    std::uint32_t a = 0;
};

// The sample over the background colour `bg` (its fourth byte the coverage it had).
inline void resolveSample(const ZEntry* sample, std::size_t plane, int layers,
                          const std::uint8_t* bg, SampleSum& sum) {
    if (layers == 1) {
        if (sample->depth == kEmptyDepth) {
            sum.r += bg[0];
            sum.g += bg[1];
            sum.b += bg[2];
            sum.a += bg[3];
        } else {
            sum.r += sample->r;
            sum.g += sample->g;
            sum.b += sample->b;
            sum.a += kOpaque;
        }
        return;
    }
    std::uint32_t t = 255;
    for (int k = 0; k < 4; ++k) {
        const ZEntry& layer = sample[k * plane];
        if (layer.depth == kEmptyDepth) break;
        if (layer.a == kOpaque) {
            sum.r += layer.r * t / 255;
            sum.g += layer.g * t / 255;
            sum.b += layer.b * t / 255;
            sum.a += t;
            return;
        }
        const std::uint32_t a = layer.a;
        sum.r += layer.r * t * a / 65025;
        sum.g += layer.g * t * a / 65025;
        sum.b += layer.b * t * a / 65025;
        sum.a += t * a * 255 / 65025;
        t = (255 - a) * t / 255;
    }
    // What the layers let through of the background, its coverage in the same share.
    sum.r += bg[0] * t / 255;
    sum.g += bg[1] * t / 255;
    sum.b += bg[2] * t / 255;
    sum.a += bg[3] * t / 255;
}

}  // namespace rz::render
