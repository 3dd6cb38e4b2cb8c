#pragma once
// Ctrl-C while statements run: the signal only raises the interpreter's stop request, which
// the statement loops poll, so the running command stops between statements and the
// program goes on.

#include <atomic>

#include <signal.h>

namespace rz::app {

// Routes SIGINT to one stop flag while it lives; the previous disposition comes back after.
class InterruptRoute {
  public:
    explicit InterruptRoute(std::atomic<bool>& flag);
    ~InterruptRoute();
    InterruptRoute(const InterruptRoute&) = delete;
    InterruptRoute& operator=(const InterruptRoute&) = delete;

  private:
    struct sigaction previous_ {};
};

}  // namespace rz::app
