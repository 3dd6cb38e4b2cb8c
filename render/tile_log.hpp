#pragma once
// The messages of one tile, held while tiles are rendered side by side and shown afterwards
// in tile order, so that a render says the same whatever the number of its threads.

#include <string>
#include <string_view>
#include <vector>

#include "platform/message_service.hpp"
#include "platform/message_sink.hpp"

namespace rz::render {

class TileLog final : public platform::MessageSink {
  public:
    void box(platform::WindowId owner, std::string_view title, std::string_view text,
             platform::BoxIcon icon) override;
    void status(platform::WindowId owner, std::string_view text) override;
    void console(std::string_view text) override;
    void diagnostic(std::string_view text) override;

    // Forgets what was held, keeping the room it had.
    void clear();
    // Everything held, through `msg` in the order it came: boxes count as the errors they are.
    void replay(platform::MessageService& msg) const { replay(msg, 0, entries_.size()); }
    // Entries first .. end - 1 only.
    void replay(platform::MessageService& msg, std::size_t first, std::size_t end) const;
    std::size_t size() const { return entries_.size(); }

  private:
    enum class Kind { Box, Status, Console, Diagnostic };
    struct Entry {
        Kind kind;
        platform::BoxIcon icon;
        std::size_t titleEnd;  // title, then text, in `text_`
        std::size_t begin;
        std::size_t end;
    };
    void add(Kind kind, std::string_view title, std::string_view text,
             platform::BoxIcon icon = platform::BoxIcon::None);
    std::vector<Entry> entries_;
    std::string text_;
};

}  // namespace rz::render
