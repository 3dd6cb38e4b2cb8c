// The camera, view and block-transform commands and the box cursor's mouse steps, on a
// started model with a few blocks. Each input byte picks a word from the table below
// (command words, variables, constants, numbers, vectors and separators), so the fuzzer
// spends its time on these commands instead of on the lexer; the bytes from kFirstEvent up
// are mouse events handed to the views, the two bytes after one its pixel. Nothing may crash,
// hang, or read or write outside a store. Each input starts from a fresh start-up, so a
// finding replays on its own. The seeds under seeds/view/ are byte indices into this table:
// keep its order.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "fuzz_support.hpp"
#include "platform/null_sink.hpp"
#include "render/view_mouse.hpp"
#include "script/interp.hpp"
#include "script/statement.hpp"
#include "workstation/workstation.hpp"

namespace {

constexpr auto kWords = std::to_array<std::string_view>(
    {// Camera.
     "camerainit", "volume", "autoview", "angle.x", "angle.y", "angle.z", "aim.x", "aim.y", "aim.z",
     "foward", "fowardall", "track", "undoview", "backupview", "parsview", "c.pos.fix", "c.tar.fix",
     "camera.set", "l.pos.fix", "l.tar.fix",
     // Views.
     "wire", "parswire", "draw", "winclear", "windisp", "parswinclear", "set.winfact",
     "wire.detail", "initlayer", "capture", "bcurgen", "bcurreg",
     // Boxes, the box cursor and the grid.
     "bbox.gen", "abox.gen", "blockbbox.gen", "blockON", "blockOFF", "block.resize", "trans.block",
     "block.restore", "block.move", "scale.block", "block.scaling", "set.wingrid", "abox2block",
     "trans.parts", "bcursor.target", "trans.actor", "gcursor.target", "block.default",
     "transcopy.block", "rev.anker", "set.parsgrid",
     // The matrices the tools hand their result to.
     "affine", "affine.block", "cancel.affine.block", "matinit", "matpush", "matpop", "move",
     "scale", "rot.x", "rot.y", "rot.z", "center", "center.backup", "center.restore",
     // Variables.
     "box.s", "box.e", "g.pos", "e.pos", "w.center", "grid.center", "grid.size", "grid.step",
     "grid.plane", "grid.sw", "winmode", "direc", "c.pos", "c.tar", "c.upper", "c.zoom", "box.s:x",
     "box.e:y", "g.pos:z",
     // Constants.
     "L.ACTIVE", "X.DIR", "Y.DIR", "Z.DIR", "ON", "OFF", "XY.PLANE", "ZY.PLANE", "XZ.PLANE",
     "W4.MODE", "XY.MODE", "YZ.MODE", "XZ.MODE", "PARS.MODE", "G.ABOX", "O.WIRE", "ALL.CLEAR",
     "PLANE.1.CLEAR",
     // Numbers and vectors.
     "0", "1", "2", "3", "4", "6", "11", "12", "-1", "90", "500", "-250.5", "1e9", "1e30", "0.001",
     "(0, 0, 0)", "(500, 500, 500)", "(-1e6, 3, 1e6)",
     // Separators.
     ",", ";", "(", ")", "=", "+", "-", "*", "/", "\n"});

constexpr std::uint8_t kFirstEvent = 0xF0;
static_assert(kWords.size() <= kFirstEvent);

// The blocks every input starts with: a box and a ball.
constexpr const char* kStartModel =
    "box.s = (0, 0, 0); box.e = (500, 500, 500); boxgen2 box.s, box.e;"
    "box.s = (600, 0, 0); box.e = (900, 300, 300); ballgen1 box.s, box.e, 4, 2;"
    "box.s = (0, 0, 0); box.e = (500, 500, 500);";

// Event bits 0-1: what (press, drag, release, press outside every pane). The two bytes
// after the event spread over the whole image, so events land in every pane, in the gaps
// between them and outside the view area.
void mouseEvent(rz::workstation::Workstation& w, std::uint8_t event, std::uint8_t x,
                std::uint8_t y) {
    rz::render::Views& views = w.views;
    const int px = x * views.raster.width() / 256;
    const int py = y * views.raster.height() / 256;
    switch (event & 3) {
        case 0:
            rz::render::viewMousePress(views, w.interp, px, py);
            break;
        case 1:
            rz::render::viewMouseDrag(views, w.interp, px, py);
            break;
        case 2:
            rz::render::viewMouseRelease(views, w.interp, px, py);
            break;
        default:
            rz::render::viewMousePress(views, w.interp, -1, -1);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rz::platform::NullSink sink;
    rz::workstation::Workstation w(sink);
    w.start(rz::fuzz::smallStores());
    rz::script::Interp& in = w.interp;
    rz::script::execCommandString(in, 0, kStartModel);

    const std::span<const std::uint8_t> bytes(data, size);
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] < kFirstEvent) {
            text += kWords[bytes[i] % kWords.size()];
            text += ' ';
            continue;
        }
        rz::script::execCommandString(in, 0, text.c_str());
        text.clear();
        const std::uint8_t x = i + 1 < bytes.size() ? bytes[i + 1] : 0;
        const std::uint8_t y = i + 2 < bytes.size() ? bytes[i + 2] : 0;
        mouseEvent(w, bytes[i], x, y);
        i += 2;
    }
    rz::script::execCommandString(in, 0, text.c_str());
    return 0;
}
