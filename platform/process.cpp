#include "platform/process.hpp"

#include <cstdio>
#include <cstdlib>

namespace rz::platform {

void endProcess(int status) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

}  // namespace rz::platform
