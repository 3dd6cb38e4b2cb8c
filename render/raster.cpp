#include "render/raster.hpp"

#include <cstdint>

#include "platform/store_allocation.hpp"
#include "render/raster_ops.hpp"

namespace rz::render {

ImageStatus Raster::resize(int width, int height) {
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
        return ImageStatus::BadSize;
    if (width == width_ && height == height_) return ImageStatus::Ok;
    // The new image is had before the old one goes, so a failure leaves the old in place.
    std::vector<std::uint8_t> image;
    const std::size_t bytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
    if (!platform::allocateStore(image, bytes)) return ImageStatus::NoMemory;
    image_.swap(image);
    width_ = width;
    height_ = height;
    resetClip();
    return ImageStatus::Ok;
}

std::optional<Rgb> Raster::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return std::nullopt;
    const std::uint8_t* p =
        image_.data() + static_cast<std::size_t>(y) * stride() + static_cast<std::size_t>(x) * 3;
    return Rgb{p[0], p[1], p[2]};
}

void Raster::setClip(const Rect& clip) {
    clip_ = intersect(clip, Rect{0, 0, width_, height_});
}

void Raster::resetClip() {
    clip_ = Rect{0, 0, width_, height_};
}

void Raster::fillRect(const Rect& rect, Rgb colour, RasterOp op) {
    const std::size_t opRow = detail::opIndex(op);
    const Rect r = intersect(rect, clip_);
    if (opRow == kRasterOpCount || r.empty()) return;
    const detail::SpanFn span = detail::kSpanFns[opRow];
    for (int y = r.top; y < r.bottom; ++y) span(at(r.left, y), r.right - r.left, colour);
}

void Raster::frameRect(const Rect& rect, Rgb colour, RasterOp op) {
    if (rect.empty()) return;
    // Four edges that share no pixel, so XOR frames erase cleanly; a frame one pixel high or
    // wide is its top edge or left edge alone.
    fillRect({rect.left, rect.top, rect.right, rect.top + 1}, colour, op);
    if (std::int64_t{rect.bottom} - rect.top < 2) return;
    fillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour, op);
    fillRect({rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1}, colour, op);
    if (std::int64_t{rect.right} - rect.left < 2) return;
    fillRect({rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1}, colour, op);
}

}  // namespace rz::render
