#pragma once
// The two drawing workers: the render worker, which runs one software render while the
// interpreter's thread waits for it (in the window, inside the progress dialog), and the
// view worker, which draws the wireframe views beside the interpreter and stops after the
// shape it is drawing when asked.
//
// Who touches what: the interpreter's thread owns the model, the views and the renderer. A
// render worker uses them only while that thread waits for it (start and join order every
// access). A view worker uses them while the interpreter is idle: before every statement the
// interpreter stops it (or, for threadwait, waits for it), so no statement runs beside it.
// The one thing read across threads without this order is the C-Buffer, which a window may
// show while a render writes it; see the image window.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "render/renderer.hpp"
#include "render/views.hpp"
#include "render/wire_drawing.hpp"
#include "script/interp.hpp"

namespace rz::render {

// Which views a wireframe drawing covers, set by the command word.
enum class ViewKind : std::int32_t { All = 0, Perspective = 1, Threaded = 2 };

// The last drawing asked for, kept so that a worker reads it and threadwait knows it.
struct DrawRequest {
    std::uint8_t mode = 0;  // the drawing mode of the request
    std::int32_t target = -1;
    ViewKind kind = ViewKind::All;
    bool worker = false;  // run on a worker thread
    bool sample = false;  // sample-ball rendering
};

// What a window lends the render worker: a place to show progress and to wait. progress()
// and finished() are called on the worker; wait() on the interpreter's thread, which it
// keeps until finished() has been called, asking for a stop through `cancel` when the user
// wants one.
class RenderHost {
  public:
    virtual ~RenderHost() = default;
    virtual void progress(int percent) = 0;
    virtual void finished() = 0;
    virtual void wait(const std::function<void()>& cancel) = 0;
};

class DrawingThreads {
  public:
    DrawingThreads() = default;
    DrawingThreads(const DrawingThreads&) = delete;
    DrawingThreads& operator=(const DrawingThreads&) = delete;
    // Stops the view worker and waits for both.
    ~DrawingThreads();

    // Binds to the interpreter: it then knows the workers and settles them before every
    // statement.
    void attach(script::Interp& in);

    // Renders on the render worker and returns once it has ended. Aborted when the
    // interpreter's stop request or a cancel ended it: the tiles finished by then are kept.
    // `cancelled` tells which of the two it was.
    struct RenderResult {
        RenderOutcome outcome = RenderOutcome::Done;
        bool cancelled = false;
        bool started = true;  // false: no thread could be had
    };
    RenderResult render(Renderer& renderer, script::Interp& in, int target, int mode);
    // Asks the running render to stop after the shape it is drawing; any thread.
    void cancelRender();
    bool rendering() const { return rendering_.load(); }

    // Stops any running view worker, then starts one for `request` (its gate is the
    // worker's own).
    bool startViews(Views& views, script::Interp& in, WireRequest request);
    // Asks the view worker to stop after its shape and waits for it.
    void stopViews();
    // Waits for the view worker to end its drawing.
    void waitViews();
    bool viewsRunning() const { return viewsRunning_.load(); }
    // Whether the last view drawing drew every shape it was asked for.
    bool viewsComplete() const { return viewsComplete_.load(); }
    // Shapes the last view drawing has drawn so far.
    int viewShapesDrawn() const { return viewShapes_.load(); }
    // Held by the view worker while it draws a shape: a window that shows the views' image
    // takes it to read a whole one.
    std::mutex& viewsLock() { return viewsLock_; }

    DrawRequest request;
    RenderHost* host = nullptr;
    // Called on the view worker when it has drawn; a window repaints then.
    std::function<void()> viewsDrawn;
    // The view worker's pause before it draws, so that the statements after the command
    // that started it can run first; interrupted by a stop.
    std::chrono::milliseconds viewPause{70};

  private:
    void drawViews(Views& views, script::Interp& in, WireRequest request);
    static bool nextShape(void* self);

    std::thread renderThread_;
    std::atomic<bool> rendering_{false};
    std::atomic<bool> cancelled_{false};
    std::mutex cancelLock_;
    script::Interp* in_ = nullptr;

    std::thread viewThread_;
    std::atomic<bool> viewsRunning_{false};
    std::atomic<bool> viewsComplete_{true};
    std::atomic<bool> viewStop_{false};
    std::atomic<int> viewShapes_{0};
    std::mutex pauseLock_;
    std::condition_variable pauseEnd_;
    std::mutex viewsLock_;
};

// The drawing workers of a running interpreter; null before start-up.
inline DrawingThreads* startedThreads(script::Interp& in) {
    return in.threads;
}

}  // namespace rz::render
