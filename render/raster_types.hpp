#pragma once
// The small value types of the drawing layer.

#include <algorithm>
#include <cstdint>

namespace rz::render {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(Rgb, Rgb) = default;
};

// How a drawn pixel combines with the one already there, per colour component.
enum class RasterOp : std::uint8_t {
    Copy,  // the colour replaces the pixel
    Or,    // merge
    And,   // mask
    Xor,   // drawing the same thing twice leaves no trace
};

inline constexpr int kRasterOpCount = 4;

// A pixel rectangle in the Windows manner: left and top are inside, right and bottom are
// the first column and row outside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool empty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

inline Rect intersect(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(Size, Size) = default;
};

}  // namespace rz::render
