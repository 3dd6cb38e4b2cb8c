#include "polyconv/input_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

namespace rz::polyconv {
namespace {

// Closes the file however reading ends.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }

  private:
    int fd_;
};

InputFile refused(InputStatus status) {
    return {status, {}, {}};
}

char ascii_lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b,
                              [](char x, char y) { return ascii_lower(x) == ascii_lower(y); });
}

}  // namespace

std::filesystem::path resolve_input_path(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error) || !path.has_filename()) return path;
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const std::string wanted = path.filename().string();
    std::optional<std::filesystem::path> match;
    std::filesystem::directory_iterator it(folder, error);
    if (error) return path;
    for (const auto end = std::filesystem::directory_iterator(); it != end; it.increment(error)) {
        if (error) return path;
        if (!equal_ignoring_case(it->path().filename().string(), wanted)) continue;
        if (match) return path;
        match = it->path();
    }
    return match.value_or(path);
}

InputFile read_input_file(const std::filesystem::path& path, std::size_t max_bytes) {
    // Without O_NONBLOCK, opening a FIFO would wait for a writer that may never come.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0) return refused(InputStatus::not_found);
    if (!S_ISREG(info.st_mode)) return refused(InputStatus::not_regular);
    const auto size = static_cast<std::uintmax_t>(info.st_size);
    if (size > max_bytes) return refused(InputStatus::too_large);
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return refused(InputStatus::not_found);

    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(file.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return refused(InputStatus::not_found);
        // A file that shrank since it was measured ends early; one that grew is cut at
        // the size it had, so the limit holds either way.
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return {InputStatus::ok, std::move(bytes), FileIdentity{info.st_dev, info.st_ino}};
}

}  // namespace rz::polyconv
