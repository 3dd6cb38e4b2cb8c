#pragma once
// A sink that shows nothing: for benchmarks and fuzzers, where only behaviour counts.

#include "platform/message_sink.hpp"

namespace rz::platform {

class NullSink final : public MessageSink {
  public:
    void box(WindowId, std::string_view, std::string_view, BoxIcon) override {}
    void status(WindowId, std::string_view) override {}
    void console(std::string_view) override {}
    void diagnostic(std::string_view) override {}
};

}  // namespace rz::platform
