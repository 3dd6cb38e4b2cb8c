#pragma once
// Workstations without windows for the file tests: each has its own interpreter and model,
// so a file written by one can be read into a fresh one. Files go to a folder of their own
// that is removed afterwards.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "db/settings.hpp"
#include "platform/recording_sink.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace rz::test {

struct Workstation {
    explicit Workstation(const db::Settings& settings = {}) { w.start(settings); }
    // Runs a command string as a menu would; the boxes it showed.
    std::vector<std::string> run(const std::string& text) {
        sink.clear();
        script::execCommandString(in, 0, text.c_str());
        return sink.boxes();
    }
    float scalar(const char* name) { return in.sym.scalar(in.sym.lookup(name)); }
    Vec3 vector(const char* name) { return in.sym.vector(in.sym.lookup(name)); }

    platform::RecordingSink sink;
    workstation::Workstation w{sink};
    platform::MessageService& msg = w.msg;
    script::Interp& in = w.interp;
    db::Database& model = w.db;
};

class FileTest : public ::testing::Test {
  protected:
    FileTest() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "rz_fileio_XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
        EXPECT_FALSE(dir_.empty());
    }
    ~FileTest() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    // Appended rather than prefixed: GCC 12 at -O3 takes the prefix insert for an overlapping
    // copy (-Wrestrict), which fails the warnings-as-errors build.
    std::string quoted(const std::string& name) const {
        std::string q = "\"";
        q += path(name);
        q += '"';
        return q;
    }

    std::string readFile(const std::string& name) const {
        std::ifstream f(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }
    void writeFile(const std::string& name, const std::string& bytes) const {
        std::ofstream f(path(name), std::ios::binary | std::ios::trunc);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(path(name)); }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir_))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string dir_;
};

inline std::string err(std::string_view text) {
    return "ERROR: " + std::string(text);
}
inline const std::string kRunFailed = "ERROR: ERROR Occured! in execution.";

// An expected file of tests/data/fileio.
inline std::string dataFile(const std::string& name) {
    std::ifstream f(std::string(ROVORA_SOURCE_DIR) + "/tests/data/fileio/" + name,
                    std::ios::binary);
    EXPECT_TRUE(f.good()) << name;
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

}  // namespace rz::test
