// Sequences of whole-model edits decoded from arbitrary bytes, run on a started model that
// has a record in every store, with the model-integrity check after every statement. Two
// bytes make one step: which edit, and a small argument for it. Any broken reference ends
// the run with the check's report.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../support/model_integrity.hpp"
#include "db/database.hpp"
#include "fuzz_support.hpp"
#include "platform/null_sink.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace {

// Three primitives in blocks 1 to 3, their shapes linked to an attribute and to a mapinfo
// whose image is cut from the colour buffer, and a joint between blocks 1 and 2 in actor 1.
constexpr const char* kStartModel = R"(
let box.s 0 0 0; let box.e 10 20 30; let div 2; let direc 3; let t.ratio 0.5
let b.cursor.code 0; set.primitive box.s, box.e, t.ratio, div, direc, futa
let b.cursor.code 6; set.primitive box.s, box.e, t.ratio, div, direc, futa
let b.cursor.code 15; set.primitive box.s, box.e, t.ratio, div, direc, futa
let img.s.left 0; let img.s.top 0; let img.s.right 3; let img.s.bottom 3; let div 2
set.mapimage div, img.s.left, img.s.top, img.s.right, img.s.bottom
load.mapinfo 1; let m.tex.id 1; set.mapinfo
load.maplist 1; let m.mapinfo 1; let m.next 0; set.maplist
load.atr 1; set.atr
let div 1; link.atr div; link.mapinfo 1
load.block 1; let b.rlink.id 0; set.block
load.rigid 0; let rigid.block1.id 1; let rigid.block2.id 2; let rigid.actor.id 1; set.rigid
load.rlink 0; let rlink.rigid.id 0; let rlink.next -1; set.rlink
load.actor 1; let actor.start.rigid 0; set.actor
)";

constexpr std::array<const char*, 4> kLayerArguments{"", " 0", " 1", " 2"};

void fillColorBuffer(rz::db::ColorBuffer& c) {
    c.width = 8;
    c.height = 8;
    c.pixels.resize(static_cast<std::size_t>(c.width) * c.height * 4);
    for (std::size_t i = 0; i < c.pixels.size(); ++i) c.pixels[i] = static_cast<std::uint8_t>(i);
}

// The statement of one step, or empty for a layer written into a record.
std::string decode(rz::db::Database& db, std::uint8_t op, std::uint8_t arg) {
    const std::string layer = kLayerArguments[arg % kLayerArguments.size()];
    switch (op % 14) {
        case 0:
            return "let b.cursor.code " + std::to_string(arg % 16) +
                   "; set.primitive box.s, box.e, t.ratio, div, direc, futa";
        case 1:
            if (db.shapeCount > 0) db.shapes[(arg >> 2) % db.shapeCount].layer = arg & 3;
            return {};
        case 2:
            if (db.blockCount > 1) db.blocks[1 + (arg >> 2) % (db.blockCount - 1)].layer = arg & 3;
            return {};
        case 3:
            return "mdlcopy" + layer;
        case 4:
            return "mdldel" + layer;
        case 5:
            return "block.del" + layer;
        case 6:
            return "allinfo.del" + layer;
        case 7:
            return "undomodel";
        case 8:
            return "delete.block";
        case 9:
            return "new.block";
        case 10:
            return "add.block";
        case 11:
            return "let div " + std::to_string(arg % 3) + "; link.atr div";
        case 12:
            return "capa.mdl";
        default:
            return "modelinit";
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rz::platform::NullSink sink;
    rz::workstation::Workstation w(sink);
    w.start(rz::fuzz::smallStores());
    rz::db::Database& model = w.db;
    fillColorBuffer(model.colorBuffer);
    rz::script::execCommandString(w.interp, 0, kStartModel);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const std::string statement = decode(model, data[i], data[i + 1]);
        if (!statement.empty())
            rz::script::execCommandString(w.interp, 0, (statement + ";").c_str());
        const rz::test::IntegrityCheck check(model);
        if (!check.ok()) {
            std::fprintf(stderr, "after step %zu (%s):\n%s", i / 2 + 1, statement.c_str(),
                         check.report().c_str());
            std::abort();
        }
    }
    return 0;
}
