#pragma once
// Ending the process from deep inside a run (fatal stops).

namespace rz::platform {

// Flushes the standard streams and ends the process at once with this status.
[[noreturn]] void endProcess(int status);

}  // namespace rz::platform
