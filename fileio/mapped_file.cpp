#include "fileio/mapped_file.hpp"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/input_file.hpp"

namespace rz::fileio {

MappedFile::~MappedFile() {
    close();
}

void MappedFile::close() {
    if (mapped_) ::munmap(const_cast<std::uint8_t*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
    mapped_ = false;
}

bool MappedFile::open(const std::string& path) {
    close();
    const std::string real = platform::resolveExistingPath(path);
    if (real.empty()) return false;
    const int fd = platform::openRegularFile(real);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    // An empty file maps to nothing; its readers find it short.
    if (ok && st.st_size > 0) {
        void* p =
            ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        ok = p != MAP_FAILED;
        if (ok) {
            data_ = static_cast<const std::uint8_t*>(p);
            size_ = static_cast<std::size_t>(st.st_size);
            mapped_ = true;
        }
    }
    ::close(fd);
    return ok;
}

}  // namespace rz::fileio
