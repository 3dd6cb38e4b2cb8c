#include "platform/file_replacement.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>

namespace rz::platform {
namespace {

// As many links as the kernel itself follows before it gives up with ELOOP.
constexpr int kMaxLinks = 40;

// The folder part of a name with its trailing slash; empty for a bare name.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string leafOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A file without any write bit is one its owner protected on purpose; root, whom the
// system lets write anything, must not overwrite it either.
bool mayWrite(const std::string& path, const struct stat& st) {
    return (st.st_mode & 0222) != 0 && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The mode a file created now would get.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The replacement belongs to whoever owned the old file; only root may give a file away,
// everyone else keeps at least its group when they are in it.
void keepOwnerAndMode(int fd, const struct stat& st) {
    if (::fchown(fd, st.st_uid, st.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
    // After the owner: a change of owner clears the set-user and set-group bits.
    ::fchmod(fd, st.st_mode & 07777);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A rename is only durable once the folder that holds the names is on disk too. Some file
// systems cannot sync a folder at all (EINVAL); there the rename is as safe as it gets.
bool syncFolder(const std::string& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}

}  // namespace

std::string followLinks(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::array<char, PATH_MAX> link{};
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) == link.size()) return {};
        const std::string_view to(link.data(), static_cast<std::size_t>(n));
        // A relative link is relative to the folder that holds it.
        current = to.front() == '/' ? std::string(to) : folderOf(current) + std::string(to);
    }
    return {};
}

bool FileReplacement::begin(const std::string& path) {
    discard();
    if (path.empty()) return false;
    std::string target = followLinks(path);
    if (target.empty()) return false;
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && (!S_ISREG(st.st_mode) || !mayWrite(target, st))) return false;
    std::string temp = folderOf(target) + "." + leafOf(target) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return false;
    if (exists) {
        keepOwnerAndMode(fd, st);
    } else {
        ::fchmod(fd, newFileMode());
    }
    fd_ = fd;
    target_ = std::move(target);
    temp_ = std::move(temp);
    return true;
}

bool FileReplacement::write(std::string_view bytes) {
    return fd_ >= 0 && writeAll(fd_, bytes);
}

bool FileReplacement::commit() {
    if (fd_ < 0) return false;
    struct stat st {};
    const bool linked = ::stat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink > 1;
    const bool done = ::fsync(fd_) == 0 && (linked ? copyInto() : renameOver());
    discard();
    return done;
}

bool FileReplacement::renameOver() {
    if (::rename(temp_.c_str(), target_.c_str()) != 0) return false;
    temp_.clear();
    return syncFolder(folderOf(target_));
}

// A file with several hard links: a rename would give this one name a new file and leave
// every other name with the old contents. So the contents are copied into the file all the
// names share, which cannot be atomic: a failure part way (a full disk, a crash) leaves the
// target cut short. They were written whole to the temporary file first, so at least a
// failing writer never gets that far.
bool FileReplacement::copyInto() {
    const int out = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
    if (out < 0) return false;
    bool ok = ::lseek(fd_, 0, SEEK_SET) == 0;
    std::array<char, 16 * 1024> chunk{};
    while (ok) {
        const ssize_t n = ::read(fd_, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        ok = writeAll(out, std::string_view(chunk.data(), static_cast<std::size_t>(n)));
    }
    ok = ok && ::fsync(out) == 0;
    return ::close(out) == 0 && ok;
}

void FileReplacement::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
    target_.clear();
}

}  // namespace rz::platform
