#pragma once
// A started workstation with a small scene for the drawing workers' tests: a few shapes in
// front of a camera that sees them, renders small enough to repeat many times.

#include <string>

#include "tests/render/started_renderer.hpp"

namespace rz::test {

class ThreadScene : public StartedViews {
  protected:
    ThreadScene() : StartedViews(rendererSettings(2, 1)) {
        run("box.s = (-600, -600, -300); box.e = (-100, -100, 200); ballgen1 box.s, box.e, 12; "
            "box.s = (100, -500, -200); box.e = (500, 200, 200); cylngen1 box.s, box.e, 10, "
            "Y.DIR; box.s = (-700, 100, -400); box.e = (-50, 600, 100); boxgen2 box.s, box.e; "
            "initlayer;" +
            kSquareCamera);
    }

    // Many small balls, so that a wireframe drawing takes a while.
    void addBalls(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string x = std::to_string(i % 40 * 20 - 400);
            const std::string y = std::to_string(i / 40 * 20 - 400);
            ASSERT_TRUE(run("box.s = (" + x + ", " + y + ", 0); box.e = (" + x + " + 15, " + y +
                            " + 15, 15); ballgen1 box.s, box.e, 16;")
                            .empty());
        }
    }
};

}  // namespace rz::test
