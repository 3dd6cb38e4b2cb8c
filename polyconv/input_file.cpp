#include "polyconv/input_file.hpp"

#include <algorithm>
#include <array>
#include <fstream>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>

namespace rz::polyconv {
namespace {

char ascii_lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b,
                              [](char x, char y) { return ascii_lower(x) == ascii_lower(y); });
}

}  // namespace

std::filesystem::path resolve_input_path(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error) || !path.has_filename()) return path;
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const std::string wanted = path.filename().string();
    std::optional<std::filesystem::path> match;
    std::filesystem::directory_iterator it(folder, error);
    if (error) return path;
    for (const auto end = std::filesystem::directory_iterator(); it != end; it.increment(error)) {
        if (error) return path;
        if (!equal_ignoring_case(it->path().filename().string(), wanted)) continue;
        if (match) return path;
        match = it->path();
    }
    return match.value_or(path);
}

InputFile read_input_file(const std::filesystem::path& path, std::size_t max_bytes) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return {InputStatus::not_found, {}};
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) return {InputStatus::not_found, {}};

    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > max_bytes) return {InputStatus::too_large, {}};
    try {
        std::string bytes;
        if (!error) bytes.reserve(static_cast<std::size_t>(size));
        // Pipes and devices have no size; read them in pieces under the same limit.
        std::array<char, 1 << 16> chunk{};
        while (file) {
            file.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            const auto got = static_cast<std::size_t>(file.gcount());
            if (got > max_bytes - bytes.size()) return {InputStatus::too_large, {}};
            bytes.append(chunk.data(), got);
        }
        if (file.bad()) return {InputStatus::not_found, {}};
        return {InputStatus::ok, std::move(bytes)};
    } catch (const std::bad_alloc&) {
        return {InputStatus::too_large, {}};
    }
}

}  // namespace rz::polyconv
