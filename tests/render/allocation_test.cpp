// Drawing must not allocate: the views draw thousands of segments a frame from a worker
// thread. Operator new is replaced in this program (counting_new.cpp) to count what the
// operations ask for.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "counting_new.hpp"
#include "render/raster.hpp"

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
    const long before = test::allocationCount();
    drawAll();
    EXPECT_EQ(test::allocationCount(), before);
}

}  // namespace
}  // namespace rz::render
