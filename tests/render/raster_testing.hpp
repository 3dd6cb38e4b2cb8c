#pragma once
// Helpers shared by the drawing-layer tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "render/raster.hpp"

namespace rz::render::testing {

using Pixels = std::vector<std::pair<int, int>>;

inline Raster makeRaster(int width, int height) {
    Raster raster;
    EXPECT_EQ(raster.resize(width, height), ImageStatus::Ok);
    return raster;
}

// The pixels that are not `background`, in row-major order.
inline Pixels pixelsNot(const Raster& raster, Rgb background = {}) {
    Pixels found;
    const auto bytes = raster.pixels();
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) {
        if (Rgb{bytes[i], bytes[i + 1], bytes[i + 2]} != background) {
            const auto pixel = static_cast<int>(i / 3);
            found.emplace_back(pixel % raster.width(), pixel / raster.width());
        }
    }
    return found;
}

inline Pixels sorted(Pixels pixels) {
    std::sort(pixels.begin(), pixels.end(), [](const auto& a, const auto& b) {
        return std::pair(a.second, a.first) < std::pair(b.second, b.first);
    });
    return pixels;
}

}  // namespace rz::render::testing
