#include "render/raster_lines.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>

#include "render/raster.hpp"
#include "render/raster_ops.hpp"

namespace rz::render {
namespace {

// The offsets i for which start + sign·i lies in [low, high].
struct Range {
    std::int64_t first;
    std::int64_t last;
};

Range offsetsWithin(std::int64_t start, int sign, int low, int high) {
    return sign > 0 ? Range{low - start, high - start} : Range{start - high, start - low};
}

std::int64_t ceilDiv(std::int64_t n, std::int64_t d) {
    return n >= 0 ? (n + d - 1) / d : -((-n) / d);
}

// With M major and m minor pixels (0 < m <= M < 2^32) the minor offset of step i is
// f(i) = floor((2·i·m + M) / (2·M)). The products below take up to 64 bits, so k·M is
// formed unsigned and divided by m before the small remainder terms are added.

// The first step with f(i) >= k, for 0 < k <= m: ceil((2k − 1)·M / (2m)).
std::int64_t firstStepReaching(std::int64_t k, std::int64_t major, std::int64_t minor) {
    const std::uint64_t p = static_cast<std::uint64_t>(k) * static_cast<std::uint64_t>(major);
    const auto q = static_cast<std::int64_t>(p / static_cast<std::uint64_t>(minor));
    const auto r = static_cast<std::int64_t>(p % static_cast<std::uint64_t>(minor));
    return q + ceilDiv(2 * r - major, 2 * minor);
}

// The last step with f(i) <= k, for 0 <= k < m: floor(((2k + 1)·M − 1) / (2m)).
std::int64_t lastStepWithin(std::int64_t k, std::int64_t major, std::int64_t minor) {
    const std::uint64_t p = static_cast<std::uint64_t>(k) * static_cast<std::uint64_t>(major);
    const auto q = static_cast<std::int64_t>(p / static_cast<std::uint64_t>(minor));
    const auto r = static_cast<std::int64_t>(p % static_cast<std::uint64_t>(minor));
    return q + (2 * r + major - 1) / (2 * minor);
}

template <RasterOp Op>
void walk(std::uint8_t* p, std::ptrdiff_t majorStep, std::ptrdiff_t minorStep, const LineRun& run,
          Rgb colour) {
    std::int64_t error = run.error;
    detail::combine<Op>(p, colour);
    for (std::int64_t n = run.count - 1; n > 0; --n) {
        p += majorStep;
        error += run.errorUp;
        if (error >= 0) {
            p += minorStep;
            error -= run.errorDown;
        }
        detail::combine<Op>(p, colour);
    }
}

using WalkFn = void (*)(std::uint8_t*, std::ptrdiff_t, std::ptrdiff_t, const LineRun&, Rgb);

constexpr std::array<WalkFn, kRasterOpCount> kWalks = {walk<RasterOp::Copy>, walk<RasterOp::Or>,
                                                       walk<RasterOp::And>, walk<RasterOp::Xor>};

}  // namespace

std::optional<LineRun> clipLine(int x0, int y0, int x1, int y1, const Rect& clip) {
    if (clip.empty()) return std::nullopt;
    struct Axis {
        std::int64_t start;
        std::int64_t delta;
        int low;  // the clip's first and last pixel on this axis
        int high;
    };
    const Axis ax{x0, std::int64_t{x1} - x0, clip.left, clip.right - 1};
    const Axis ay{y0, std::int64_t{y1} - y0, clip.top, clip.bottom - 1};
    const bool xMajor = std::abs(ax.delta) >= std::abs(ay.delta);
    const Axis& major = xMajor ? ax : ay;
    const Axis& minor = xMajor ? ay : ax;
    const std::int64_t majorLength = std::abs(major.delta);
    const std::int64_t minorLength = std::abs(minor.delta);
    if (majorLength == 0) return std::nullopt;
    const int majorSign = major.delta > 0 ? 1 : -1;
    const int minorSign = minor.delta < 0 ? -1 : 1;

    // Steps 0 .. M−1 (the end point is not drawn), cut to the clip along the major axis ...
    const Range majorSteps = offsetsWithin(major.start, majorSign, major.low, major.high);
    std::int64_t first = std::max<std::int64_t>(0, majorSteps.first);
    std::int64_t last = std::min(majorLength - 1, majorSteps.last);
    // ... and along the minor axis, where f(i) runs from 0 to at most m.
    const Range minorOffsets = offsetsWithin(minor.start, minorSign, minor.low, minor.high);
    if (minorOffsets.last < 0 || minorOffsets.first > minorLength) return std::nullopt;
    if (minorOffsets.first > 0) {
        first = std::max(first, firstStepReaching(minorOffsets.first, majorLength, minorLength));
    }
    if (minorOffsets.last < minorLength) {
        last = std::min(last, lastStepWithin(minorOffsets.last, majorLength, minorLength));
    }
    if (first > last) return std::nullopt;

    // f(first) and the error term there: 2·first·m + M = 2·f·M + rest, rest in [0, 2M).
    const std::uint64_t p =
        static_cast<std::uint64_t>(first) * static_cast<std::uint64_t>(minorLength);
    const auto q = static_cast<std::int64_t>(p / static_cast<std::uint64_t>(majorLength));
    const auto r = static_cast<std::int64_t>(p % static_cast<std::uint64_t>(majorLength));
    const std::int64_t numerator = 2 * r + majorLength;
    const std::int64_t minorOffset = q + numerator / (2 * majorLength);

    const auto a = static_cast<int>(major.start + majorSign * first);
    const auto b = static_cast<int>(minor.start + minorSign * minorOffset);
    LineRun run;
    run.x = xMajor ? a : b;
    run.y = xMajor ? b : a;
    run.count = last - first + 1;
    run.majorX = xMajor ? majorSign : 0;
    run.majorY = xMajor ? 0 : majorSign;
    run.minorX = xMajor ? 0 : minorSign;
    run.minorY = xMajor ? minorSign : 0;
    run.errorUp = 2 * minorLength;
    run.errorDown = 2 * majorLength;
    run.error = numerator % (2 * majorLength) - run.errorDown;
    return run;
}

void Raster::line(int x0, int y0, int x1, int y1, Rgb colour, RasterOp op) {
    drawLine(x0, y0, x1, y1, colour, op, clip_);
}

void Raster::line(int x0, int y0, int x1, int y1, Rgb colour, RasterOp op, const Rect& within) {
    drawLine(x0, y0, x1, y1, colour, op, intersect(within, clip_));
}

void Raster::drawLine(int x0, int y0, int x1, int y1, Rgb colour, RasterOp op, const Rect& clip) {
    const std::size_t opRow = detail::opIndex(op);
    if (opRow == kRasterOpCount) return;
    const std::optional<LineRun> run = clipLine(x0, y0, x1, y1, clip);
    if (!run) return;
    const auto rowStep = static_cast<std::ptrdiff_t>(stride());
    const std::ptrdiff_t majorStep = run->majorX * 3 + run->majorY * rowStep;
    const std::ptrdiff_t minorStep = run->minorX * 3 + run->minorY * rowStep;
    kWalks[opRow](at(run->x, run->y), majorStep, minorStep, *run, colour);
}

}  // namespace rz::render
