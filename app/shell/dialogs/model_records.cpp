#include "app/shell/dialogs/model_records.hpp"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>

#include "db/selection_state.hpp"

namespace rz::app {
namespace {

template <std::size_t N>
QString fieldText(const std::array<char, N>& field) {
    const auto end = std::find(field.begin(), field.end(), '\0');
    return QString::fromUtf8(field.data(), end - field.begin());
}

int liveCount(std::int32_t count, std::size_t size) {
    return std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(size));
}

bool selectable(std::uint8_t layer) {
    return layer != db::kLayerHidden && layer != db::kLayerGuide;
}

}  // namespace

std::string statements(const char* format, ...) {
    std::array<char, 1024> text{};
    va_list args;
    va_start(args, format);
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    return text.data();
}

QString blockName(const db::Database& db, int block) {
    if (block < 0 || block >= liveCount(db.blockCount, db.blocks.size())) return {};
    return fieldText(db.blocks[block].name);
}

QString rigidName(const db::Database& db, int rigid) {
    if (rigid < 0 || rigid >= liveCount(db.rigidCount, db.rigids.size())) return {};
    return fieldText(db.rigids[rigid].name);
}

QString actorName(const db::Database& db, int actor) {
    if (actor < 0 || actor >= liveCount(db.actorCount, db.actors.size())) return {};
    return fieldText(db.actors[actor].name);
}

std::vector<ListEntry> partEntries(const db::Database& db) {
    std::vector<ListEntry> entries;
    for (int b = 1; b < liveCount(db.blockCount, db.blocks.size()); ++b)
        entries.push_back({b, QStringLiteral("Block(%1): %2").arg(b).arg(blockName(db, b))});
    return entries;
}

std::vector<ListEntry> jointEntries(const db::Database& db) {
    std::vector<ListEntry> entries;
    for (int r = 0; r < liveCount(db.rigidCount, db.rigids.size()); ++r)
        entries.push_back({r, QStringLiteral("Rigid(%1): %2").arg(r).arg(rigidName(db, r))});
    return entries;
}

std::vector<ListEntry> actorEntries(const db::Database& db) {
    std::vector<ListEntry> entries;
    for (int a = 1; a < liveCount(db.actorCount, db.actors.size()); ++a)
        entries.push_back({a, QStringLiteral("Actor(%1): %2").arg(a).arg(actorName(db, a))});
    return entries;
}

std::vector<ListEntry> shapeEntries(const db::Database& db) {
    std::vector<ListEntry> entries;
    for (int s = 0; s < liveCount(db.shapeCount, db.shapes.size()); ++s) {
        const db::Shape& shape = db.shapes[s];
        entries.push_back({s, QStringLiteral("Skin(%1) %2  [Block(%3)]")
                                  .arg(s)
                                  .arg(fieldText(shape.name))
                                  .arg(shape.shapeId)});
    }
    return entries;
}

std::vector<ListEntry> materialEntries(const db::Database& db) {
    std::vector<ListEntry> entries;
    for (int a = 0; a < liveCount(db.attributeCount, db.attributes.size()); ++a) {
        const Vec3& rgb = db.attributes[a].rgb;
        entries.push_back({a, QStringLiteral("質感 %1  ( %2, %3, %4 )")
                                  .arg(a)
                                  .arg(rgb[0], 0, 'f', 2)
                                  .arg(rgb[1], 0, 'f', 2)
                                  .arg(rgb[2], 0, 'f', 2)});
    }
    return entries;
}

std::vector<ListEntry> mappingEntries(const db::Database& db) {
    std::vector<ListEntry> entries;
    for (int m = 1; m < liveCount(db.mapinfoCount, db.mapinfos.size()); ++m)
        entries.push_back({m, QStringLiteral("マッピング %1").arg(m)});
    return entries;
}

int selectedShapeCount(const db::Database& db) {
    const int count = liveCount(db.shapeCount, db.shapes.size());
    return static_cast<int>(std::count_if(db.shapes.begin(), db.shapes.begin() + count,
                                          [](const db::Shape& s) { return s.layer == 1; }));
}

std::string selectShapesStatements(const db::Database& db, std::span<const int> shapes) {
    // The face browse highlights one shape at a time: each is stepped to, its highlight
    // turned into the selected state, and the highlight taken off again.
    std::string text;
    int cursor = -1;
    const int count = liveCount(db.shapeCount, db.shapes.size());
    for (const int s : shapes) {
        if (s < 0 || s >= count || !selectable(db.shapes[s].layer)) continue;
        if (cursor < 0) {
            text += "sel.jump.face TOP.JUMP; ";
            cursor = 0;
        }
        if (s != cursor) text += statements("select.face %d; ", s - cursor);
        text += "set.select L.ACTIVE; reset.select; ";
        cursor = s;
    }
    return text;
}

std::string selectPartsStatements(const db::Database& db, std::span<const int> blocks) {
    std::vector<int> shapes;
    for (int s = 0; s < liveCount(db.shapeCount, db.shapes.size()); ++s)
        if (std::find(blocks.begin(), blocks.end(), static_cast<int>(db.shapes[s].shapeId)) !=
            blocks.end())
            shapes.push_back(s);
    return selectShapesStatements(db, shapes);
}

std::optional<std::string> letName(const char* variable, const QString& name) {
    const QByteArray bytes = name.toUtf8();
    if (bytes.isEmpty() || bytes.size() > kNameBytes) return std::nullopt;
    for (const char c : bytes)
        if (c == '"' || (static_cast<unsigned char>(c) < 0x20)) return std::nullopt;
    return std::string("let ") + variable + " \"" + bytes.toStdString() + "\"; ";
}

}  // namespace rz::app
