#include "render/renderer.hpp"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "db/current_records.hpp"
#include "db/init_database.hpp"
#include "math/vec_math.hpp"
#include "platform/store_allocation.hpp"
#include "render/render_messages.hpp"
#include "render/render_pass.hpp"
#include "render/render_screen.hpp"
#include "render/tile_log.hpp"

namespace rz::render {
namespace {

// Z-Buffer entries per C-Buffer pixel, in quarters, by zbuf_flag 1..4.
constexpr std::array<std::size_t, 4> kEntryQuarters{1, 4, 16, 64};

[[noreturn]] void failStart(platform::MessageService& msg, std::string_view detail) {
    db::stopStartup(msg, {std::string(detail), true});
}

std::unique_ptr<WorkArea> newWorkArea() {
    try {
        return std::make_unique<WorkArea>();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

enum class TileState : std::uint8_t { Waiting, Finished, Stopped };

// One render's tiles handed out to the workers and taken back in tile order.
struct TileRun {
    const SharedRender& shared;
    const Screen& screen;
    db::ColorBuffer& image;
    const platform::MessageService& mainMsg;
    bool countScreens = true;
    std::vector<TileLog> logs;
    std::vector<TileState> states;
    std::atomic<int> next{0};
    std::mutex done;
    std::condition_variable changed;

    TileRun(const SharedRender& s, const Screen& sc, db::ColorBuffer& im,
            const platform::MessageService& msg)
        : shared(s),
          screen(sc),
          image(im),
          mainMsg(msg),
          logs(static_cast<std::size_t>(sc.tileCount())),
          states(static_cast<std::size_t>(sc.tileCount()), TileState::Waiting) {}

    // Renders tile `t` with work area `w`; its messages are held in its log.
    void renderTile(WorkArea& w, int t) {
        TileLog& log = logs[t];
        platform::MessageService msg(log);
        msg.setMessageMode(mainMsg.messageMode());
        msg.setCurrentWindow(mainMsg.currentWindow());
        TilePass pass{shared, w, msg, image, tileOf(screen, t)};
        pass.eye = widen(shared.state.camera.pos);
        if (countScreens) {
            msg.formatBuffer(msg::kScreenCount, t + 1, screen.tileCount());
            msg.statusText(msg.buffer());
        }
        const bool finished = renderShapes(pass);
        if (finished)
            resolveTile(shared.state, w, pass.tile, image);
        else
            shared.stop.store(true);
        clearTile(w, screen, pass.tile);
        const std::lock_guard lock(done);
        states[t] = finished ? TileState::Finished : TileState::Stopped;
        changed.notify_all();
    }

    // Takes tiles until none is left or the render stops.
    void work(WorkArea& w) {
        for (;;) {
            if (shared.stop.load()) return;
            const int t = next.fetch_add(1);
            if (t >= screen.tileCount()) return;
            renderTile(w, t);
        }
    }
};

RenderOutcome runTiles(Renderer& r, script::Interp& in, const SharedRender& shared,
                       db::ColorBuffer& image) {
    const Screen& screen = r.state.screen;
    TileRun run(shared, screen, image, in.msg);
    run.countScreens = !r.drawingThread;
    const int threads = std::min<int>(static_cast<int>(r.workers.size()), screen.tileCount());
    if (threads <= 1) {
        for (int t = 0; t < screen.tileCount(); ++t) {
            run.renderTile(*r.workers[0], t);
            run.logs[t].replay(in.msg);
            if (run.states[t] != TileState::Finished) return RenderOutcome::Aborted;
            if (r.progress) r.progress(t + 1, screen.tileCount());
        }
        return RenderOutcome::Done;
    }
    std::vector<std::thread> pool;
    pool.reserve(static_cast<std::size_t>(threads));
    for (int k = 0; k < threads; ++k) {
        try {
            pool.emplace_back([&run, &w = *r.workers[k]] { run.work(w); });
        } catch (const std::system_error&) {
            break;
        }
    }
    if (pool.empty()) run.work(*r.workers[0]);
    // Tiles are released as they finish, in tile order; after a stop, every tile begun.
    const int tiles = screen.tileCount();
    int released = 0;
    bool completed = true;
    for (; released < tiles; ++released) {
        TileState state;
        {
            std::unique_lock lock(run.done);
            run.changed.wait(lock, [&] {
                return run.states[released] != TileState::Waiting || shared.stop.load();
            });
            state = run.states[released];
        }
        if (state != TileState::Finished) {
            completed = false;
            break;
        }
        run.logs[released].replay(in.msg);
        if (r.progress) r.progress(released + 1, tiles);
    }
    for (std::thread& th : pool) th.join();
    for (int t = released; t < tiles && !completed; ++t)
        if (run.states[t] != TileState::Waiting) run.logs[t].replay(in.msg);
    return completed ? RenderOutcome::Done : RenderOutcome::Aborted;
}

}  // namespace

std::uint64_t Renderer::micropolygons() const {
    std::uint64_t n = 0;
    for (const auto& w : workers) n += w->micropolygons;
    return n;
}

int renderThreads(const db::Settings& settings) {
    int n = settings.renderThreads;
    if (n <= 0) n = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(n, 1, db::kMaxRenderThreads);
}

void startRenderer(Renderer& r, script::Interp& in, const db::Settings& settings) {
    const db::ColorBuffer& image = db::database(in).colorBuffer;
    r.zbufFlag = std::clamp<int>(settings.zbufFlag, 1, 4);
    r.zbufferEntries =
        static_cast<std::size_t>(image.width) * image.height * kEntryQuarters[r.zbufFlag - 1] / 4;
    const int threads = renderThreads(settings);
    r.workers.clear();
    for (int k = 0; k < threads; ++k) {
        std::unique_ptr<WorkArea> w = newWorkArea();
        if (w == nullptr) {
            if (k == 0) failStart(in.msg, msg::kInitRenderWork);
            break;
        }
        if (!platform::allocateStore(w->zbuffer, r.zbufferEntries)) {
            if (k == 0) failStart(in.msg, msg::kInitZBuffer);
            break;
        }
        r.workers.push_back(std::move(w));
    }
    r.state = RenderState{};
    if (!platform::allocateStore(r.sampleImage, std::size_t{kSampleWidth} * kSampleHeight * 4))
        failStart(in.msg, msg::kInitSampleImage);
    if (!platform::allocateStore(r.sample2Image, std::size_t{kSampleWidth} * kSampleHeight * 4))
        failStart(in.msg, msg::kInitSample2Image);
    clearZBuffers(r);
    in.renderer = &r;
}

void clearZBuffers(Renderer& r) {
    for (auto& w : r.workers) std::fill(w->zbuffer.begin(), w->zbuffer.end(), kEmptyEntry);
}

RenderOutcome render(Renderer& r, script::Interp& in, int layerFilter, int mode) {
    db::Database& db = db::database(in);
    RenderState& st = r.state;
    st.drawMode = static_cast<std::uint8_t>(mode);
    st.camera = db.camera;
    st.view = setupView(db.camera);
    st.screen = screenFor(mode, r.zbufFlag, db.colorBuffer.width, db.colorBuffer.height);
    st.screen.nearPlane = db.camera.hither;
    st.screen.farPlane = db.camera.yon;
    st.threshold = sizeThreshold(st.screen.antiAlias);
    const Vec3 centre = db.geometry.center;
    const PrepassScope scope{.firstShape = st.sampleMode ? db.shapeCount - 1 : 0,
                             .endShape = db.shapeCount,
                             .layerFilter = layerFilter,
                             .axisCount = db.axisCount};
    prepareShapes(r.prepass, st, db, in.msg, scope);
    placePrepared(r.prepass, st, static_cast<int>(r.workers.size()));
    for (auto& w : r.workers) w->lights.begin(r.prepass.vertices.size());
    std::atomic<bool> stop{false};
    SharedRender shared{st, db, r.prepass, in, stop};
    shared.axisCount = db.axisCount;
    shared.patchCount = db.patchCount;
    const RenderOutcome outcome = runTiles(r, in, shared, db.colorBuffer);
    db.geometry.center = centre;
    return outcome;
}

}  // namespace rz::render
