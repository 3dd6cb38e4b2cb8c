// Random sequences of primitives, loads, layer changes, copies, deletions and undos, with
// the model-integrity check after every step. A failing sequence is shrunk to a short one
// that still fails and printed, so that it can become a test of its own.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "../fileio/sample_model.hpp"
#include "../support/model_integrity.hpp"
#include "geometry/primitives.hpp"

namespace rz::test {
namespace {

// Stores small enough that sequences reach the capacity limits.
db::Settings smallStores() {
    db::Settings s;
    db::Capacities& c = s.capacity;
    c.axismax = 1400;  // 400 usable by checked operations
    c.patchmax = 400;
    c.shapemax = 48;
    c.blockmax = 24;
    c.rigidmax = 8;
    c.rlinkmax = 16;
    c.actormax = 6;
    c.affinemax = 48;
    c.attrimax = 16;
    c.maplistmax = 16;
    c.mapinfomax = 12;
    c.mapdatamax = 8;
    c.mapimagemax = 4096;
    return s;
}

// One step: a statement, or (while no statement sets them in bulk) a layer state written
// straight into a shape or block record, as the selection tools would leave it.
struct Step {
    enum class Kind { Statement, ShapeLayer, BlockLayer };
    Kind kind = Kind::Statement;
    std::string statement;
    int record = 0;
    std::uint8_t layer = 0;

    std::string text() const {
        if (kind == Kind::Statement) return statement;
        return std::string(kind == Kind::ShapeLayer ? "<shape " : "<block ") +
               std::to_string(record) + " layer " + std::to_string(layer) + ">";
    }
};

class Generator {
  public:
    Generator(std::uint32_t seed, const std::string& dir) : random_(seed), dir_(dir) {}

    Step next() {
        switch (pick(19)) {
            case 0:
            case 1:
                return primitive();
            case 2:
                return statement(load());
            case 3:
            case 4:
            case 5:
                return {Step::Kind::ShapeLayer, {}, pick(12), layer()};
            case 6:
                return {Step::Kind::BlockLayer, {}, pick(8), layer()};
            case 7:
            case 8:
                return statement("mdlcopy" + layerArgument());
            case 9:
            case 10:
                return statement("mdldel" + layerArgument());
            case 11:
                return statement("block.del" + layerArgument());
            case 12:
                return statement("allinfo.del" + layerArgument());
            case 13:
            case 14:
                return statement("undomodel");
            case 15:
                return statement("delete.block");
            case 16:
                return statement(pick(2) == 0 ? "new.block" : "add.block");
            case 17:
                return statement("let div " + std::to_string(pick(4)) + "; link.atr div");
            default:
                return statement(pick(4) == 0 ? "modelinit" : "capa.mdl");
        }
    }

  private:
    static constexpr std::array<std::uint8_t, 4> kLayers{0, 1, 2, 10};

    static Step statement(std::string text) { return {Step::Kind::Statement, std::move(text)}; }
    std::uint8_t layer() { return kLayers[static_cast<std::size_t>(pick(4))]; }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::string layerArgument() {
        static constexpr std::array<const char*, 5> kArguments{"", " 0", " 1", " L.HIDE", " 10"};
        return kArguments[static_cast<std::size_t>(pick(5))];
    }

    Step primitive() {
        const int code = pick(geometry::kPrimKindCount);
        const int size = 10 + pick(40);
        return statement("let b.cursor.code " + std::to_string(code) +
                         "; let box.s 0 0 0; let box.e " + std::to_string(size) +
                         " 20 30; let div " + std::to_string(1 + pick(4)) + "; let direc " +
                         std::to_string(1 + pick(3)) + "; let t.ratio 0.5; " +
                         "set.primitive box.s, box.e, t.ratio, div, direc, futa");
    }

    std::string load() {
        static constexpr std::array<const char*, 3> kFiles{"sample.ptb", "sample.mmb",
                                                           "sample.pts"};
        return "read \"" + dir_ + "/" + kFiles[static_cast<std::size_t>(pick(3))] + "\"";
    }

    std::mt19937 random_;
    const std::string& dir_;
};

// Runs the steps on a fresh model; the text of the first failure, empty when none.
std::string replay(const std::vector<Step>& steps) {
    Workstation ws(smallStores());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        db::Database& m = ws.model;
        if (s.kind == Step::Kind::Statement) {
            ws.run(s.statement + ";");
        } else if (s.kind == Step::Kind::ShapeLayer && m.shapeCount > 0) {
            m.shapes[static_cast<std::size_t>(s.record % m.shapeCount)].layer = s.layer;
        } else if (s.kind == Step::Kind::BlockLayer && m.blockCount > 1) {
            m.blocks[static_cast<std::size_t>(1 + s.record % (m.blockCount - 1))].layer = s.layer;
        }
        const IntegrityCheck check(ws.model);
        if (!check.ok()) return "after step " + std::to_string(i + 1) + ":\n" + check.report();
    }
    return {};
}

// Drops steps one at a time as long as the sequence still fails.
std::vector<Step> shrink(std::vector<Step> steps) {
    bool smaller = true;
    while (smaller) {
        smaller = false;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            std::vector<Step> fewer = steps;
            fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(i));
            if (!replay(fewer).empty()) {
                steps = std::move(fewer);
                smaller = true;
                break;
            }
        }
    }
    return steps;
}

class ModelPropertyTest : public FileTest {};

TEST_F(ModelPropertyTest, RandomEditSequencesKeepTheModelSound) {
    {
        Workstation source(smallStores());
        buildSampleModel(source, dir_, true);
        for (const char* name : {"sample.ptb", "sample.mmb", "sample.pts"})
            ASSERT_EQ(source.run("write " + quoted(name)), std::vector<std::string>{});
    }
    constexpr int kSequences = 3000;
    constexpr int kLength = 20;
    const auto start = std::chrono::steady_clock::now();
    for (int seed = 0; seed < kSequences; ++seed) {
        Generator generate(static_cast<std::uint32_t>(seed), dir_);
        std::vector<Step> steps;
        for (int i = 0; i < kLength; ++i) steps.push_back(generate.next());
        if (replay(steps).empty()) continue;
        const std::vector<Step> shortest = shrink(steps);
        std::string text;
        for (const Step& s : shortest) text += "  " + s.text() + "\n";
        FAIL() << "seed " << seed << " fails; shortest sequence:\n" << text << replay(shortest);
    }
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d sequences of %d steps in %.1f s\n", kSequences, kLength, seconds);
}

}  // namespace
}  // namespace rz::test
