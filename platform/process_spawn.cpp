#include "platform/process_spawn.hpp"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace rz::platform {
namespace {

bool isExecutable(const std::string& path) {
    return ::access(path.c_str(), X_OK) == 0;
}

std::string executableDirectory() {
    std::array<char, 4096> buf{};
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return {};
    const std::string exe(buf.data(), static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/'));
}

}  // namespace

std::string findProgram(const std::string& name) {
    if (const std::string dir = executableDirectory(); !dir.empty()) {
        if (const std::string beside = dir + "/" + name; isExecutable(beside)) return beside;
    }
    const char* path = std::getenv("PATH");
    if (path == nullptr) return {};
    const std::string list(path);
    for (std::size_t start = 0; start <= list.size();) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos) end = list.size();
        const std::string dir = list.substr(start, end - start);
        if (!dir.empty()) {
            if (const std::string candidate = dir + "/" + name; isExecutable(candidate))
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

int runProgram(const std::string& path, std::span<const std::string> args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace rz::platform
