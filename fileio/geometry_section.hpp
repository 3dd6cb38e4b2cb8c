#pragma once
// The geometry section of the text scripts: axes, patch entries, shapes and affine
// matrices as statements that rebuild them through axis.add, patch.add, shape.add and
// matrix.add.

#include "db/database.hpp"
#include "fileio/output_file.hpp"

namespace rz::fileio {

enum class ShapeIds {
    Plain,  // matrix, attribute, texture and layer 0, names "noname.<n>"
    Full,   // every field of the shape as it is
};

// False when a write failed.
bool writeGeometrySection(const db::Database& db, OutputFile& out, ShapeIds ids);

// Text written between double quotes: the language has no escapes, so a quote or a line
// break would end the string early. They become "_" in the file.
void printQuoted(OutputFile& out, const char* format, const char* text, std::size_t max);

}  // namespace rz::fileio
