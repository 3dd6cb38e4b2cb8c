#include "app/shell/file_flows.hpp"

namespace rz::app {

// Placeholder until the flows land.
bool runFileFlow(FileFlow, CommandPort&) {
    return false;
}

}  // namespace rz::app
