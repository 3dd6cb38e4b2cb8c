#include "app/console_history.hpp"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace rz::app {
namespace {

constexpr std::string_view kAppFolder = "rovora_z";
constexpr std::string_view kFileName = "history";

bool absolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

// Makes every missing folder of dir, private to the user as state folders should be.
bool makeFolders(const std::filesystem::path& dir) {
    std::filesystem::path partial;
    for (const std::filesystem::path& part : dir) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat st {};
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::filesystem::path historyPath(const char* xdgStateHome, const char* home) {
    std::filesystem::path base;
    // Relative values are to be ignored, so the history does not move with the current folder.
    if (absolute(xdgStateHome)) {
        base = xdgStateHome;
    } else if (absolute(home)) {
        base = std::filesystem::path(home) / ".local" / "state";
    } else {
        return {};
    }
    return base / kAppFolder / kFileName;
}

std::filesystem::path historyPath() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr) home = pw->pw_dir;
    }
    return historyPath(std::getenv("XDG_STATE_HOME"), home);
}

ConsoleHistory::ConsoleHistory(std::filesystem::path path, platform::MessageService& msg,
                               int entries)
    : path_(std::move(path)), msg_(msg), history_(history_init()) {
    if (history_ == nullptr) return;
    HistEvent ev{};
    history(history_, &ev, H_SETSIZE, entries);
    history(history_, &ev, H_SETUNIQUE, 1);
    if (path_.empty()) {
        notKept("no home folder");
        return;
    }
    if (!makeFolders(path_.parent_path())) {
        notKept(std::strerror(errno));
        return;
    }
    if (::access(path_.c_str(), F_OK) == 0 && history(history_, &ev, H_LOAD, path_.c_str()) < 0)
        notKept("the file cannot be read");
}

ConsoleHistory::~ConsoleHistory() {
    if (history_ != nullptr) history_end(history_);
}

void ConsoleHistory::add(std::string_view line) {
    if (history_ == nullptr || line.size() > kLongestLine) return;
    if (line.find_first_not_of(" \t\r") == std::string_view::npos) return;
    const std::string text(line);
    HistEvent ev{};
    history(history_, &ev, H_ENTER, text.c_str());
    if (!path_.empty() && history(history_, &ev, H_SAVE, path_.c_str()) < 0)
        notKept("the file cannot be written");
}

void ConsoleHistory::notKept(const char* reason) {
    std::string line = "rovora_z: the history is not kept";
    if (!path_.empty()) line += " in " + path_.string();
    line += ": ";
    line += reason;
    line += '\n';
    msg_.diagnostic(line);
    path_.clear();
}

}  // namespace rz::app
