#include <algorithm>
#include <array>
#include <span>

#include "db/current_records.hpp"
#include "db/record_commands_block.hpp"
#include "db/record_commands_common.hpp"
#include "db/system_variables.hpp"
#include "geometry/bounding_box.hpp"
#include "geometry/commands.hpp"
#include "geometry/expand_shape.hpp"
#include "geometry/expanded_shape.hpp"
#include "geometry/shape_transform.hpp"
#include "script/arguments.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::geometry {
namespace {

using db::Axis;
using db::Database;
using db::Shape;
using db::SysVar;
using script::kFail;
using script::kOk;
using script::Result;
using script::Tok;
using enum SysVar;

script::Result cmdNewBlock(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    const int k = db::beginNewBlock(in);
    if (k < 0) return kOk;
    Database& db = db::database(in);
    db::Block& block = db.blocks[k];
    block.xyzmin.fill(kBlockBoxSentinel);
    block.xyzmax.fill(-kBlockBoxSentinel);
    // A box that cannot be had was reported; the block is made all the same.
    static_cast<void>(updateBlockBox(db, in.msg, k));
    db::endNewBlock(in, k);
    return kOk;
}

script::Result cmdAddBlock(script::Interp& in) {
    if (script::noArguments(in) != kOk) return kFail;
    const int b = db::addSelectionToBlock(in);
    if (b < 0) return kFail;
    if (b == 0) return kOk;
    // A box that cannot be had was reported; the shapes have joined the block all the same.
    static_cast<void>(updateBlockBox(db::database(in), in.msg, b));
    // The variables follow the block, so a set.block after adding keeps its grown box.
    db::selectBlock(in, b);
    return kOk;
}

// The mapping box around every shape, or around the selected ones with mode 1.
script::Result cmdDecalbox(script::Interp& in) {
    int mode = 0;
    switch (in.next()) {
        case Tok::End:
        case Tok::Eof:
            break;
        case Tok::Number:
        case Tok::Constant: {
            const float v = in.lex.number();
            if (v != 0.0f && v != 1.0f) return script::failSkip(in, script::msg::kValueNotCorrect);
            mode = static_cast<int>(v);
            if (script::noArguments(in) != kOk) return kFail;
            break;
        }
        default:
            return script::failSkip(in, script::msg::kBadParam);
    }
    Database& db = db::database(in);
    Vec3 lo{};
    Vec3 hi{};
    bool any = false;
    const auto take = [&](const Vec3& p) {
        if (!any) {
            lo = p;
            hi = p;
            any = true;
        }
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], p[c]);
            hi[c] = std::max(hi[c], p[c]);
        }
    };
    const auto shapes = static_cast<int>(db::liveShapes(db).size());
    for (int i = 0; i < shapes; ++i) {
        const Shape& s = db.shapes[i];
        if (mode == 1 && s.layer != 1) continue;
        if (!isParametric(s.kind)) {
            for (const Axis& a : shapeAxes(db, s)) take(a.wv);
            continue;
        }
        const ExpandedShape expanded(db, in.msg, i);
        if (expanded.status() != kOk) return script::failSkipQuiet(in);
        for (const Axis& a : expanded.grid().vertices) take(a.wv);
    }
    // Without a vertex there is no box, and the mapping box stays as it was.
    if (!any) return kOk;
    constexpr std::array<std::array<SysVar, 2>, 3> kAxes{{
        {MXcent, MXlen},
        {MYcent, MYlen},
        {MZcent, MZlen},
    }};
    for (int c = 0; c < 3; ++c) {
        db::scalarVar(in, kAxes[c][0]) = (lo[c] + hi[c]) / 2.0f;
        db::scalarVar(in, kAxes[c][1]) = hi[c] - lo[c];
    }
    return kOk;
}

const std::array<script::CommandRow, 3> kCommands{{
    {"new.block", cmdNewBlock},
    {"add.block", cmdAddBlock},
    {"decalbox", cmdDecalbox},
}};

}  // namespace

std::span<const script::CommandRow> blockGeometryCommands() {
    return kCommands;
}

}  // namespace rz::geometry
