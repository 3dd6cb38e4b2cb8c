#pragma once
// The console's history of entered lines, kept across runs in the user's state folder.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include <histedit.h>

#include "platform/message_service.hpp"

namespace rz::app {

// $XDG_STATE_HOME/rovora_z/history, with ~/.local/state standing in for an unset, empty or
// relative XDG_STATE_HOME; empty when there is no absolute home either.
std::filesystem::path historyPath(const char* xdgStateHome, const char* home);
// The same from the environment (and the password entry when HOME is not set).
std::filesystem::path historyPath();

class ConsoleHistory {
  public:
    // Bounds of the file: so many lines, none longer than this.
    static constexpr int kEntries = 1000;
    static constexpr std::size_t kLongestLine = 4096;

    // Loads the file at path, creating its folders when missing, and keeps the newest
    // entries lines of it. A history that cannot be kept on disk (no path, a folder that
    // cannot be made) still works for this run; the reason is told once as a diagnostic line.
    ConsoleHistory(std::filesystem::path path, platform::MessageService& msg,
                   int entries = kEntries);
    ~ConsoleHistory();
    ConsoleHistory(const ConsoleHistory&) = delete;
    ConsoleHistory& operator=(const ConsoleHistory&) = delete;

    History* handle() const { return history_; }

    // Keeps an entered line (without its newline) and writes the file at once, so a run
    // that ends abruptly loses nothing. Blank and overlong lines are not kept.
    void add(std::string_view line);

  private:
    void notKept(const char* reason);

    std::filesystem::path path_;
    platform::MessageService& msg_;
    History* history_ = nullptr;
};

}  // namespace rz::app
