// Many worker starts, stops and waits in a row; run under ThreadSanitizer by the test script.

#include <gtest/gtest.h>

#include <thread>

#include "render/drawing_threads.hpp"
#include "render/render_messages.hpp"
#include "tests/render/drawing_threads_scene.hpp"

namespace rz::test {
namespace {

constexpr int kCycles = 200;

class DrawingThreadsStress : public ThreadScene {};

// Stops come from a third thread at varying moments, or as a cancel from the progress
// report; each render ends, says how, and leaves the interpreter ready for the next.
TEST_F(DrawingThreadsStress, RendersStoppedAndWaitedFor) {
    int ended = 0;
    for (int k = 0; k < kCycles; ++k) {
        run("drawmode RAPID; cinit CBUF.FILL, (0, 0, 0);");
        const bool cancel = k % 2 == 0;
        if (cancel) w.renderer.progress = [&](int, int) { w.threads.cancelRender(); };
        std::thread stopper([&, k] {
            if (cancel) return;
            std::this_thread::sleep_for(std::chrono::microseconds(k % 7 * 300));
            in.interrupted.store(true);
        });
        run("draw.thread; threadwait;");
        stopper.join();
        w.renderer.progress = nullptr;
        in.interrupted.store(false);
        for (const std::string& text : consoleTexts())
            if (text == render::msg::kDrawDone || text == render::msg::kDrawAborted) ++ended;
        ASSERT_FALSE(w.threads.rendering());
    }
    // A stop that came after the render had ended stopped the statements before another.
    EXPECT_GT(ended, kCycles / 2);
    EXPECT_LE(ended, kCycles);
}

TEST_F(DrawingThreadsStress, ViewDrawingsInterruptedByTheNext) {
    addBalls(20);
    w.threads.viewPause = std::chrono::milliseconds(0);
    int stopped = 0;
    for (int k = 0; k < kCycles; ++k) {
        run("wire.thread;");
        if (k % 3 == 0)
            while (w.threads.viewsRunning() && w.threads.viewShapesDrawn() < 2)
                std::this_thread::yield();
        const bool again = k % 2 == 0;
        run(again ? "wire.thread;" : "wire L.ACTIVE;");
        if (!again && !w.threads.viewsComplete()) ++stopped;
    }
    run("threadwait;");
    EXPECT_FALSE(w.threads.viewsRunning());
    EXPECT_GT(stopped, 0);
}

}  // namespace
}  // namespace rz::test
