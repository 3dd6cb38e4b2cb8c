#include "render/drawing_threads.hpp"

#include <string_view>
#include <system_error>

namespace rz::render {
namespace {

constexpr std::string_view kThreadwait = "threadwait";

// threadwait lets the view worker finish; every other statement stops it first.
void settle(script::Interp& in, script::Tok first) {
    DrawingThreads* threads = startedThreads(in);
    if (threads == nullptr) return;
    if (first == script::Tok::Command && in.sym.name(in.lex.symbol()) == kThreadwait)
        threads->waitViews();
    else
        threads->stopViews();
}

// Clears a flag when the scope ends, however it ends.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;
    ~FlagScope() { flag_ = false; }

  private:
    bool& flag_;
};

}  // namespace

DrawingThreads::~DrawingThreads() {
    stopViews();
    if (renderThread_.joinable()) renderThread_.join();
}

void DrawingThreads::attach(script::Interp& in) {
    in_ = &in;
    in.threads = this;
    in.beforeStatement = settle;
}

DrawingThreads::RenderResult DrawingThreads::render(Renderer& renderer, script::Interp& in,
                                                    int target, int mode) {
    // A render and a view drawing write the same model stores; never both at once.
    stopViews();
    if (renderThread_.joinable()) renderThread_.join();
    RenderResult result;
    const RenderProgress direct = renderer.progress;
    RenderHost* host = this->host;
    renderer.progress = [&direct, host](int done, int total) {
        if (direct) direct(done, total);
        if (host != nullptr) host->progress(total > 0 ? 100 * done / total : 100);
    };
    const FlagScope onThread(renderer.drawingThread);
    cancelled_.store(false);
    rendering_.store(true);
    try {
        renderThread_ = std::thread([&] {
            result.outcome = render::render(renderer, in, target, mode);
            if (host != nullptr) host->finished();
        });
    } catch (const std::system_error&) {
        result.started = false;
    }
    if (result.started && host != nullptr) host->wait([this] { cancelRender(); });
    if (renderThread_.joinable()) renderThread_.join();
    renderer.progress = direct;
    {
        const std::lock_guard lock(cancelLock_);
        rendering_.store(false);
        result.cancelled = cancelled_.exchange(false);
    }
    // The stop request served the cancel alone: the statements after this one still run.
    if (result.cancelled) in.interrupted.store(false);
    return result;
}

void DrawingThreads::cancelRender() {
    const std::lock_guard lock(cancelLock_);
    if (!rendering_.load()) return;
    cancelled_.store(true);
    if (in_ != nullptr) in_->interrupted.store(true);
}

bool DrawingThreads::startViews(Views& views, script::Interp& in, WireRequest request) {
    stopViews();
    viewStop_.store(false);
    viewsComplete_.store(false);
    viewShapes_.store(0);
    viewsRunning_.store(true);
    request.gate = {this, nextShape};
    try {
        viewThread_ = std::thread([this, &views, &in, request] { drawViews(views, in, request); });
    } catch (const std::system_error&) {
        viewsRunning_.store(false);
        return false;
    }
    return true;
}

void DrawingThreads::stopViews() {
    {
        const std::lock_guard lock(pauseLock_);
        viewStop_.store(true);
    }
    pauseEnd_.notify_all();
    waitViews();
}

void DrawingThreads::waitViews() {
    if (viewThread_.joinable()) viewThread_.join();
}

bool DrawingThreads::nextShape(void* self) {
    auto& t = *static_cast<DrawingThreads*>(self);
    t.viewShapes_.fetch_add(1);
    // Between two shapes the views' image is whole: a window may take it now.
    t.viewsLock_.unlock();
    std::this_thread::yield();
    t.viewsLock_.lock();
    return !t.viewStop_.load();
}

void DrawingThreads::drawViews(Views& views, script::Interp& in, WireRequest request) {
    {
        std::unique_lock lock(pauseLock_);
        pauseEnd_.wait_for(lock, viewPause, [this] { return viewStop_.load(); });
    }
    bool complete = false;
    if (!viewStop_.load()) {
        const std::lock_guard lock(viewsLock_);
        const bool drawn = render::drawViews(views, in, request) == script::kOk;
        complete = drawn && !viewStop_.load();
    }
    if (viewsDrawn) viewsDrawn();
    viewsComplete_.store(complete);
    viewsRunning_.store(false);
}

}  // namespace rz::render
