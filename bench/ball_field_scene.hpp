#pragma once
// The renderer's benchmark scene: 100 balls of 24 divisions in a 10 x 10 field on a plane,
// seen from the automatic view, over a plain background. The renderer's regression test
// renders the same scene so that a faster renderer is known to draw the same image.

#include <string>

namespace rz::scenes {

inline std::string ballFieldScene() {
    std::string s = "box.s = (-3000, -100, -3000); box.e = (3000, 0, 3000); boxgen2 box.s, box.e; ";
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 10; ++j) {
            const int x = -2700 + i * 600;
            const int z = -2700 + j * 600;
            s += "box.s = (" + std::to_string(x - 250) + ", 0, " + std::to_string(z - 250) +
                 "); box.e = (" + std::to_string(x + 250) + ", 500, " + std::to_string(z + 250) +
                 "); ballgen1 box.s, box.e, 24; ";
        }
    }
    return s + "initlayer; autoview; cinit CBUF.FILL, (0.2, 0.3, 0.4);";
}

}  // namespace rz::scenes
