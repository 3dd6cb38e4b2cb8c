#pragma once
// A sink that keeps every message, for tests.

#include <string>
#include <vector>

#include "platform/message_sink.hpp"

namespace rz::platform {

struct RecordedMessage {
    enum class Kind { Box, Status, Console, Diagnostic };
    Kind kind;
    std::string title;  // boxes only
    std::string text;
    WindowId owner = 0;
};

class RecordingSink final : public MessageSink {
  public:
    void box(WindowId owner, std::string_view title, std::string_view text, BoxIcon) override {
        log.push_back({RecordedMessage::Kind::Box, std::string(title), std::string(text), owner});
    }
    void status(WindowId owner, std::string_view text) override {
        log.push_back({RecordedMessage::Kind::Status, {}, std::string(text), owner});
    }
    void console(std::string_view text) override {
        log.push_back({RecordedMessage::Kind::Console, {}, std::string(text), 0});
    }
    void diagnostic(std::string_view text) override {
        log.push_back({RecordedMessage::Kind::Diagnostic, {}, std::string(text), 0});
    }

    // The texts of all boxes, in order.
    std::vector<std::string> boxes() const {
        std::vector<std::string> out;
        for (const auto& m : log)
            if (m.kind == RecordedMessage::Kind::Box) out.push_back(m.text);
        return out;
    }
    std::vector<std::string> statuses() const {
        std::vector<std::string> out;
        for (const auto& m : log)
            if (m.kind == RecordedMessage::Kind::Status) out.push_back(m.text);
        return out;
    }
    void clear() { log.clear(); }

    std::vector<RecordedMessage> log;
};

}  // namespace rz::platform
