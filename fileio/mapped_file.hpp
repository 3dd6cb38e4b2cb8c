#pragma once
// A whole file seen as read-only memory, for the image readers that jump to offsets the file
// itself names. Nothing is copied: the pages come in as the reader touches them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace rz::fileio {

class MappedFile {
  public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // A regular file, also found by a case-insensitive match as the other readers find
    // theirs; false when there is none or it cannot be mapped.
    bool open(const std::string& path);
    std::span<const std::uint8_t> bytes() const { return {data_, size_}; }

  private:
    void close();

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    bool mapped_ = false;
};

}  // namespace rz::fileio
