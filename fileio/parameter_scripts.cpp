// Camera, light, attribute and mapping scripts: written from the variables of the current
// record (lights from the light table), read back by running them.

#include <cmath>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "fileio/text_formats.hpp"
#include "script/language_symbols.hpp"

namespace rz::fileio {
namespace {

using db::SysVar;

double scalar(script::Interp& in, SysVar v) {
    return db::scalarVar(in, v);
}

}  // namespace

std::string_view stringVariable(script::Interp& in, std::string_view name) {
    for (const script::StringVariable& v : script::kStringVariables)
        if (v.name == name) return in.sym.slotText(v.slot);
    return {};
}

bool writeCameraScript(script::Interp& in, OutputFile& out) {
    out.printVector("let c.pos     %g %g %g\n", db::vectorVar(in, SysVar::CPos));
    out.printVector("let c.tar     %g %g %g\n", db::vectorVar(in, SysVar::CTar));
    out.printVector("let c.rot     %g %g %g\n", db::vectorVar(in, SysVar::CRot));
    out.printVector("let c.upper   %g %g %g\n", db::vectorVar(in, SysVar::CUpper));
    out.print("let c.zoom    %g\n", scalar(in, SysVar::CZoom));
    return out.ok();
}

bool writeLightScript(script::Interp& in, OutputFile& out) {
    static constexpr std::array<const char*, 4> kKindLines{
        nullptr, "let l.kind  PARA\n", "let l.kind  POINT\n", "let l.kind  POINT2\n"};
    const db::Database& db = db::database(in);
    for (int n = 0; n < db::kLightCount; ++n) {
        const db::Light& l = db.lights[n];
        if (l.kind < 1) continue;
        out.print("num.light %d\n", n);
        out.printVector("let l.pos   %g %g %g\n", l.pos);
        out.printVector("let l.tar   %g %g %g\n", l.tar);
        out.printVector("let l.rgb   %g %g %g\n", l.rgb);
        out.print("let l.gain  %g\n", double{l.gain});
        if (static_cast<std::size_t>(l.kind) < kKindLines.size())
            out.print("%s", kKindLines[l.kind]);
        out.print("set.light\n\n");
    }
    return out.ok();
}

bool writeAttributeScript(script::Interp& in, OutputFile& out) {
    out.printVector("let a.rgb     %g %g %g\n", db::vectorVar(in, SysVar::ARgb));
    out.printVector("let a.arg     %g %g %g\n", db::vectorVar(in, SysVar::AArg));
    out.printVector("let a.prg     %g %g %g\n", db::vectorVar(in, SysVar::APrg));
    out.printVector("let a.drg     %g %g %g\n", db::vectorVar(in, SysVar::ADrg));
    static constexpr std::array<std::pair<const char*, SysVar>, 12> kScalars{{
        {"let ambient   %g\n", SysVar::Ambient},
        {"let diffuse   %g\n", SysVar::Diffuse},
        {"let p.specl   %g\n", SysVar::PSpecl},
        {"let p.spex    %g\n", SysVar::PSpex},
        {"let opacity   %g\n", SysVar::Opacity},
        {"let gain.c    %g\n", SysVar::GainC},
        {"let gain.l    %g\n", SysVar::GainL},
        {"let haze      %g\n", SysVar::Haze},
        {"let smooth.sw %g\n", SysVar::SmoothSw},
        {"let map.sw    %g\n", SysVar::MapSw},
        {"let face.sw   %g\n", SysVar::FaceSw},
        {"let shade.sw  %g\n", SysVar::ShadeSw},
    }};
    for (const auto& [format, var] : kScalars) out.print(format, scalar(in, var));
    return out.ok();
}

// The mapping lines; inside a parts script they end with the image number, which a
// mapping file carries in its texture companion instead.
bool writeMappingLines(script::Interp& in, OutputFile& out, bool withImage) {
    static constexpr std::array<std::pair<const char*, SysVar>, 19> kLines{{
        {"let m.ustart %g\n", SysVar::MUstart}, {"let m.uend   %g\n", SysVar::MUend},
        {"let m.vstart %g\n", SysVar::MVstart}, {"let m.vend   %g\n", SysVar::MVend},
        {"let m.ulen   %g\n", SysVar::MUlen},   {"let m.vlen   %g\n", SysVar::MVlen},
        {"let m.uofs   %g\n", SysVar::MUofs},   {"let m.vofs   %g\n", SysVar::MVofs},
        {"let m.mopa   %g\n", SysVar::MMopa},   {"let m.bump   %g\n", SysVar::MBump},
        {"let m.xcent  %g\n", SysVar::MXcent},  {"let m.ycent  %g\n", SysVar::MYcent},
        {"let m.zcent  %g\n", SysVar::MZcent},  {"let m.xlen   %g\n", SysVar::MXlen},
        {"let m.ylen   %g\n", SysVar::MYlen},   {"let m.zlen   %g\n", SysVar::MZlen},
        {"let m.kind   %g\n", SysVar::MKind},   {"let m.method %g\n", SysVar::MMethod},
        {"let m.tex.id %g\n", SysVar::MTexId},
    }};
    for (std::size_t i = 0; i < kLines.size() - (withImage ? 0 : 1); ++i)
        out.print(kLines[i].first, scalar(in, kLines[i].second));
    return out.ok();
}

bool writeMappingScript(script::Interp& in, OutputFile& out) {
    return writeMappingLines(in, out, false);
}

void setDefaultCameraUp(script::Interp& in) {
    db::putCameraRecord(in);
    db::Camera& cam = db::database(in).camera;
    const double dx = double{cam.pos[0]} - cam.tar[0];
    const double dy = double{cam.pos[1]} - cam.tar[1];
    const double dz = double{cam.pos[2]} - cam.tar[2];
    const double m = std::sqrt(dy * dy + dz * dz);
    const double n = std::sqrt(dx * dx + dz * dz);
    std::array<double, 3> up{0.0, 1.0, 0.0};
    if (m > 0.0 && n > 0.0) {
        up = {-dx * dy / (n * m), dz / m, -dz * dy / (n * m)};
    } else if (m > 0.0) {
        // Straight above or below the target: any horizontal direction is up on screen.
        up = {0.0, 0.0, dy > 0.0 ? -1.0 : 1.0};
    }
    const double len = std::sqrt(up[0] * up[0] + up[1] * up[1] + up[2] * up[2]);
    for (int k = 0; k < 3; ++k) cam.upper[k] = static_cast<float>(len > 0.0 ? up[k] / len : up[k]);
    db::vectorVar(in, SysVar::CUpper) = cam.upper;
}

}  // namespace rz::fileio
