#include "fileio/output_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace rz::fileio {
namespace {

// The mode a newly created file would get: what the target has, or the usual one.
mode_t modeForTarget(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

OutputFile::~OutputFile() {
    discard();
}

bool OutputFile::open(const std::string& path) {
    discard();
    struct stat st {};
    if (path.empty() || (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))) return false;
    const std::size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = dir + "." + leaf + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return false;
    ::fchmod(fd, modeForTarget(path));
    fd_ = fd;
    target_ = path;
    temp_ = std::move(temp);
    used_ = 0;
    failed_ = false;
    return true;
}

bool OutputFile::flush() {
    std::size_t done = 0;
    while (!failed_ && done < used_) {
        const ssize_t n = ::write(fd_, buf_.data() + done, used_ - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            failed_ = true;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    used_ = 0;
    return !failed_;
}

bool OutputFile::write(const void* data, std::size_t n) {
    if (fd_ < 0) failed_ = true;
    const char* p = static_cast<const char*>(data);
    while (!failed_ && n > 0) {
        if (used_ == buf_.size() && !flush()) break;
        const std::size_t part = std::min(n, buf_.size() - used_);
        std::memcpy(buf_.data() + used_, p, part);
        used_ += part;
        p += part;
        n -= part;
    }
    return !failed_;
}

bool OutputFile::print(const char* format, ...) {
    if (fd_ < 0) failed_ = true;
    if (failed_) return false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        va_list args;
        va_start(args, format);
        const int n = std::vsnprintf(buf_.data() + used_, buf_.size() - used_, format, args);
        va_end(args);
        if (n < 0) {
            failed_ = true;
            return false;
        }
        if (static_cast<std::size_t>(n) < buf_.size() - used_) {
            used_ += static_cast<std::size_t>(n);
            return true;
        }
        // Did not fit: write out what is buffered and format once more at the start.
        if (!flush()) return false;
    }
    failed_ = true;  // a single line longer than the whole buffer
    return false;
}

bool OutputFile::commit() {
    if (fd_ < 0) return false;
    flush();
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (failed_ || !closed || ::rename(temp_.c_str(), target_.c_str()) != 0) {
        failed_ = true;
        ::unlink(temp_.c_str());
        temp_.clear();
        return false;
    }
    temp_.clear();
    return true;
}

void OutputFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

}  // namespace rz::fileio
