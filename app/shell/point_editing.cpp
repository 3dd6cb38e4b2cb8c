#include "app/shell/point_editing.hpp"

#include <QSignalBlocker>
#include <algorithm>
#include <array>

#include "app/shell/tool_windows/point_edit_window.hpp"
#include "db/current_records.hpp"
#include "geometry/point_editor.hpp"
#include "render/pane_pick.hpp"
#include "render/point_marker.hpp"

namespace rz::app {
namespace {

constexpr const char* kSelectionWire = "wire L.SELECT; ";

db::Database& modelOf(CommandPort& port) {
    return db::database(port.interp());
}

struct Action {
    int id;
    void (*act)(db::Database& db, platform::MessageService& msg, int chosen);
};

constexpr std::array<Action, 6> kActions{{
    {451, [](db::Database& db, platform::MessageService&, int) { geometry::undoPointMove(db); }},
    {2141, [](db::Database& db, platform::MessageService&, int) { geometry::stepPoint(db, 1); }},
    {2142, [](db::Database& db, platform::MessageService&, int) { geometry::stepPoint(db, -1); }},
    {2155, [](db::Database& db, platform::MessageService&,
              int chosen) { geometry::choosePoint(db, chosen); }},
    {2154, [](db::Database& db, platform::MessageService& msg,
              int) { static_cast<void>(geometry::finishPointEdit(db, msg)); }},
    {2152, [](db::Database& db, platform::MessageService&, int) { geometry::cancelPointEdit(db); }},
}};

}  // namespace

PointEditing::PointEditing(CommandPort& port, render::Views& views, PointEditWindow& window)
    : port_(port), views_(views), window_(window) {}

bool PointEditing::active() const {
    return geometry::pointEditActive(db::database(port_.interp()));
}

bool PointEditing::begin() {
    hideMarker();
    script::Interp& in = port_.interp();
    if (geometry::beginPointEdit(db::database(in), in.msg) != script::kOk) return false;
    const db::Database& db = db::database(in);
    window_.setPoints(static_cast<int>(geometry::editedPoints(db).size()),
                      geometry::currentPoint(db));
    showMarker();
    return true;
}

void PointEditing::command(int id) {
    const auto* action = std::ranges::find(kActions, id, &Action::id);
    if (action == kActions.end()) return;
    hideMarker();
    holding_ = false;
    script::Interp& in = port_.interp();
    action->act(db::database(in), in.msg, window_.chosenPoint());
    markChosen();
    showMarker();
}

Vec3 PointEditing::markedPoint() const {
    const db::Database& db = db::database(port_.interp());
    const int current = geometry::currentPoint(db);
    Vec3 p = geometry::editedPoints(db)[current];
    if (holding_)
        for (int c = 0; c < 3; ++c) p[c] += dragged_[c];
    return p;
}

void PointEditing::hideMarker() {
    if (!markerShown_) return;
    render::togglePointMarker(views_, port_.interp(), markerAt_);
    markerShown_ = false;
}

void PointEditing::showMarker() {
    if (markerShown_ || !active()) return;
    markerAt_ = markedPoint();
    render::togglePointMarker(views_, port_.interp(), markerAt_);
    markerShown_ = true;
}

void PointEditing::markChosen() {
    const QSignalBlocker quiet(window_.list());
    window_.list().setCurrentRow(geometry::currentPoint(modelOf(port_)));
}

bool PointEditing::grab(QPoint p) {
    if (!active()) return false;
    script::Interp& in = port_.interp();
    db::Database& db = db::database(in);
    const int point = render::pointNear(views_, in, geometry::editedPoints(db), p.x(), p.y());
    if (point < 0) return false;
    const Vec3 at = geometry::editedPoints(db)[point];
    const auto world = render::orthographicPoint(views_.layout, p.x(), p.y(), at);
    if (!world) return false;
    hideMarker();
    geometry::choosePoint(db, point);
    markChosen();
    holding_ = true;
    pane_ = world->pane;
    pressWorld_ = world->world;
    dragged_ = {};
    showMarker();
    return true;
}

// The plane is that of the pane the press was in: the coordinate it does not show stays.
bool PointEditing::dragTo(QPoint p) {
    if (!holding_) return false;
    const auto world = render::orthographicPoint(views_.layout, p.x(), p.y(), pressWorld_);
    if (!world || world->pane != pane_) return false;
    Vec3 moved{};
    for (int c = 0; c < 3; ++c) moved[c] = world->world[c] - pressWorld_[c];
    if (moved == dragged_) return false;
    hideMarker();
    dragged_ = moved;
    showMarker();
    return true;
}

void PointEditing::drop(QPoint p) {
    if (!holding_) return;
    dragTo(p);
    hideMarker();
    holding_ = false;
    if (dragged_ != Vec3{}) {
        script::Interp& in = port_.interp();
        db::Database& db = db::database(in);
        static_cast<void>(geometry::movePoint(db, in.msg, geometry::currentPoint(db), dragged_));
    }
    dragged_ = {};
    port_.run(kSelectionWire);
    showMarker();
}

}  // namespace rz::app
