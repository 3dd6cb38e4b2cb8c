#include "platform/input_file.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace rz::platform {

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool InputFile::open(const std::string& path) {
    const std::string real = resolveExistingPath(path);
    if (real.empty()) return false;
    const int fd = openRegularFile(real);
    if (fd < 0) return false;
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
    mem_ = memEnd_ = nullptr;
    pos_ = len_ = pushed_ = 0;
    return true;
}

bool InputFile::fill() {
    if (fd_ < 0) return false;
    for (;;) {
        const ssize_t n = ::read(fd_, buf_.data(), buf_.size());
        if (n > 0) {
            pos_ = 0;
            len_ = static_cast<std::size_t>(n);
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        return false;
    }
}

int openRegularFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    // Without blocking, in case the name was swapped for a FIFO since the look; what was
    // opened is checked once more.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string resolveExistingPath(const std::string& path) {
    if (path.empty()) return {};
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return path;
    const std::size_t slash = path.rfind('/');
    const std::string dir =
        slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    const std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) return {};
    std::string found;
    int matches = 0;
    while (const dirent* e = ::readdir(d)) {
        if (::strcasecmp(e->d_name, leaf.c_str()) == 0) {
            ++matches;
            found = e->d_name;
        }
    }
    ::closedir(d);
    if (matches != 1) return {};
    return slash == std::string::npos ? found : path.substr(0, slash + 1) + found;
}

}  // namespace rz::platform
