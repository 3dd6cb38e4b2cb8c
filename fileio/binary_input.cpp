#include "fileio/binary_input.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/input_file.hpp"

namespace rz::fileio {

BinaryInput::~BinaryInput() {
    if (fd_ >= 0) ::close(fd_);
}

bool BinaryInput::open(const std::string& path) {
    const std::string real = platform::resolveExistingPath(path);
    if (real.empty()) return false;
    const int fd = platform::openRegularFile(real);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return false;
    }
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
    mem_ = nullptr;
    size_ = static_cast<std::uint64_t>(st.st_size);
    pos_ = 0;
    head_ = tail_ = 0;
    return true;
}

bool BinaryInput::fillFile(std::size_t need) {
    if (tail_ - head_ >= need) return true;
    if (head_ > 0) {
        std::memmove(buf_.data(), buf_.data() + head_, tail_ - head_);
        tail_ -= head_;
        head_ = 0;
    }
    while (tail_ < need) {
        const ssize_t n = ::read(fd_, buf_.data() + tail_, buf_.size() - tail_);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;  // the file is shorter than it was when opened
        tail_ += static_cast<std::size_t>(n);
    }
    return true;
}

const std::uint8_t* BinaryInput::take(std::size_t n) {
    if (n > kChunk || n > remaining()) return nullptr;
    if (mem_ != nullptr) {
        const std::uint8_t* p = mem_ + pos_;
        pos_ += n;
        return p;
    }
    if (fd_ < 0 || !fillFile(n)) return nullptr;
    const std::uint8_t* p = buf_.data() + head_;
    head_ += n;
    pos_ += n;
    return p;
}

bool BinaryInput::read(std::uint8_t* dst, std::size_t n) {
    if (n > remaining()) return false;
    while (n > 0) {
        const std::size_t part = std::min(n, kChunk);
        const std::uint8_t* p = take(part);
        if (p == nullptr) return false;
        std::memcpy(dst, p, part);
        dst += part;
        n -= part;
    }
    return true;
}

bool BinaryInput::skip(std::uint64_t n) {
    if (n > remaining()) return false;
    if (mem_ == nullptr) {
        const std::size_t buffered = tail_ - head_;
        if (n <= buffered) {
            head_ += static_cast<std::size_t>(n);
        } else {
            if (::lseek(fd_, static_cast<off_t>(pos_ + n), SEEK_SET) < 0) return false;
            head_ = tail_ = 0;
        }
    }
    pos_ += n;
    return true;
}

bool BinaryInput::rewind() {
    if (mem_ == nullptr) {
        if (fd_ < 0 || ::lseek(fd_, 0, SEEK_SET) != 0) return false;
        head_ = tail_ = 0;
    }
    pos_ = 0;
    return true;
}

}  // namespace rz::fileio
