#pragma once
// The .pts file being written. It is opened without being emptied, so that a name leading
// to the input is found out before a byte of the input is lost.

#include <cstddef>
#include <filesystem>
#include <ostream>
#include <streambuf>

#include "polyconv/input_file.hpp"

namespace rz::polyconv {

enum class OutputStatus { ok, cannot_open, is_the_input };

class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens path for writing, emptied; a file with the input's identity is left untouched.
    OutputStatus open(const std::filesystem::path& path, const FileIdentity& input);
    std::ostream& stream() { return stream_; }
    // False when any byte did not reach the file.
    bool close();

  private:
    // Hands every write straight to the file; the script writer sends large pieces.
    class Buffer : public std::streambuf {
      public:
        void attach(int fd) { fd_ = fd; }

      protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* s, std::streamsize n) override;

      private:
        bool write_all(const char* data, std::size_t n);
        int fd_ = -1;
    };

    int fd_ = -1;
    Buffer buffer_;
    std::ostream stream_{&buffer_};
};

}  // namespace rz::polyconv
