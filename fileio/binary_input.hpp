#pragma once
// A binary file read in fixed-size chunks, or a block of memory read the same way. Every
// read is checked against the bytes that are really there, so a reader never runs past
// the end of its input.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace rz::fileio {

class BinaryInput {
  public:
    static constexpr std::size_t kChunk = 64 * 1024;

    BinaryInput() = default;
    explicit BinaryInput(std::span<const std::uint8_t> memory)
        : mem_(memory.data()), size_(memory.size()) {}
    ~BinaryInput();
    BinaryInput(const BinaryInput&) = delete;
    BinaryInput& operator=(const BinaryInput&) = delete;

    // Opens a regular file; a missing name is also looked for case-insensitively.
    bool open(const std::string& path);
    bool isOpen() const { return fd_ >= 0 || mem_ != nullptr; }

    // The next n bytes (n <= kChunk), valid until the next call; null when fewer remain.
    const std::uint8_t* take(std::size_t n);
    // Copies the next n bytes; false when fewer remain.
    bool read(std::uint8_t* dst, std::size_t n);
    // Steps over n bytes; false when fewer remain.
    bool skip(std::uint64_t n);
    // Back to the first byte, for a second pass over the same input.
    bool rewind();
    std::uint64_t remaining() const { return size_ - pos_; }

  private:
    bool fillFile(std::size_t need);

    int fd_ = -1;
    const std::uint8_t* mem_ = nullptr;
    std::uint64_t size_ = 0;
    std::uint64_t pos_ = 0;  // logical position in the input
    // Buffered bytes of a file: buf_[head_, tail_) are the bytes at pos_ onward.
    std::array<std::uint8_t, kChunk> buf_{};
    std::size_t head_ = 0;
    std::size_t tail_ = 0;
};

}  // namespace rz::fileio
