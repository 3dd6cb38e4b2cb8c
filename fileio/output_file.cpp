#include "fileio/output_file.hpp"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace rz::fileio {

bool OutputFile::open(const std::string& path) {
    used_ = 0;
    failed_ = false;
    return file_.begin(path);
}

bool OutputFile::flush() {
    if (!failed_ && !file_.write(std::string_view(buf_.data(), used_))) failed_ = true;
    used_ = 0;
    return !failed_;
}

bool OutputFile::write(const void* data, std::size_t n) {
    if (!isOpen()) failed_ = true;
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
    if (!isOpen()) failed_ = true;
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
    if (!isOpen()) return false;
    if (!flush() || !file_.commit()) {
        failed_ = true;
        file_.discard();
        return false;
    }
    return true;
}

void OutputFile::discard() {
    file_.discard();
}

}  // namespace rz::fileio
