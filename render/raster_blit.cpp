#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "render/raster.hpp"

namespace rz::render {
namespace {

constexpr int kThumbnailWidth = 160;
constexpr int kThumbnailHeight = 120;

std::int64_t ceilDiv(std::int64_t n, std::int64_t d) {
    return (n + d - 1) / d;
}

// `count` destination pixels from every step-th source pixel; grey is repeated into red,
// green and blue, a fourth byte (coverage or alpha) is left behind.
template <int BytesPerPixel>
void copyRow(std::uint8_t* to, const std::uint8_t* from, std::int64_t count, std::int64_t step) {
    const std::int64_t stride = step * BytesPerPixel;
    for (std::int64_t j = 0; j < count; ++j, to += 3) {
        const std::uint8_t* p = from + j * stride;
        if constexpr (BytesPerPixel == 1) {
            to[0] = to[1] = to[2] = p[0];
        } else {
            to[0] = p[0];
            to[1] = p[1];
            to[2] = p[2];
        }
    }
}

struct RowCopier {
    int bytesPerPixel;
    void (*copy)(std::uint8_t*, const std::uint8_t*, std::int64_t, std::int64_t);
};

constexpr std::array<RowCopier, 3> kRowCopiers = {
    {{1, copyRow<1>}, {3, copyRow<3>}, {4, copyRow<4>}}};

// The steps j >= 0 for which base + j·step lies in [low, high) and at + j in [clipLow,
// clipHigh): the half-open range [first, end).
struct Steps {
    std::int64_t first;
    std::int64_t end;
};

Steps stepsWithin(int base, int low, int high, std::int64_t step, int at, int clipLow,
                  int clipHigh) {
    return {std::max(ceilDiv(std::int64_t{low} - base, step), std::int64_t{clipLow} - at),
            std::min(ceilDiv(std::int64_t{high} - base, step), std::int64_t{clipHigh} - at)};
}

}  // namespace

int thumbnailStep(int width, int height) {
    const std::int64_t across = ceilDiv(std::max(width, 0), kThumbnailWidth);
    const std::int64_t down = ceilDiv(std::max(height, 0), kThumbnailHeight);
    return static_cast<int>(std::max<std::int64_t>({1, across, down}));
}

bool Raster::blit(const SourceImage& source, const Rect& from, int toX, int toY, int step) {
    const auto copier =
        std::find_if(kRowCopiers.begin(), kRowCopiers.end(),
                     [&](const RowCopier& c) { return c.bytesPerPixel == source.bytesPerPixel; });
    if (copier == kRowCopiers.end() || step < 1 || source.width < 0 || source.height < 0) {
        return false;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(source.width) * copier->bytesPerPixel;
    if (rowBytes != 0 && static_cast<std::size_t>(source.height) > source.bytes.size() / rowBytes) {
        return false;
    }
    const Rect inside = intersect(from, Rect{0, 0, source.width, source.height});
    if (inside.empty()) return true;
    const Steps columns =
        stepsWithin(from.left, inside.left, inside.right, step, toX, clip_.left, clip_.right);
    const Steps rows =
        stepsWithin(from.top, inside.top, inside.bottom, step, toY, clip_.top, clip_.bottom);
    if (columns.first >= columns.end || rows.first >= rows.end) return true;
    for (std::int64_t i = rows.first; i < rows.end; ++i) {
        const std::int64_t sourceRow = from.top + i * step;
        const std::int64_t sourceColumn = from.left + columns.first * step;
        const std::uint8_t* start = source.bytes.data() +
                                    sourceRow * static_cast<std::int64_t>(rowBytes) +
                                    sourceColumn * copier->bytesPerPixel;
        copier->copy(at(static_cast<int>(toX + columns.first), static_cast<int>(toY + i)), start,
                     columns.end - columns.first, step);
    }
    return true;
}

bool Raster::blitThumbnail(const SourceImage& source, int toX, int toY) {
    return blit(source, Rect{0, 0, source.width, source.height}, toX, toY,
                thumbnailStep(source.width, source.height));
}

}  // namespace rz::render
