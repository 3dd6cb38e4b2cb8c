#include <array>
#include <cstdlib>
#include <string_view>

#include "db/current_records.hpp"
#include "db/layer_commands.hpp"
#include "db/layer_states.hpp"
#include "db/record_commands_common.hpp"
#include "db/selection_support.hpp"
#include "script/messages.hpp"
#include "script/statement.hpp"

namespace rz::db {
namespace {

using script::kFail;
using script::kOk;

constexpr std::string_view kNothingSelectable = " 全形状選択不能！！ \n";
constexpr std::string_view kBadShapeIndex = " Shape データベースインデックス値が異常です！！ ";

// The named constants the browse takes.
constexpr std::int32_t kSelClose = 9999;
constexpr std::int32_t kTopJump = 1;
constexpr std::int32_t kMidJump = 2;
constexpr std::int32_t kNewJump = 3;

// A cursor left beyond the shapes by a deletion starts again from the first.
std::int32_t cursorWithin(std::int32_t cursor, std::span<const Shape> shapes) {
    return cursor >= 0 && static_cast<std::size_t>(cursor) < shapes.size() ? cursor : 0;
}

// The cursor itself when its shape is not hidden, else the first shape that is not; false
// after the status text when every shape is hidden.
bool visibleCursor(script::Interp& in, std::span<const Shape> shapes, std::int32_t& cursor) {
    if (shapes[cursor].layer != kLayerHidden) return true;
    for (std::size_t k = 0; k < shapes.size(); ++k) {
        if (shapes[k].layer == kLayerHidden) continue;
        cursor = static_cast<std::int32_t>(k);
        return true;
    }
    status(in, kNothingSelectable);
    return false;
}

// The shape a jump goes to; kFail after the message for an unknown jump or a shape that is
// not there.
script::Result jumpTarget(script::Interp& in, std::int32_t& target) {
    std::int32_t j = 0;
    if (optionalWhole(in, 0, j) != kOk) return kFail;
    const auto count = static_cast<std::int32_t>(liveShapes(database(in)).size());
    switch (j) {
        case kTopJump:
            target = 0;
            break;
        case kMidJump:
            target = count / 2;
            break;
        case kNewJump:
            target = count - 1;
            break;
        default:
            return script::fail(in, script::msg::kBadParam);
    }
    if (target < 0 || target >= count) return script::fail(in, kBadShapeIndex);
    return kOk;
}

// The first shape of the next block group in the direction given, or the cursor itself
// when there is none that way.
std::int32_t nextGroup(std::span<const Shape> shapes, std::int32_t cursor, int direction) {
    const std::uint32_t block = shapes[cursor].shapeId;
    for (std::int64_t k = std::int64_t{cursor} + direction;
         k >= 0 && k < static_cast<std::int64_t>(shapes.size()); k += direction)
        if (shapes[k].shapeId != block) return static_cast<std::int32_t>(k);
    return cursor;
}

void unhighlightGroup(SelectionState& sel, std::span<Shape> shapes) {
    const auto last = static_cast<std::int64_t>(shapes.size()) - 1;
    for (std::int64_t i = std::max(sel.groupFirst, 0);
         i <= std::min<std::int64_t>(sel.groupLast, last); ++i)
        unhighlight(shapes[i].layer);
}

// The group from the cursor on becomes the highlighted one.
void highlightGroupFrom(script::Interp& in, SelectionState& sel, std::span<Shape> shapes,
                        std::int32_t cursor) {
    const ShapeGroup g{cursor, groupAround(shapes, cursor).last};
    for (std::int32_t i = g.first; i <= g.last; ++i)
        if (shapes[i].layer != kLayerHidden) highlight(shapes[i].layer);
    sel.blockCursor = cursor;
    sel.blockNumber = static_cast<std::int32_t>(shapes[cursor].shapeId);
    sel.groupFirst = g.first;
    sel.groupLast = g.last;
    sel.faceCursor = cursor;
    systemBox(in, "bpcount : %d\n", sel.blockNumber);
    requestRedraw(in, kRedrawHighlight);
}

}  // namespace

static script::Result cmdSelectFace(script::Interp& in) {
    std::int32_t n = 0;
    if (optionalWhole(in, 0, n) != kOk) return kFail;
    Database& db = database(in);
    const std::span<Shape> shapes = liveShapes(db);
    std::int32_t& cursor = db.selection.faceCursor;
    if (n == kSelClose) {
        requestRedraw(in, kRedrawNormal);
        if (cursor >= 0 && static_cast<std::size_t>(cursor) < shapes.size())
            unhighlight(shapes[cursor].layer);
        return kOk;
    }
    if (shapes.empty()) {
        status(in, kNothingSelectable);
        return kOk;
    }
    cursor = cursorWithin(cursor, shapes);
    if (n == 0) {
        if (!visibleCursor(in, shapes, cursor)) return kOk;
    } else if (const std::int64_t to = std::int64_t{cursor} + n;
               to >= 0 && to < static_cast<std::int64_t>(shapes.size())) {
        requestRedraw(in, kRedrawErase);
        requestRedraw(in, kRedrawNormal);
        unhighlight(shapes[cursor].layer);
        cursor = static_cast<std::int32_t>(to);
    }
    highlight(shapes[cursor].layer);
    requestRedraw(in, kRedrawHighlight);
    return kOk;
}

static script::Result cmdSelJumpFace(script::Interp& in) {
    std::int32_t target = 0;
    if (jumpTarget(in, target) != kOk) return kFail;
    Database& db = database(in);
    const std::span<Shape> shapes = liveShapes(db);
    std::int32_t& cursor = db.selection.faceCursor;
    requestRedraw(in, kRedrawErase);
    requestRedraw(in, kRedrawNormal);
    if (cursor >= 0 && static_cast<std::size_t>(cursor) < shapes.size())
        unhighlight(shapes[cursor].layer);
    cursor = target;
    highlight(shapes[cursor].layer);
    requestRedraw(in, kRedrawHighlight);
    return kOk;
}

static script::Result cmdSelectBlock(script::Interp& in) {
    std::int32_t n = 0;
    if (optionalWhole(in, 0, n) != kOk) return kFail;
    Database& db = database(in);
    SelectionState& sel = db.selection;
    const std::span<Shape> shapes = liveShapes(db);
    if (n == kSelClose) {
        requestRedraw(in, kRedrawNormal);
        unhighlightGroup(sel, shapes);
        return kOk;
    }
    if (shapes.empty()) {
        status(in, kNothingSelectable);
        return kOk;
    }
    std::int32_t cursor = cursorWithin(sel.blockCursor, shapes);
    if (n == 0) {
        if (!visibleCursor(in, shapes, cursor)) return kOk;
    } else {
        requestRedraw(in, kRedrawErase);
        const int direction = n < 0 ? -1 : 1;
        // Past the last group in either direction every further step stays put.
        for (std::int64_t step = 0; step < std::abs(std::int64_t{n}); ++step) {
            const std::int32_t to = nextGroup(shapes, cursor, direction);
            if (to == cursor) break;
            cursor = to;
        }
        if (n < 0) cursor = groupAround(shapes, cursor).first;
        requestRedraw(in, kRedrawNormal);
        unhighlightGroup(sel, shapes);
    }
    highlightGroupFrom(in, sel, shapes, cursor);
    return kOk;
}

static script::Result cmdSelJumpBlock(script::Interp& in) {
    std::int32_t target = 0;
    if (jumpTarget(in, target) != kOk) return kFail;
    Database& db = database(in);
    SelectionState& sel = db.selection;
    const std::span<Shape> shapes = liveShapes(db);
    unhighlightGroup(sel, shapes);
    const ShapeGroup g = groupAround(shapes, target);
    for (std::int32_t i = g.first; i <= g.last; ++i) highlight(shapes[i].layer);
    sel.blockCursor = g.first;
    sel.blockNumber = static_cast<std::int32_t>(shapes[target].shapeId);
    sel.groupFirst = g.first;
    sel.groupLast = g.last;
    requestRedraw(in, kRedrawHighlight);
    return kOk;
}

namespace {
const std::array<script::CommandRow, 4> kCommands{{
    {"select.face", cmdSelectFace},
    {"sel.jump.face", cmdSelJumpFace},
    {"select.block", cmdSelectBlock},
    {"sel.jump.block", cmdSelJumpBlock},
}};
}  // namespace

std::span<const script::CommandRow> browseCommands() {
    return kCommands;
}

}  // namespace rz::db
