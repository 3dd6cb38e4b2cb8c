#pragma once
// Combining one colour into 24-bit pixels. The operation is a template argument so the
// inner loops carry no per-pixel choice; callers pick the instantiation once, through a
// table indexed by the operation.

#include <array>
#include <cstddef>
#include <cstdint>

#include "render/raster_types.hpp"

namespace rz::render::detail {

template <RasterOp Op>
inline void combine(std::uint8_t* p, Rgb c) {
    if constexpr (Op == RasterOp::Copy) {
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    } else if constexpr (Op == RasterOp::Or) {
        p[0] |= c.r;
        p[1] |= c.g;
        p[2] |= c.b;
    } else if constexpr (Op == RasterOp::And) {
        p[0] &= c.r;
        p[1] &= c.g;
        p[2] &= c.b;
    } else {
        p[0] ^= c.r;
        p[1] ^= c.g;
        p[2] ^= c.b;
    }
}

// `count` pixels to the right of p.
template <RasterOp Op>
void combineSpan(std::uint8_t* p, int count, Rgb c) {
    for (int i = 0; i < count; ++i, p += 3) combine<Op>(p, c);
}

using SpanFn = void (*)(std::uint8_t*, int, Rgb);

inline constexpr std::array<SpanFn, kRasterOpCount> kSpanFns = {
    combineSpan<RasterOp::Copy>, combineSpan<RasterOp::Or>, combineSpan<RasterOp::And>,
    combineSpan<RasterOp::Xor>};

// The operation's row in a table of kRasterOpCount entries, or kRasterOpCount for a value
// outside the enumeration (which draws nothing).
inline std::size_t opIndex(RasterOp op) {
    const auto i = static_cast<std::size_t>(op);
    return i < kRasterOpCount ? i : kRasterOpCount;
}

}  // namespace rz::render::detail
