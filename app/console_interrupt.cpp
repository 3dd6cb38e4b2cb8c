#include "app/console_interrupt.hpp"

namespace rz::app {
namespace {

static_assert(std::atomic<bool>::is_always_lock_free, "the handler may only touch lock-free data");
static_assert(std::atomic<std::atomic<bool>*>::is_always_lock_free);

// A signal handler reaches nothing but static data: this is the one place the flag of the
// route in force is kept.
std::atomic<std::atomic<bool>*> routedFlag{nullptr};

void raiseStopRequest(int) {
    if (std::atomic<bool>* flag = routedFlag.load()) flag->store(true);
}

}  // namespace

InterruptRoute::InterruptRoute(std::atomic<bool>& flag) {
    routedFlag.store(&flag);
    struct sigaction action {};
    action.sa_handler = raiseStopRequest;
    sigemptyset(&action.sa_mask);
    // A read in progress carries on: the stop is seen at the next statement.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previous_);
}

InterruptRoute::~InterruptRoute() {
    sigaction(SIGINT, &previous_, nullptr);
    routedFlag.store(nullptr);
}

}  // namespace rz::app
