// draw.thread, wire.thread and threadwait on a started workstation, without a window.

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "render/drawing_threads.hpp"
#include "render/render_messages.hpp"
#include "script/messages.hpp"
#include "tests/render/drawing_threads_scene.hpp"

namespace rz::test {
namespace {

class DrawingThreads : public ThreadScene {};

int countOf(const std::vector<std::string>& texts, std::string_view text) {
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

bool anyScreenCount(const platform::RecordingSink& sink) {
    return std::any_of(sink.log.begin(), sink.log.end(),
                       [](const auto& m) { return m.text.starts_with("Process screen count"); });
}

TEST_F(DrawingThreads, RenderOnTheWorkerGivesTheImageOfADirectRender) {
    for (const char* mode : {"RAPID", "FULL"}) {
        run(std::string("drawmode ") + mode + "; cinit CBUF.ICHIMATU, (0, 0, 1); draw;");
        const std::uint64_t direct = cbufHash(model);
        EXPECT_TRUE(anyScreenCount(sink)) << mode;
        EXPECT_TRUE(run("cinit CBUF.ICHIMATU, (0, 0, 1); draw.thread; threadwait;").empty());
        EXPECT_EQ(cbufHash(model), direct) << mode;
        EXPECT_EQ(countOf(consoleTexts(), render::msg::kDrawDone), 1) << mode;
        EXPECT_FALSE(anyScreenCount(sink)) << mode;
        EXPECT_FALSE(w.threads.rendering());
    }
}

// A stop from the interpreter ends the statements; a cancel from the window lets them go on.
TEST_F(DrawingThreads, StopOrCancelKeepsTheFinishedTilesAndSaysSo) {
    run("drawmode FINE; cinit CBUF.ICHIMATU, (0, 0, 1);");
    const std::uint64_t background = cbufHash(model);
    const std::vector<std::uint8_t> empty = model.colorBuffer.pixels;
    run("draw;");
    const std::vector<std::uint8_t> full = model.colorBuffer.pixels;
    ASSERT_GT(w.renderer.state.screen.tileCount(), 2);

    struct Case {
        bool cancel;
        std::vector<std::string> boxes;
        int afterward;  // the drawing mode the statement after draw.thread leaves
    };
    for (const Case& c : {Case{false, {}, 6}, Case{true, {}, 0}}) {
        run("drawmode FINE; cinit CBUF.ICHIMATU, (0, 0, 1);");
        ASSERT_EQ(cbufHash(model), background);
        w.renderer.progress = [&](int done, int) {
            if (done != 1) return;
            if (c.cancel)
                w.threads.cancelRender();
            else
                in.interrupted.store(true);
        };
        EXPECT_EQ(run("draw.thread; drawmode WIRE;"), c.boxes);
        w.renderer.progress = nullptr;
        const std::vector<std::string> said = consoleTexts();
        EXPECT_EQ(countOf(said, render::msg::kDrawAborted), 1) << c.cancel;
        EXPECT_EQ(countOf(said, render::msg::kDrawDone), 0) << c.cancel;
        EXPECT_EQ(countOf(said, script::msg::kInterrupted), c.cancel ? 0 : 1);
        EXPECT_EQ(in.drawMode, c.afterward) << c.cancel;
        EXPECT_FALSE(in.interrupted.load());
        // Rendered pixels of the finished tiles stay; the tiles never begun keep the
        // background.
        const std::vector<std::uint8_t>& now = model.colorBuffer.pixels;
        std::size_t kept = 0;
        std::size_t untouched = 0;
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (full[i] == empty[i]) continue;
            if (now[i] == full[i]) ++kept;
            if (now[i] == empty[i]) ++untouched;
        }
        EXPECT_GT(kept, 0u) << c.cancel;
        EXPECT_GT(untouched, 0u) << c.cancel;
    }
}

TEST_F(DrawingThreads, ANewDrawingCommandStopsTheViewWorkerAfterItsShape) {
    addBalls(150);
    w.threads.viewPause = std::chrono::milliseconds(0);
    run("winclear; wire;");
    const std::vector<std::uint8_t> drawn = image();

    run("winclear; wire.thread;");
    while (w.threads.viewsRunning() && w.threads.viewShapesDrawn() == 0) std::this_thread::yield();
    run("wire L.ACTIVE;");
    EXPECT_FALSE(w.threads.viewsRunning());
    EXPECT_FALSE(w.threads.viewsComplete());
    EXPECT_GT(w.threads.viewShapesDrawn(), 0);
    EXPECT_LT(w.threads.viewShapesDrawn(), model.shapeCount);

    EXPECT_TRUE(run("winclear; wire.thread; threadwait;").empty());
    EXPECT_TRUE(w.threads.viewsComplete());
    EXPECT_EQ(w.threads.viewShapesDrawn(), model.shapeCount);
    EXPECT_EQ(image(), drawn);
}

TEST_F(DrawingThreads, RequestAndArgumentsAsForTheDirectCommands) {
    struct Case {
        const char* text;
        std::vector<std::string> boxes;
    };
    const std::vector<Case> cases{
        {"wire.thread 1, 2, 3;", {err(script::msg::kTooManyParams), kRunFailed}},
        {"parswire.thread \"x\";", {err(script::msg::kBadParam), kRunFailed}},
        {"threadwait 1;", {err(script::msg::kTooManyParams), kRunFailed}},
        {"wire.thread 0, 50; threadwait;", {err(render::msg::kBadDrawMode), kRunFailed}},
        {"parswire.thread L.ACTIVE; threadwait;", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(run(c.text), c.boxes) << c.text;
    const render::DrawRequest& r = w.threads.request;
    EXPECT_EQ(r.kind, render::ViewKind::Perspective);
    EXPECT_EQ(r.target, 1);
    EXPECT_TRUE(r.worker);
}

}  // namespace
}  // namespace rz::test
