// The real-time display read back from OpenGL (Mesa's llvmpipe under a virtual X server):
// where the model shows in every view mode, which faces are seen, the viewport of each size,
// the map images, and that the view area is the preview's while it is shown.
#include <QApplication>
#include <QTest>

#include "app/shell/gl_preview.hpp"
#include "tests/app/shell/shell_fixture.hpp"
#include "tests/render/gl_test_model.hpp"

namespace rz::test {
namespace {

const QColor kBackground(0, 0, 255);

// Looks straight down the z axis at the origin from 2000 away; 40 degrees from top to
// bottom, so a half-side of 200 at z = 200 spans 200 / (1800 tan 20) of the half-height.
constexpr const char* kFrontCamera =
    "cbuf.color.v = (0, 0, 255); c.pos = (0, 0, 2000); c.tar = (0, 0, 0); c.upper = (0, 1, 0);"
    "c.zoom = 40; set.glviewsize GLVIEW.FULLSIZE;";

double boxHalfSide(int height) {
    return 200.0 / (1800.0 * std::tan(20.0 * M_PI / 180.0)) * height / 2.0;
}

struct PixelCount {
    int inside = 0;  // non-background pixels inside the box's square
    int insideTotal = 0;
    int outside = 0;  // non-background pixels well outside it
};

// Pixels against a square centred in the image: within `in` of the centre, and beyond `out`.
PixelCount countAround(const QImage& image, double in, double out) {
    PixelCount c;
    const double cx = image.width() / 2.0;
    const double cy = image.height() / 2.0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double d = std::max(std::abs(x + 0.5 - cx), std::abs(y + 0.5 - cy));
            const bool drawn = image.pixelColor(x, y) != kBackground;
            if (d <= in) {
                ++c.insideTotal;
                c.inside += drawn ? 1 : 0;
            } else if (d >= out) {
                c.outside += drawn ? 1 : 0;
            }
        }
    return c;
}

QImage frame(app::MainWindow& window) {
    return window.glPreview().grabFramebuffer().convertToFormat(QImage::Format_RGB888);
}

}  // namespace

class GlPreviewTest : public QObject {
    Q_OBJECT
  private slots:
    void showsTheBoxWhereTheCameraSeesIt_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("filled");
        QTest::newRow("wireframe") << 1 << false;
        QTest::newRow("depth-cued lines") << 2 << false;
        QTest::newRow("flat") << 11 << true;
        QTest::newRow("flat with maps") << 12 << true;
        QTest::newRow("smooth") << 21 << true;
        QTest::newRow("smooth with maps") << 22 << true;
    }
    void showsTheBoxWhereTheCameraSeesIt() {
        QFETCH(int, mode);
        QFETCH(bool, filled);
        ShellFixture f;
        QVERIFY(f.show());
        f.window->run(kFrontCamera);
        f.window->run(
            "box.s = (-200, -200, -200); box.e = (200, 200, 200);"
            "boxgen2 box.s, box.e;");
        f.window->run(QStringLiteral("set.glviewmode %1;").arg(mode).toUtf8().constData());
        f.window->glPreview().setRealTime(true);
        const QImage image = frame(*f.window);
        QVERIFY(f.boxes.unexpected.isEmpty());
        const double half = boxHalfSide(image.height());
        if (filled) {
            const PixelCount c = countAround(image, half * 0.9, half * 1.1);
            QCOMPARE(c.inside, c.insideTotal);
            QCOMPARE(c.outside, 0);
        } else {
            // The outline of the front face: lines near its edges, nothing in its middle.
            const PixelCount middle = countAround(image, half * 0.5, half * 1.1);
            QVERIFY(middle.inside < middle.insideTotal / 10);
            QCOMPARE(middle.outside, 0);
            QVERIFY(countAround(image, half * 1.05, half * 1.1).inside > 4 * half);
        }
    }

    void turnedFacesAreSeenOnlyWhenTwoSided_data() {
        QTest::addColumn<int>("lrflag");
        QTest::addColumn<bool>("seenFromBehind");
        QTest::newRow("one-sided") << 0 << false;
        QTest::newRow("reversed") << 1 << true;
        QTest::newRow("two-sided") << 2 << true;
    }
    void turnedFacesAreSeenOnlyWhenTwoSided() {
        QFETCH(int, lrflag);
        QFETCH(bool, seenFromBehind);
        ShellFixture f;
        QVERIFY(f.show());
        f.window->run(kFrontCamera);
        addSquare(f.w.db, 0, 0, 0, 200, static_cast<std::uint8_t>(lrflag));
        f.window->glPreview().setRealTime(true);
        const QImage front = frame(*f.window);
        f.window->run("c.pos = (0, 0, -2000);");
        const QImage behind = frame(*f.window);
        const QPoint centre(front.width() / 2, front.height() / 2);
        // Wound counter-clockwise towards +z: seen from the front unless reversed.
        QCOMPARE(front.pixelColor(centre) != kBackground, lrflag != 1);
        QCOMPARE(behind.pixelColor(centre) != kBackground, seenFromBehind);
    }

    void halfSizeDrawsInTheCentredHalf() {
        ShellFixture f;
        QVERIFY(f.show());
        f.window->run(kFrontCamera);
        // Larger than the view: every pixel of the viewport shows it.
        addSquare(f.w.db, 0, 0, 0, 1e5f);
        f.window->glPreview().setRealTime(true);
        const QImage full = frame(*f.window);
        f.window->run("set.glviewsize GLVIEW.HALFSIZE;");
        const QImage half = frame(*f.window);
        const int w = half.width();
        const int h = half.height();
        QVERIFY(full.pixelColor(2, 2) != kBackground);
        QCOMPARE(half.pixelColor(w / 4 - 2, h / 2), kBackground);
        QCOMPARE(half.pixelColor(w / 2, h / 4 - 2), kBackground);
        QCOMPARE(half.pixelColor(w * 3 / 4 + 2, h / 2), kBackground);
        QVERIFY(half.pixelColor(w / 4 + 2, h / 4 + 2) != kBackground);
        QVERIFY(half.pixelColor(w * 3 / 4 - 2, h * 3 / 4 - 2) != kBackground);
    }

    void mapImagesColourTheFacesInTheMapModes() {
        ShellFixture f;
        QVERIFY(f.show());
        f.window->run(kFrontCamera);
        const int s = addSquare(f.w.db, 0, 0, 0, 200);
        mapOneColour(f.w.db, s, 255, 0, 0);
        f.window->glPreview().setRealTime(true);
        const auto centre = [&] {
            const QImage image = frame(*f.window);
            return image.pixelColor(image.width() / 2, image.height() / 2);
        };
        // The attribute's green (0.2, 0.9, 0.1) times a red image leaves no green.
        f.window->run("set.glviewmode GLVIEW.FLATSHADE;");
        QVERIFY(centre().green() > 50);
        f.window->run("set.glviewmode GLVIEW.FLATMAP;");
        QCOMPARE(centre().green(), 0);
        QVERIFY(centre().red() > 0);
    }

    void ownsTheViewAreaWhileShown() {
        ShellFixture f;
        QVERIFY(f.show());
        app::GlPreview& preview = f.window->glPreview();
        QVERIFY(!preview.isVisible());
        preview.setRealTime(true);
        QVERIFY(f.w.views.previewOwnsWindow);
        QVERIFY(preview.isVisible());
        QCOMPARE(preview.geometry(), f.window->view().rect());
        f.window->resize(900, 700);
        QTRY_COMPARE(preview.size(), f.window->view().size());
        preview.setRealTime(false);
        QVERIFY(!f.w.views.previewOwnsWindow);
        QVERIFY(!preview.isVisible());
    }

    void buildsTheSceneOncePerChange() {
        ShellFixture f;
        QVERIFY(f.show());
        f.window->run(kFrontCamera);
        const int s = addSquare(f.w.db, 0, 0, 0, 200);
        app::GlPreview& preview = f.window->glPreview();
        preview.setRealTime(true);
        QCOMPARE(preview.sceneBuilds(), 1);
        frame(*f.window);
        frame(*f.window);
        f.window->run("c.pos = (0, 0, 2500); angle.y (10);");
        QCOMPARE(preview.sceneBuilds(), 1);
        f.window->run("set.glviewmode GLVIEW.SMOOTHSHADE;");
        QCOMPARE(preview.sceneBuilds(), 2);
        f.w.db.axes[f.w.db.shapes[s].axisId].wv[2] = 50.0f;
        f.window->run("nop;");
        QCOMPARE(preview.sceneBuilds(), 3);
    }
};

}  // namespace rz::test

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    rz::test::GlPreviewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "gl_preview_test.moc"
