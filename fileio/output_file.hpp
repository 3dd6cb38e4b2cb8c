#pragma once
// A file being saved, through a fixed buffer. The bytes go to a temporary file beside the
// real target (platform::FileReplacement), which replaces it only when everything was
// written: a failed save leaves the previous file as it was.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "math/value_types.hpp"
#include "platform/file_replacement.hpp"

namespace rz::fileio {

class OutputFile {
  public:
    static constexpr std::size_t kBufferSize = 64 * 1024;

    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the temporary file; false when the target may not be saved (a write-protected
    // file, not a regular file) or its folder cannot take it.
    bool open(const std::string& path);
    bool isOpen() const { return file_.isOpen(); }

    // Each returns false once any write has failed; later writes are dropped.
    bool write(const void* data, std::size_t n);
    bool print(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // A format with three conversions for the components of a vector.
    bool printVector(const char* format, const Vec3& v) {
        return print(format, double{v[0]}, double{v[1]}, double{v[2]});
    }
    bool ok() const { return !failed_; }

    // Writes out the rest and puts it in the target's place, synced to disk.
    bool commit();
    // Drops the temporary file; the target is untouched.
    void discard();

  private:
    bool flush();

    platform::FileReplacement file_;
    std::array<char, kBufferSize> buf_{};
    std::size_t used_ = 0;
    bool failed_ = false;
};

}  // namespace rz::fileio
