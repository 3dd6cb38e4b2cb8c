#pragma once
// A file being saved. The bytes go to a temporary file in the target's folder, which
// replaces the target only when everything was written: a failed save leaves the previous
// file as it was.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "math/value_types.hpp"

namespace rz::fileio {

class OutputFile {
  public:
    static constexpr std::size_t kBufferSize = 64 * 1024;

    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the temporary file; false when the target's folder cannot take it.
    bool open(const std::string& path);
    bool isOpen() const { return fd_ >= 0; }

    // Each returns false once any write has failed; later writes are dropped.
    bool write(const void* data, std::size_t n);
    bool print(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // A format with three conversions for the components of a vector.
    bool printVector(const char* format, const Vec3& v) {
        return print(format, double{v[0]}, double{v[1]}, double{v[2]});
    }
    bool ok() const { return !failed_; }

    // Writes out the rest and renames the temporary file over the target.
    bool commit();
    // Drops the temporary file; the target is untouched.
    void discard();

  private:
    bool flush();

    int fd_ = -1;
    std::string target_;
    std::string temp_;
    std::array<char, kBufferSize> buf_{};
    std::size_t used_ = 0;
    bool failed_ = false;
};

}  // namespace rz::fileio
