// Drawing must not allocate: the views draw thousands of segments a frame from a worker
// thread. Operator new is replaced in this program to count what the operations ask for.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include "render/raster.hpp"

namespace {

std::atomic<long> gAllocations{0};

}  // namespace

namespace {

void* counted(std::size_t size) noexcept {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

// Every ordinary form is replaced, so each pointer is freed by the library that gave it.
// Out of line, so the compiler does not pair an inlined free() with a new expression.
[[gnu::noinline]] void* operator new(std::size_t size) {
    if (void* p = counted(size)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void* operator new[](std::size_t size) {
    if (void* p = counted(size)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return counted(size);
}
[[gnu::noinline]] void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return counted(size);
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete[](void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace rz::render {
namespace {

TEST(Allocation, DrawingOperationsAllocateNothing) {
    Raster raster;
    ASSERT_EQ(raster.resize(320, 240), ImageStatus::Ok);
    // Without a font text draws nothing, and the rest is still checked.
    static_cast<void>(raster.loadFont());
    const std::vector<std::uint8_t> texture(64 * 48 * 4, 77);
    const SourceImage source{texture, 64, 48, 4};
    const auto drawAll = [&] {
        raster.setClip({10, 10, 300, 200});
        raster.line(-1'000'000'000, 5, 1'000'000'000, 230, Rgb{1, 2, 3}, RasterOp::Xor);
        raster.line(0, 0, 319, 239, Rgb{1, 2, 3}, RasterOp::Or, Rect{0, 0, 100, 100});
        raster.fillRect({20, 20, 200, 100}, Rgb{9, 9, 9}, RasterOp::And);
        raster.frameRect({5, 5, 310, 230}, Rgb{9, 9, 9});
        raster.blit(source, {0, 0, 64, 48}, 30, 30);
        raster.blitThumbnail(source, 100, 100);
        raster.text(12, 12, "scale: 500.000 上面図", Rgb{1, 1, 1}, Rgb{2, 2, 2});
        raster.text(12, 40, "\x90\xb3\x96\xca\x90\x7d", Rgb{1, 1, 1}, Rgb{2, 2, 2});
        raster.resetClip();
        static_cast<void>(raster.pixel(3, 3));
    };
    drawAll();  // glyphs are rendered into the cache on first use
    const long before = gAllocations.load();
    drawAll();
    EXPECT_EQ(gAllocations.load(), before);
}

}  // namespace
}  // namespace rz::render
