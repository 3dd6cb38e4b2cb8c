#pragma once
// The input file read whole into memory, and the identity by which the output is kept from
// being the input.

#include <cstddef>
#include <filesystem>
#include <string>

namespace rz::polyconv {

enum class InputStatus { ok, not_found, too_large };

struct InputFile {
    InputStatus status = InputStatus::not_found;
    std::string bytes;
};

// The whole file as bytes, refused before reading when it is larger than max_bytes.
InputFile read_input_file(const std::filesystem::path& path, std::size_t max_bytes);

// Names typed for files that came from Windows often differ in case only: when the exact
// name does not exist, a unique case-insensitive match in the same folder is used.
std::filesystem::path resolve_input_path(const std::filesystem::path& path);

}  // namespace rz::polyconv
