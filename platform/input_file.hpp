#pragma once
// A byte stream for the lexer: a file read through a fixed buffer, or a block of memory.
// A closed stream is always at its end; it stands in for standard input inside the core,
// which reads its console input line by line in the front end instead.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace rz::platform {

class InputFile {
  public:
    InputFile() = default;
    explicit InputFile(std::string_view memory)
        : mem_(memory.data()), memEnd_(memory.data() + memory.size()) {}
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens a regular file for reading (openRegularFile); a missing file is also looked for
    // under a unique case-insensitive match of its last component.
    bool open(const std::string& path);
    bool isOpen() const { return fd_ >= 0 || mem_ != nullptr; }

    // The next byte, or -1 at the end.
    int get() {
        if (pushed_ > 0) return pushback_[--pushed_];
        if (mem_ != nullptr) return mem_ < memEnd_ ? static_cast<unsigned char>(*mem_++) : -1;
        if (pos_ == len_ && !fill()) return -1;
        return static_cast<unsigned char>(buf_[pos_++]);
    }
    // Pushes a byte back; -1 is ignored. Four bytes of push-back are kept (a UTF-8 letter and a
    // carriage return).
    void unget(int c) {
        if (c >= 0 && pushed_ < pushback_.size()) pushback_[pushed_++] = c;
    }

  private:
    bool fill();

    int fd_ = -1;
    const char* mem_ = nullptr;
    const char* memEnd_ = nullptr;
    std::array<char, 8192> buf_{};
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    std::array<int, 4> pushback_{};
    std::size_t pushed_ = 0;
};

// Opens a file for reading when it is a regular file; -1 for anything else. A FIFO, a device
// or a folder is turned down before it could block the open or feed a reader bytes without
// end.
int openRegularFile(const std::string& path);

// The existing file for a name: the name itself, or the unique entry of its folder whose
// name matches the last component case-insensitively. Empty when there is none.
std::string resolveExistingPath(const std::string& path);

}  // namespace rz::platform
