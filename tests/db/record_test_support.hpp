#pragma once
// A started interpreter and model with small stores for the record commands, and the
// helpers to drive them as a user does: statements in, boxes and status texts out.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "db/settings.hpp"
#include "platform/message_sink.hpp"
#include "script/messages.hpp"
#include "started_database.hpp"

namespace rz::test {

// Stores small enough that a test fills them in a few statements.
inline db::Settings smallRecordStores() {
    db::Settings s;
    s.capacity.shapemax = 12;
    s.capacity.blockmax = 4;
    s.capacity.attrimax = 6;
    s.capacity.mapinfomax = 6;
    s.capacity.maplistmax = 8;
    s.capacity.mapdatamax = 3;
    s.capacity.mapimagemax = 64;
    s.capacity.rigidmax = 3;
    s.capacity.rlinkmax = 8;
    s.capacity.actormax = 3;
    return s;
}

inline std::string errorText(std::string_view text) {
    return "ERROR: " + std::string(text);
}
inline const std::string kRunFailed = "ERROR: ERROR Occured! in execution.";

class RecordTest : public StartedDatabase {
  protected:
    explicit RecordTest(const db::Settings& settings = smallRecordStores())
        : StartedDatabase(settings) {}

    // Runs statements after forgetting earlier messages.
    void runFresh(const std::string& text) {
        sink.clear();
        run(text);
    }

    std::vector<std::string> titled(std::string_view title) const {
        std::vector<std::string> out;
        for (const auto& m : sink.log)
            if (m.kind == platform::RecordedMessage::Kind::Box && m.title == title)
                out.push_back(m.text);
        return out;
    }
    std::vector<std::string> errors() const { return titled(platform::kErrorTitle); }
    std::vector<std::string> systemBoxes() const { return titled(platform::kSystemTitle); }
    std::vector<std::string> statuses() const { return sink.statuses(); }

    float scalar(const char* name) {
        const int s = in.sym.lookup(name);
        EXPECT_NE(s, script::SymbolTable::kNone) << name;
        return s == script::SymbolTable::kNone ? 0.0f : in.sym.scalar(s);
    }
    Vec3 vector(const char* name) {
        const int s = in.sym.lookup(name);
        EXPECT_NE(s, script::SymbolTable::kNone) << name;
        return s == script::SymbolTable::kNone ? Vec3{} : in.sym.vector(s);
    }
    std::string text(const char* name) {
        const int s = in.sym.lookup(name);
        EXPECT_NE(s, script::SymbolTable::kNone) << name;
        return s == script::SymbolTable::kNone ? std::string() : std::string(in.sym.stringText(s));
    }

    // A shape of `block` on `layer` with its box, appended through shape.add as a data
    // file does; its index.
    int addShape(int block, int layer, int attribute = 0, Vec3 lo = {}, Vec3 hi = {}) {
        std::array<char, 512> s{};
        std::snprintf(s.data(), s.size(),
                      "let shape.id %d; let sh.layer %d; let sh.attrib.id %d; let sh.kind 12; "
                      "let sh.texture.id 0; let sh.bbmin.v %g %g %g; let sh.bbmax.v %g %g %g; "
                      "shape.add;",
                      block, layer, attribute, lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
        const int index = model.shapeCount;
        runFresh(s.data());
        EXPECT_EQ(errors(), std::vector<std::string>{}) << s.data();
        return index;
    }

    // Selection is the layer commands' business; tests set the layers of shapes directly.
    void selectOnly(std::initializer_list<int> shapes) {
        for (db::Shape& s : liveShapes()) s.layer = 0;
        for (const int i : shapes) model.shapes[i].layer = 1;
    }

    // Blocks 1 … n, each made by new.block from one new shape whose box is (b, b, b) to
    // (b + 1, b + 1, b + 1); nothing stays selected.
    void makeBlocks(int n) {
        for (int i = 0; i < n; ++i) {
            const float b = static_cast<float>(model.blockCount);
            const int shape = addShape(0, 0, 0, {b, b, b}, {b + 1, b + 1, b + 1});
            selectOnly({shape});
            runFresh("new.block;");
            ASSERT_EQ(errors(), std::vector<std::string>{});
        }
        selectOnly({});
    }

    std::span<db::Shape> liveShapes() {
        return {model.shapes.data(), static_cast<std::size_t>(model.shapeCount)};
    }
};

}  // namespace rz::test
