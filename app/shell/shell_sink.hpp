#pragma once
// The message services in the window: boxes become modal message boxes owned by the main
// window, status texts go to part 0 of its status bar, console output and diagnostics keep
// their console form. Before the window exists (start-up) everything has the console form.

#include "platform/console_sink.hpp"
#include "platform/message_sink.hpp"

namespace rz::app {

class MainWindow;

class ShellSink final : public platform::MessageSink {
  public:
    // The window that owns boxes and shows status texts; null for none.
    void setWindow(MainWindow* window) { window_ = window; }

    void box(platform::WindowId owner, std::string_view title, std::string_view text,
             platform::BoxIcon icon) override;
    void status(platform::WindowId owner, std::string_view text) override;
    void console(std::string_view text) override;
    void diagnostic(std::string_view text) override;

  private:
    MainWindow* window_ = nullptr;
    platform::ConsoleSink console_;
};

}  // namespace rz::app
