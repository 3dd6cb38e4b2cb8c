#pragma once
// Shared by the converter's tests: the data folder, temporary folders, running the real
// program and reading back the scripts it writes.

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

namespace rz::polyconv::test {

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
        std::string name = std::string("polyconv_") + info->test_suite_name() + "_" + info->name() +
                           "_" + std::to_string(::getpid());
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
    out += '\'';
    return out;
}

// Exit status of a run that did not end in time.
inline constexpr int kTimedOut = 124;

// Runs the converter in working_dir so that the file names it prints are the ones given.
// A run that hangs is killed after timeout_seconds instead of hanging the suite.
inline RunResult run_polyconv(const std::vector<std::string>& args,
                              const std::filesystem::path& working_dir = data_dir(),
                              int timeout_seconds = 60) {
    std::string command = "cd ";
    command += quoted(working_dir.string());
    command += " && timeout -k 1 " + std::to_string(timeout_seconds) + " ";
    command += quoted(POLYCONV_EXE);
    for (const auto& arg : args) {
        command += ' ';
        command += quoted(arg);
    }
    RunResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), got);
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

// What a script says about itself, gathered from its statements.
struct Script {
    std::vector<std::array<double, 3>> positions;
    std::vector<long long> patch_values;
    std::string kind;
    long long axis_total = -1;
    long long patch_total = -1;
    std::array<double, 3> bbmin{};
    std::array<double, 3> bbmax{};
};

inline Script parse_script(const std::string& text) {
    Script script;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string let, name;
        words >> let >> name;
        if (let != "let") continue;
        if (name == "axis.wv") {
            std::array<double, 3> p{};
            words >> p[0] >> p[1] >> p[2];
            script.positions.push_back(p);
        } else if (name == "patch.p") {
            long long v = 0;
            words >> v;
            script.patch_values.push_back(v);
        } else if (name == "sh.kind") {
            words >> script.kind;
        } else if (name == "sh.axis.total") {
            words >> script.axis_total;
        } else if (name == "sh.patch.total") {
            words >> script.patch_total;
        } else if (name == "sh.bbmin.v") {
            words >> script.bbmin[0] >> script.bbmin[1] >> script.bbmin[2];
        } else if (name == "sh.bbmax.v") {
            words >> script.bbmax[0] >> script.bbmax[1] >> script.bbmax[2];
        }
    }
    return script;
}

}  // namespace rz::polyconv::test
