// Drawing the views must not allocate: the camera and view commands run again and again on
// the same started workstation, and the views are drawn from a worker thread later.
// Operator new is replaced in this program to count what the commands ask for.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "db/settings.hpp"
#include "platform/null_sink.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

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

// Messages go nowhere, so only the commands' own allocations count.
TEST(ViewsAllocation, CameraAndViewCommandsAllocateNothing) {
    platform::NullSink sink;
    workstation::Workstation w(sink);
    w.start(db::Settings{});
    script::Interp& in = w.interp;
    script::execCommandString(in, 0,
                              "box.s = (0, 0, 0); box.e = (1000, 600, 800); boxgen2 box.s, box.e;"
                              "ballgen1 box.s, box.e, 12; corngen1 box.s, box.e, 8, Y.DIR;");
    ASSERT_GE(w.db.shapeCount, 3);
    w.db.shapes[1].layer = 10;
    const char* statements =
        "autoview; angle.y (10); fowardall (5); undoview; winmode = W4.MODE; winclear;"
        "wire; wire ALL.DRAW, X.BBOX; wire L.ACTIVE, O.ABOX; parswire; wire.detail 0; wire;"
        "wire.detail 1; bcurgen box.s, box.e; parswinclear; windisp; capture;";
    // The first run finds the font and renders its glyphs.
    script::execCommandString(in, 0, statements);
    const long before = gAllocations.load();
    script::execCommandString(in, 0, statements);
    EXPECT_EQ(gAllocations.load(), before);
    EXPECT_EQ(w.msg.errorCount(), 0);
}

}  // namespace
}  // namespace rz::render
