#pragma once
// The message services every command handler uses: error boxes, status texts,
// system and information boxes, message mode, and the fatal stop.

#include <array>
#include <cstddef>
#include <string_view>

#include "platform/message_sink.hpp"

namespace rz::platform {

inline constexpr std::string_view kInternalError =
    " えらいすんまへん！！これは私（VIDUDUD）のミスですわ！ ";
inline constexpr std::string_view kFatalBanner = "***  RIDA now down!  ***\n\n";

class MessageService {
  public:
    static constexpr std::size_t kBufferSize = 4096;
    static constexpr std::size_t kErrorAreaSize = 1024;

    explicit MessageService(MessageSink& sink) : sink_(sink) {}

    // "ERROR: " + text under the error title; always shown.
    void errorBox(std::string_view text);
    // The same box without the prefix, for detail lines.
    void errorBoxPlain(std::string_view text);
    // Any other titled box ("Error", "ZIVOZI", ...); always shown.
    void titledBox(std::string_view title, std::string_view text, BoxIcon icon = BoxIcon::None);
    // The internal-error message, then an optional detail line naming the routine.
    void internalError(std::string_view detail = {});

    // Suppressed while message mode is 0.
    void statusText(std::string_view text);
    void statusBuffer() { statusText(buffer()); }
    void systemBox();
    // Shown regardless of message mode.
    void infoBox();

    // 0 or 1; anything else is refused with a message and leaves mode 1.
    int setMessageMode(int mode);
    int messageMode() const { return mode_; }

    void console(std::string_view text) { sink_.console(text); }
    void diagnostic(std::string_view text) { sink_.diagnostic(text); }

    // Writes the fatal banner and ends the process with status -1.
    [[noreturn]] void fatalStop();

    // The message buffer: reports are composed here before they are shown.
    void setBuffer(std::string_view text);
    // printf-style composition into the buffer, cut at its capacity.
    void formatBuffer(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void appendBuffer(const char* format, ...) __attribute__((format(printf, 2, 3)));
    std::string_view buffer() const { return {buffer_.data(), length_}; }

    void setCurrentWindow(WindowId w) { window_ = w; }
    WindowId currentWindow() const { return window_; }

    // Error boxes shown since start-up; the headless front end's exit status.
    int errorCount() const { return errors_; }

  private:
    MessageSink& sink_;
    WindowId window_ = 0;
    int mode_ = 1;
    int errors_ = 0;
    std::array<char, kBufferSize> buffer_{};
    std::size_t length_ = 0;
};

}  // namespace rz::platform
