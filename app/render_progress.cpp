#include "app/render_progress.hpp"

#include <unistd.h>

#include <cstdio>

namespace rz::app {

void installRenderProgress(workstation::Workstation& w) {
    if (::isatty(STDERR_FILENO) == 0) return;
    w.renderer.progress = [](int done, int total) {
        std::fprintf(stderr, "\r\033[Krendering: tile %d of %d, %d %%", done, total,
                     total > 0 ? done * 100 / total : 100);
        if (done >= total) std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    };
}

}  // namespace rz::app
