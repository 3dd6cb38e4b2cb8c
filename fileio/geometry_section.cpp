#include "fileio/geometry_section.hpp"

#include <algorithm>
#include <array>
#include <cstring>

namespace rz::fileio {

void printQuoted(OutputFile& out, const char* format, const char* text, std::size_t max) {
    std::array<char, 4096> clean{};
    const std::size_t n = strnlen(text, std::min(max, clean.size() - 1));
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        clean[i] = c == '"' || c == '\n' || c == '\r' ? '_' : c;
    }
    out.print(format, clean.data());
}

bool writeGeometrySection(const db::Database& db, OutputFile& out, ShapeIds ids) {
    out.print("' **axiscount: %d\n\n", db.axisCount);
    for (std::int32_t i = 0; i < db.axisCount && out.ok(); ++i) {
        const db::Axis& a = db.axes[i];
        out.print(" let axis.wv\t%f\t%f\t%f\n", double{a.wv[0]}, double{a.wv[1]}, double{a.wv[2]});
        out.print(" let axis.nv\t%f\t%f\t%f\n", double{a.nv[0]}, double{a.nv[1]}, double{a.nv[2]});
        out.print(" let axis.u\t%f\n", double{a.u});
        out.print(" let axis.v\t%f\n", double{a.v});
        out.print(" axis.add ; '---------- axis no. %d\n", i);
    }
    out.print("\n");

    out.print("' **patchcount %d\n\n", db.patchCount);
    for (std::int32_t j = 0; j < db.patchCount && out.ok(); ++j)
        out.print(" let patch.p\t%d\t; patch.add ; '----- %d\n", db.patches[j], j);
    out.print("\n");

    out.print("' **shapecount %d\n\n", db.shapeCount);
    const bool full = ids == ShapeIds::Full;
    for (std::int32_t n = 0; n < db.shapeCount && out.ok(); ++n) {
        const db::Shape& s = db.shapes[n];
        out.print(" let shape.id\t%d\n", static_cast<int>(s.shapeId));
        out.print(" let sh.kind\t%d\n", s.kind);
        out.print(" let sh.axis.id\t%d\n", static_cast<int>(s.axisId));
        out.print(" let sh.axis.total\t%d\n", static_cast<int>(s.axisTotal));
        out.print(" let sh.patch.id\t%d\n", static_cast<int>(s.patchId));
        out.print(" let sh.patch.total\t%d\n", static_cast<int>(s.patchTotal));
        out.print(" let sh.lrflag\t%d\n", s.lrflag);
        out.print(" let sh.smoothflag\t%d\n", s.smoothflag);
        out.print(" let sh.page\t%d\n", s.page);
        out.print(" let sh.dummy\t%d\n", s.dummy);
        out.print(" let sh.bbmin.v\t%f\t%f\t%f\n", double{s.bbmin[0]}, double{s.bbmin[1]},
                  double{s.bbmin[2]});
        out.print(" let sh.bbmax.v\t%f\t%f\t%f\n", double{s.bbmax[0]}, double{s.bbmax[1]},
                  double{s.bbmax[2]});
        out.print(" let sh.matrix.id\t%d\n", full ? s.matrixId : 0);
        out.print(" let sh.attrib.id\t%d\n", full ? s.attribId : 0);
        out.print(" let sh.texture.id\t%d\n", full ? s.textureId : 0);
        out.print(" let sh.layer\t%d\n", full ? s.layer : 0);
        if (full) {
            printQuoted(out, " let sh.name \"%s\" \n", s.name.data(), s.name.size());
        } else {
            out.print(" let sh.name \"noname.%d\" \n", n);
        }
        out.print(" shape.add ; '---------- shape no. %d\n\n", n);
    }
    out.print("\n");

    out.print("' **affinecount %d\n\n", db.affineCount);
    for (std::int32_t k = 1; k < db.affineCount && out.ok(); ++k) {
        const Mat4& m = db.affines[k];
        out.print(" let matrix.a %g %g %g %g \n", m[0], m[1], m[2], m[3]);
        for (int row = 1; row < 4; ++row)
            out.print("              %g %g %g %g \n", m[row * 4], m[row * 4 + 1], m[row * 4 + 2],
                      m[row * 4 + 3]);
        out.print(" matrix.add ; '---------- matrix no. %d\n\n", k);
    }
    out.print("\n");
    return out.ok();
}

}  // namespace rz::fileio
