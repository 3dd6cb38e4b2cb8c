#include <array>
#include <span>
#include <utility>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "geometry/cursor_commands.hpp"
#include "geometry/truncate.hpp"
#include "script/arguments.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::geometry {
namespace {

using db::SysVar;
using script::kFail;
using script::kOk;
using script::Tok;

struct GridSpacing {
    float step;
    float size;
};

// By menu position: the coarse steps first, then the fine ones. The grid is always 40 steps
// across.
constexpr std::array<GridSpacing, 12> kWinGrid{{
    {100, 4000},
    {200, 8000},
    {500, 20000},
    {1000, 40000},
    {2000, 80000},
    {5000, 200000},
    {10, 400},
    {20, 800},
    {50, 2000},
    {1, 40},
    {2, 80},
    {5, 200},
}};

script::Result vectorVariable(script::Interp& in, Vec3*& out) {
    if (in.next() != Tok::Vector) return script::failSkip(in, script::msg::kBadVariableType);
    out = &in.sym.vector(in.lex.symbol());
    return kOk;
}

// a, b, n: swaps component n (1 x, 2 y, 3 z) of the two vector variables, so the box between
// them turns over on that axis; any other n changes nothing.
script::Result cmdRevAnker(script::Interp& in) {
    Vec3* a = nullptr;
    Vec3* b = nullptr;
    if (vectorVariable(in, a) != kOk) return kFail;
    if (script::expectComma(in) != kOk) return kFail;
    if (vectorVariable(in, b) != kOk) return kFail;
    if (script::expectComma(in) != kOk) return kFail;
    float value = 0.0f;
    switch (in.next()) {
        case Tok::Number:
        case Tok::Constant:
            value = in.lex.number();
            break;
        case Tok::Scalar:
            value = in.sym.scalar(in.lex.symbol());
            break;
        default:
            return script::failSkip(in, script::msg::kValueNotCorrect);
    }
    if (script::noArguments(in) != kOk) return kFail;
    const int n = truncateToInt(value);
    if (n >= 1 && n <= 3) std::swap((*a)[n - 1], (*b)[n - 1]);
    return kOk;
}

script::Result cmdSetWingrid(script::Interp& in) {
    int n = 0;
    if (script::lastIntExpression(in, n) != kOk) return kFail;
    if (n < 0 || n >= static_cast<int>(kWinGrid.size()))
        return script::fail(in, script::msg::kValueNotCorrect);
    db::scalarVar(in, SysVar::GridStep) = kWinGrid[n].step;
    db::scalarVar(in, SysVar::GridSize) = kWinGrid[n].size;
    return kOk;
}

script::Result cmdSetParsgrid(script::Interp& in) {
    int on = 0;
    if (script::lastIntExpression(in, on) != kOk) return kFail;
    db::database(in).boxCursor.perspectiveGrid = on == 1;
    return kOk;
}

const std::array<script::CommandRow, 3> kCommands{{
    {"rev.anker", cmdRevAnker},
    {"set.wingrid", cmdSetWingrid},
    {"set.parsgrid", cmdSetParsgrid},
}};

}  // namespace

std::span<const script::CommandRow> gridCommands() {
    return kCommands;
}

}  // namespace rz::geometry
