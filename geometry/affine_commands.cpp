#include "db/current_records.hpp"

#include <array>
#include <span>
#include "geometry/apply_affine.hpp"
#include "geometry/commands.hpp"
#include "geometry/truncate.hpp"
#include "script/arguments.hpp"
#include "script/command_table.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;
using script::Result;
using script::Tok;

// The optional selection: nothing or 0 for every record, 1 (L.ACTIVE) for the active ones.
script::Result selection(script::Interp& in, Selection& which) {
    float value = 0.0f;
    switch (in.next()) {
        case Tok::End:
        case Tok::Eof:
            which = Selection::All;
            return kOk;
        case Tok::Number:
        case Tok::Constant:
            value = in.lex.number();
            break;
        case Tok::Scalar:
            value = in.sym.scalar(in.lex.symbol());
            break;
        default:
            return script::failSkip(in, script::msg::kBadParam);
    }
    const int n = truncateToInt(value);
    if (n != 0 && n != 1) return script::failSkip(in, script::msg::kValueNotCorrect);
    if (script::noArguments(in) != kOk) return kFail;
    which = n == 1 ? Selection::Active : Selection::All;
    return kOk;
}

// Runs an operation on the selected records of the model.
template <class Op>
script::Result onSelection(script::Interp& in, Op op) {
    Selection which = Selection::All;
    if (selection(in, which) != kOk) return kFail;
    return op(db::database(in), which);
}

}  // namespace

static script::Result cmdAffine(script::Interp& in) {
    return onSelection(
        in, [&](db::Database& db, Selection which) { return affineShapes(db, in.msg, which); });
}

static script::Result cmdAffineBlock(script::Interp& in) {
    return onSelection(in, [](db::Database& db, Selection which) {
        affineBlocks(db, which);
        return kOk;
    });
}

static script::Result cmdCancelAffineBlock(script::Interp& in) {
    return onSelection(in, [](db::Database& db, Selection which) {
        cancelAffineBlocks(db, which);
        return kOk;
    });
}

static script::Result cmdAffineRigid(script::Interp& in) {
    return onSelection(in, [](db::Database& db, Selection which) {
        affineRigids(db, which);
        return kOk;
    });
}

static script::Result cmdCancelAffineRigid(script::Interp& in) {
    return onSelection(in, [](db::Database& db, Selection which) {
        cancelAffineRigids(db, which);
        return kOk;
    });
}

namespace {
const std::array<script::CommandRow, 5> kCommands{{
    {"affine", cmdAffine},
    {"affine.rigid", cmdAffineRigid},
    {"affine.block", cmdAffineBlock},
    {"cancel.affine.rigid", cmdCancelAffineRigid},
    {"cancel.affine.block", cmdCancelAffineBlock},
}};
}  // namespace

std::span<const script::CommandRow> affineCommands() {
    return kCommands;
}

}  // namespace rz::geometry
