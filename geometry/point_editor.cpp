#include "geometry/point_editor.hpp"

#include <algorithm>
#include <bitset>

#include "db/layer_states.hpp"
#include "geometry/affine_slots.hpp"
#include "geometry/copy_shape.hpp"
#include "geometry/edit_list.hpp"
#include "geometry/expand_shape.hpp"
#include "geometry/expanded_shape.hpp"
#include "geometry/shape_transform.hpp"
#include "math/matrix_math.hpp"

namespace rz::geometry {
namespace {

using script::kFail;
using script::kOk;

constexpr std::int32_t kEndOfList = -1;

int firstSelectedShape(const db::Database& db) {
    for (int i = 0; i < db.shapeCount; ++i)
        if (db::highlighted(db.shapes[i].layer)) return i;
    return -1;
}

std::uint32_t recordIndex(const db::Database& db, const db::EditRecord& e) {
    return static_cast<std::uint32_t>(&e - db.editList.data());
}

// A session whose shape has gone (the model changed under it) edits nothing.
db::PointEditSession* liveSession(db::Database& db) {
    db::PointEditSession& s = db.pointEdit;
    return s.active && s.shape >= 0 && s.shape < db.shapeCount ? &s : nullptr;
}

// A record is in use while a shape's list reaches it; retired shapes keep theirs.
int freeRecord(const db::Database& db) {
    std::bitset<db::kEditListSize> used;
    for (int i = 0; i < db.shapeCount; ++i)
        forEachEdit(db, db.shapes[i].editHead,
                    [&](const db::EditRecord& e) { used.set(recordIndex(db, e)); });
    const std::size_t size = std::min<std::size_t>(db.editList.size(), used.size());
    for (std::size_t r = 0; r < size; ++r)
        if (!used.test(r)) return static_cast<int>(r);
    return -1;
}

int recordOfPoint(const db::Database& db, std::uint32_t head, int point) {
    int found = -1;
    forEachEdit(db, head, [&](const db::EditRecord& e) {
        if (found < 0 && e.offset == point) found = static_cast<int>(recordIndex(db, e));
    });
    return found;
}

void refreshPoint(db::Database& db, db::PointEditSession& s, int point) {
    Vec3 p = s.base[point];
    forEachEdit(db, db.shapes[s.shape].editHead, [&](const db::EditRecord& e) {
        if (e.offset == point)
            for (int c = 0; c < 3; ++c) p[c] += e.displacement[c];
    });
    s.points[point] = p;
}

void unlinkRecord(db::Database& db, std::uint32_t& head, int record) {
    const auto target = static_cast<std::uint32_t>(record);
    const auto next = [&](std::int32_t link) {
        return link < 0 ? db::kNoEdits : static_cast<std::uint32_t>(link);
    };
    if (head == target) {
        head = next(db.editList[target].link);
        return;
    }
    forEachEdit(db, head, [&](const db::EditRecord& e) {
        if (e.link == record) db.editList[recordIndex(db, e)].link = db.editList[target].link;
    });
}

// The vertices as a copy of the shape would get them before its edits: explicit shapes
// from their own axes, parametric ones as their grid expansion, both through the shape's
// matrix and the current matrix.
script::Result loadBase(db::Database& db, platform::MessageService& msg, int shape,
                        std::vector<Vec3>& base) {
    const db::Shape& s = db.shapes[shape];
    Mat4 own;
    if (!affineMatrix(db, msg, s.matrixId, own)) return kFail;
    const Mat4 m = multiply(own, db.geometry.current);
    base.clear();
    if (s.kind == db::kShapePolygon || s.kind == db::kShapeGrid) {
        for (const db::Axis& a : shapeAxes(db, s)) base.push_back(transformPoint(a.wv, m));
        return kOk;
    }
    if (!isParametric(s.kind) || !isExpandable(s.kind)) {
        msg.statusText(msg::kShapeNotEditable);
        return kFail;
    }
    const ExpandedShape expanded(db, msg, shape);
    if (expanded.status() != kOk) return kFail;
    for (const db::Axis& a : expanded.grid().vertices) base.push_back(transformPoint(a.wv, m));
    return kOk;
}

void endSession(db::Database& db) {
    db.pointEdit = db::PointEditSession{};
}

}  // namespace

script::Result beginPointEdit(db::Database& db, platform::MessageService& msg) {
    const int shape = firstSelectedShape(db);
    if (shape < 0) {
        msg.statusText(msg::kNoShapeToEdit);
        return kFail;
    }
    db::PointEditSession s;
    if (loadBase(db, msg, shape, s.base) != kOk) return kFail;
    if (s.base.empty()) {
        msg.statusText(msg::kShapeNotEditable);
        return kFail;
    }
    s.active = true;
    s.shape = shape;
    s.headAtBegin = db.shapes[shape].editHead;
    forEachEdit(db, s.headAtBegin, [&](const db::EditRecord& e) {
        s.kept.push_back({static_cast<std::int32_t>(recordIndex(db, e)), e.displacement});
    });
    s.points = s.base;
    db.pointEdit = std::move(s);
    for (int i = 0; i < static_cast<int>(db.pointEdit.points.size()); ++i)
        refreshPoint(db, db.pointEdit, i);
    return kOk;
}

bool pointEditActive(const db::Database& db) {
    return db.pointEdit.active;
}

std::span<const Vec3> editedPoints(const db::Database& db) {
    return db.pointEdit.points;
}

int currentPoint(const db::Database& db) {
    return db.pointEdit.active ? db.pointEdit.current : -1;
}

void stepPoint(db::Database& db, int step) {
    db::PointEditSession& s = db.pointEdit;
    const int n = static_cast<int>(s.points.size());
    if (!s.active || n == 0) return;
    s.current = ((s.current + step) % n + n) % n;
}

void choosePoint(db::Database& db, int point) {
    db::PointEditSession& s = db.pointEdit;
    if (s.active && point >= 0 && point < static_cast<int>(s.points.size())) s.current = point;
}

script::Result movePoint(db::Database& db, platform::MessageService& msg, int point,
                         const Vec3& d) {
    db::PointEditSession* s = liveSession(db);
    if (s == nullptr || point < 0 || point >= static_cast<int>(s->points.size())) return kFail;
    std::uint32_t& head = db.shapes[s->shape].editHead;
    db::PointEditMove move{.point = point, .record = recordOfPoint(db, head, point)};
    if (move.record < 0) {
        move.record = freeRecord(db);
        if (move.record < 0) {
            msg.errorBox(msg::kEditListFull);
            return kFail;
        }
        db.editList[move.record] = db::EditRecord{
            .offset = point,
            .link = head == db::kNoEdits ? kEndOfList : static_cast<std::int32_t>(head)};
        head = static_cast<std::uint32_t>(move.record);
        move.created = true;
    }
    db::EditRecord& e = db.editList[move.record];
    move.before = e.displacement;
    for (int c = 0; c < 3; ++c) e.displacement[c] += d[c];
    if (s->moves.size() == db::PointEditSession::kUndoDepth) s->moves.erase(s->moves.begin());
    s->moves.push_back(move);
    refreshPoint(db, *s, point);
    return kOk;
}

bool undoPointMove(db::Database& db) {
    db::PointEditSession* s = liveSession(db);
    if (s == nullptr || s->moves.empty()) return false;
    const db::PointEditMove move = s->moves.back();
    s->moves.pop_back();
    std::uint32_t& head = db.shapes[s->shape].editHead;
    if (move.created)
        unlinkRecord(db, head, move.record);
    else
        db.editList[move.record].displacement = move.before;
    refreshPoint(db, *s, move.point);
    return true;
}

script::Result finishPointEdit(db::Database& db, platform::MessageService& msg) {
    if (!db.pointEdit.active) return kOk;
    if (applyShapeEdits(db, msg) != kOk) return kFail;
    endSession(db);
    return kOk;
}

void cancelPointEdit(db::Database& db) {
    // Records appended in the session sit in front of the list as it was; going back to the
    // old head drops them, and the old records get their displacements back.
    if (db::PointEditSession* s = liveSession(db)) {
        db.shapes[s->shape].editHead = s->headAtBegin;
        for (const db::PointEditKept& k : s->kept)
            db.editList[k.record].displacement = k.displacement;
    }
    endSession(db);
}

}  // namespace rz::geometry
