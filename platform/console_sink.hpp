#pragma once
// The headless sink: every message in its console form, byte for byte.

#include <cstdio>

#include "platform/message_sink.hpp"

namespace rz::platform {

class ConsoleSink final : public MessageSink {
  public:
    ConsoleSink(std::FILE* out = stdout, std::FILE* err = stderr) : out_(out), err_(err) {}
    void box(WindowId owner, std::string_view title, std::string_view text, BoxIcon icon) override;
    void status(WindowId owner, std::string_view text) override;
    void console(std::string_view text) override;
    void diagnostic(std::string_view text) override;

  private:
    std::FILE* out_;
    std::FILE* err_;
};

}  // namespace rz::platform
