#pragma once
// The input file read whole into memory, and the identity by which the output is kept from
// being the input.

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string>

namespace rz::polyconv {

enum class InputStatus { ok, not_found, not_regular, too_large };

// Which file a name leads to, however it is spelt: a symbolic or hard link and any other
// path to the same file have the same identity.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

struct InputFile {
    InputStatus status = InputStatus::not_found;
    std::string bytes;
    FileIdentity identity;
};

// The whole file as bytes. Only a regular file is read: a device or a pipe may never end
// and has no size to check first, and a directory holds no text. A file larger than
// max_bytes is refused before anything is read.
InputFile read_input_file(const std::filesystem::path& path, std::size_t max_bytes);

// Names typed for files that came from Windows often differ in case only: when the exact
// name does not exist, a unique case-insensitive match in the same folder is used.
std::filesystem::path resolve_input_path(const std::filesystem::path& path);

}  // namespace rz::polyconv
