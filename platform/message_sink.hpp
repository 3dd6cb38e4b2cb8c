#pragma once
// Where the message services end up: modal boxes, the status bar and the console.
// The core never talks to a window system; the GUI and the headless front end each
// provide a sink, and tests use the recording one.

#include <cstdint>
#include <string_view>

namespace rz::platform {

// Opaque handle of the window that owns boxes and receives status texts.
// 0 is the main window.
using WindowId = std::uintptr_t;

enum class BoxIcon : std::uint8_t { None, Information, Exclamation };

// Box titles the core uses; the console form routes on them.
inline constexpr std::string_view kErrorTitle = "ERROR Message!";
inline constexpr std::string_view kSystemTitle = "Message for System.";
inline constexpr std::string_view kInfoTitle = "Message from ZIVOZI/3Z-Urirodod";

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // A modal box with an OK button; returns when the user has closed it.
    virtual void box(WindowId owner, std::string_view title, std::string_view text,
                     BoxIcon icon) = 0;
    // Part 0 of the status bar of the owner window.
    virtual void status(WindowId owner, std::string_view text) = 0;
    // Standard output, as is.
    virtual void console(std::string_view text) = 0;
    // Standard error: diagnostic detail lines and the fatal banner.
    virtual void diagnostic(std::string_view text) = 0;
};

}  // namespace rz::platform
