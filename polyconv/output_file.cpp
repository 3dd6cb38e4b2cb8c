#include "polyconv/output_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace rz::polyconv {

OutputFile::~OutputFile() {
    if (fd_ >= 0) ::close(fd_);
}

OutputStatus OutputFile::open(const std::filesystem::path& path, const FileIdentity& input) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) return OutputStatus::cannot_open;
    buffer_.attach(fd_);
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return OutputStatus::cannot_open;
    if (FileIdentity{info.st_dev, info.st_ino} == input) return OutputStatus::is_the_input;
    // Only a regular file has old contents; a device or a pipe takes the script as it is.
    if (S_ISREG(info.st_mode) && ::ftruncate(fd_, 0) != 0) return OutputStatus::cannot_open;
    return OutputStatus::ok;
}

bool OutputFile::close() {
    stream_.flush();
    bool written = fd_ >= 0 && stream_.good();
    if (fd_ >= 0 && ::close(fd_) != 0) written = false;
    fd_ = -1;
    return written;
}

OutputFile::Buffer::int_type OutputFile::Buffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return write_all(&byte, 1) ? c : traits_type::eof();
}

std::streamsize OutputFile::Buffer::xsputn(const char* s, std::streamsize n) {
    return write_all(s, static_cast<std::size_t>(n)) ? n : 0;
}

bool OutputFile::Buffer::write_all(const char* data, std::size_t n) {
    while (n > 0) {
        const ssize_t done = ::write(fd_, data, n);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        data += done;
        n -= static_cast<std::size_t>(done);
    }
    return true;
}

}  // namespace rz::polyconv
