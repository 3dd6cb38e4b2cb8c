#pragma once
// A workstation right after start-up, its messages recorded, for the camera and view
// commands as scripts and menus use them, with helpers to read the views' image.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/settings.hpp"
#include "db/system_variables.hpp"
#include "platform/recording_sink.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace rz::test {

class StartedViews : public ::testing::Test {
  protected:
    explicit StartedViews(const db::Settings& settings = {}) { w.start(settings); }

    // Runs a command string as a menu would; the boxes it showed.
    std::vector<std::string> run(const std::string& text) {
        sink.clear();
        script::execCommandString(in, 0, text.c_str());
        return sink.boxes();
    }
    std::vector<std::string> consoleTexts() const {
        std::vector<std::string> out;
        for (const auto& m : sink.log)
            if (m.kind == platform::RecordedMessage::Kind::Console) out.push_back(m.text);
        return out;
    }

    Vec3& vec(db::SysVar v) { return db::vectorVar(in, v); }
    float& scalar(db::SysVar v) { return db::scalarVar(in, v); }

    std::vector<std::uint8_t> image() const {
        const auto p = w.views.raster.pixels();
        return {p.begin(), p.end()};
    }
    render::Rgb pixel(int x, int y) const { return w.views.raster.pixel(x, y).value(); }
    render::Rgb colour(db::WireColour c) {
        const Vec3& v = db::wireColour(in, c);
        return {static_cast<std::uint8_t>(v[0]), static_cast<std::uint8_t>(v[1]),
                static_cast<std::uint8_t>(v[2])};
    }

    platform::RecordingSink sink;
    workstation::Workstation w{sink};
    script::Interp& in = w.interp;
    db::Database& model = w.db;
};

inline const std::string kRunFailed = "ERROR: ERROR Occured! in execution.";
inline std::string err(std::string_view text) {
    return "ERROR: " + std::string(text);
}

}  // namespace rz::test
