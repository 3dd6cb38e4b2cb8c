#pragma once
// The OpenGL preview's view modes and sizes: what each draws, the text that confirms it,
// and the part of the window each size fills.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "render/gl_messages.hpp"

namespace rz::render {

inline constexpr std::uint8_t kGlFlatShade = 11;  // the mode at start-up and after a bad one
inline constexpr std::uint8_t kGlHalfSize = 1;    // the size at start-up and after a bad one
inline constexpr std::uint8_t kGlFullSize = 2;

struct GlViewMode {
    std::uint8_t mode;
    bool lines;           // outlines instead of filled faces
    bool smoothAllowed;   // per-vertex normals where the attribute asks for them
    bool textureAllowed;  // map images where the attribute asks for them
    std::string_view text;
};

// Modes 1 and 2 draw alike: both are lines with the same settings.
inline constexpr std::array<GlViewMode, 6> kGlViewModes{{
    {1, true, false, false, msg::kGlWireframe},
    {2, true, false, false, msg::kGlDepthWire},
    {11, false, false, false, msg::kGlFlat},
    {12, false, false, true, msg::kGlFlatMap},
    {21, false, true, false, msg::kGlSmooth},
    {22, false, true, true, msg::kGlSmoothMap},
}};

constexpr std::optional<GlViewMode> glViewMode(int mode) {
    for (const GlViewMode& m : kGlViewModes)
        if (m.mode == mode) return m;
    return std::nullopt;
}

struct GlViewSize {
    std::uint8_t size;
    std::string_view text;
};

inline constexpr std::array<GlViewSize, 2> kGlViewSizes{{
    {kGlHalfSize, msg::kGlHalfSize},
    {kGlFullSize, msg::kGlFullSize},
}};

struct GlViewport {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const GlViewport&, const GlViewport&) = default;
};

// The viewport in a client area of width x height: the whole of it at full size, the
// centred half of each side otherwise.
constexpr GlViewport glViewport(int size, int width, int height) {
    if (size == kGlFullSize) return {0, 0, width, height};
    return {width / 4, height / 4, width / 2, height / 2};
}

}  // namespace rz::render
