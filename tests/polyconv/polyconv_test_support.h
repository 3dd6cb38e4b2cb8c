#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace polyconv_test {

inline std::filesystem::path data_dir() {
    return std::filesystem::path(ROVORA_SOURCE_DIR) / "tests" / "data" / "polyconv";
}

inline std::string read_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_bytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A fresh folder per test, removed again at the end; ctest runs tests in parallel.
class TempDir {
public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("polyconv_") + info->test_suite_name() + "_" + info->name() + "_" +
                           std::to_string(::getpid());
        for (char& c : name) {
            if (c == '/') c = '_';
        }
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

struct RunResult {
    int exit_code = -1;
    std::string output;
};

inline std::string quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out += c;
        }
    }
    return out + "'";
}

// Runs the converter in working_dir so that the file names it prints are the ones given.
inline RunResult run_polyconv(const std::vector<std::string>& args,
                              const std::filesystem::path& working_dir = data_dir()) {
    std::string command = "cd " + quoted(working_dir.string()) + " && " + quoted(POLYCONV_EXE);
    for (const auto& arg : args) command += " " + quoted(arg);
    RunResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), got);
    const int status = ::pclose(pipe);
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline std::size_t count_lines(const std::string& text, const std::string& line) {
    std::size_t count = 0;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) count += l + "\n" == line ? 1 : 0;
    return count;
}

}  // namespace polyconv_test
