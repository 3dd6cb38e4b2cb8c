// Frames a second of the real-time display for the model of the views benchmark (25 vertex
// grids of 40 x 25 points, 25,000 axes) in each OpenGL view mode, in an 800 x 600 window.
// The target is 30 frames a second or more in flat shading under Mesa's llvmpipe. It needs a
// display, so the test script builds it but does not run it:
//   xvfb-run -a -s "-screen 0 1024x768x24" build-release/bench/gl_preview_fps
// A frame is the whole of paintGL (camera, clear, the display list, glFinish) and the copy of
// the widget into the window; the scene is built once for each mode, timed on its own.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "app/shell/gl_preview.hpp"
#include "bench/wavy_sheets_model.hpp"
#include "platform/null_sink.hpp"
#include "render/gl_view_modes.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace {

using namespace rz;

constexpr qint64 kMeasureMs = 2000;

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    platform::NullSink sink;
    workstation::Workstation w(sink);
    db::Settings settings;
    settings.capacity.axismax = bench::kAxes + 2000;
    w.start(settings);
    bench::buildWavySheets(w.db);
    script::execCommandString(w.interp, 0, "bbox.gen; autoview; set.glviewsize GLVIEW.FULLSIZE;");

    QWidget area;
    area.resize(800, 600);
    app::GlPreview preview(w, area, [] {});
    area.show();
    if (!QTest::qWaitForWindowExposed(&area)) {
        std::fputs("no window could be shown\n", stderr);
        return 1;
    }
    preview.setRealTime(true);
    std::printf("%d axes, %dx%d pixels\n", w.db.axisCount, preview.width(), preview.height());
    int failures = 0;
    for (const render::GlViewMode& mode : render::kGlViewModes) {
        w.renderer.state.glViewMode = mode.mode;
        QElapsedTimer build;
        build.start();
        preview.refresh();
        const qint64 buildMs = build.elapsed();
        // Each frame shown asks for the next; the first one uploads the scene and is not
        // counted.
        int frames = -1;
        QElapsedTimer clock;
        const QMetaObject::Connection next =
            QObject::connect(&preview, &QOpenGLWidget::frameSwapped, [&] {
                if (frames++ < 0) clock.start();
                preview.update();
            });
        preview.update();
        QEventLoop loop;
        QTimer::singleShot(kMeasureMs, &loop, &QEventLoop::quit);
        loop.exec();
        QObject::disconnect(next);
        const double fps =
            frames > 0 ? frames * 1000.0 / static_cast<double>(clock.elapsed()) : 0.0;
        const bool target = mode.mode == render::kGlFlatShade;
        std::printf("mode %2d: %7.1f frames/s (scene built in %lld ms)%s\n", mode.mode, fps,
                    static_cast<long long>(buildMs),
                    target ? (fps >= 30.0 ? "  target met" : "  BELOW TARGET 30") : "");
        if (target && fps < 30.0) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
