#include "app/shell/status_parts.hpp"

namespace rz::app {

std::array<int, 3> statusPartEdges(int outerWidth) {
    const int w = outerWidth + 1;
    const int first = w / 2 + w / 10;
    const int second = first + w / 4;
    return {first, second, second + w / 10};
}

}  // namespace rz::app
