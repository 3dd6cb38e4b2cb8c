// What the material, mapping, light and selection lists show of the records. The counts are
// those of the stores, which the record commands keep; the lists only read them.
#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "app/shell/shown_text.hpp"
#include "app/shell/tool_windows/record_list_window.hpp"
#include "db/database.hpp"

namespace rz::app {
namespace {

struct Named {
    int value;
    const char* name;
};

constexpr std::array<Named, 6> kMapKinds{{{2, "COLORMAP24"},
                                          {3, "COLORMAP32"},
                                          {4, "ALPHAMAP"},
                                          {11, "BUMPMAP"},
                                          {12, "R.BUMPMAP"},
                                          {21, "INTENSMAP"}}};
constexpr std::array<Named, 9> kMapMethods{{{1, "UVMAP"},
                                            {2, "DECALBOX"},
                                            {3, "DECALBOX.1"},
                                            {4, "DECALBOX.2"},
                                            {5, "DECALBOX.3"},
                                            {6, "DECALBOX.4"},
                                            {7, "DECALBOX.5"},
                                            {8, "DECALBOX.6"},
                                            {9, "WORLDBOX"}}};
constexpr std::array<Named, 4> kLightKinds{{{0, "OFF"}, {1, "PARA"}, {2, "POINT"}, {3, "POINT2"}}};

template <std::size_t N>
QString nameOf(const std::array<Named, N>& names, int value) {
    for (const Named& n : names)
        if (n.value == value) return QString::fromLatin1(n.name);
    return QString::number(value);
}

QColor colourOf(const Vec3& rgb) {
    const auto channel = [](float c) {
        return static_cast<int>(std::clamp(c, 0.0f, 1.0f) * 255.0f);
    };
    return {channel(rgb[0]), channel(rgb[1]), channel(rgb[2])};
}

template <std::size_t N>
QString textOf(const std::array<char, N>& name) {
    return shownText(std::string_view(name.data(), strnlen(name.data(), N)));
}

// A store's count, never beyond what it holds.
int rowsOf(std::int32_t count, std::size_t size) {
    return std::clamp(count, 0, static_cast<int>(size));
}

std::vector<ListRow> materialRows(script::Interp& in) {
    std::vector<ListRow> rows;
    if (in.db == nullptr) return rows;
    const db::Database& d = *in.db;
    const int n = rowsOf(d.attributeCount, d.attributes.size());
    for (int i = 0; i < n; ++i) {
        const db::Attribute& a = d.attributes[static_cast<std::size_t>(i)];
        rows.push_back({i,
                        QStringLiteral("質感 %1  (%2, %3, %4)")
                            .arg(i)
                            .arg(a.rgb[0], 0, 'g', 3)
                            .arg(a.rgb[1], 0, 'g', 3)
                            .arg(a.rgb[2], 0, 'g', 3),
                        colourOf(a.rgb)});
    }
    return rows;
}

std::vector<ListRow> mappingRows(script::Interp& in) {
    std::vector<ListRow> rows;
    if (in.db == nullptr) return rows;
    const db::Database& d = *in.db;
    const int n = rowsOf(d.mapinfoCount, d.mapinfos.size());
    for (int i = 0; i < n; ++i) {
        const db::Mapinfo& m = d.mapinfos[static_cast<std::size_t>(i)];
        rows.push_back({i,
                        QStringLiteral("マッピング %1  %2 / %3  画像 %4")
                            .arg(i)
                            .arg(nameOf(kMapKinds, m.kind), nameOf(kMapMethods, m.method))
                            .arg(m.texId),
                        std::nullopt});
    }
    return rows;
}

std::vector<ListRow> lightRows(script::Interp& in) {
    std::vector<ListRow> rows;
    if (in.db == nullptr) return rows;
    const db::Database& d = *in.db;
    const int n = rowsOf(d.lightCount, d.lights.size());
    for (int i = 0; i < n; ++i) {
        const db::Light& l = d.lights[static_cast<std::size_t>(i)];
        rows.push_back({i, QStringLiteral("光源 %1  %2").arg(i).arg(nameOf(kLightKinds, l.kind)),
                        colourOf(l.rgb)});
    }
    return rows;
}

// Block 0 holds the shapes of no part; the list starts at block 1.
std::vector<ListRow> partRows(script::Interp& in) {
    std::vector<ListRow> rows;
    if (in.db == nullptr) return rows;
    const db::Database& d = *in.db;
    const int n = rowsOf(d.blockCount, d.blocks.size());
    for (int i = 1; i < n; ++i) {
        const db::Block& b = d.blocks[static_cast<std::size_t>(i)];
        const QString mark = b.layer % 100 == 1 ? QStringLiteral("＊") : QStringLiteral("　");
        rows.push_back(
            {i, QStringLiteral("%1%2: %3").arg(mark).arg(i).arg(textOf(b.name)), std::nullopt});
    }
    return rows;
}

constexpr std::array<ToolButton, 5> kMaterialButtons{{{2533, "この色を選択形状へ"},
                                                      {2532, "色質感の変更"},
                                                      {2401, "新しい色質感"},
                                                      {2534, "この色を削除"},
                                                      {2218, "この色の形状を選択"}}};
constexpr std::array<ToolButton, 5> kMappingButtons{{{2415, "このマッピングを選択形状へ"},
                                                     {2414, "マッピングの変更"},
                                                     {2411, "新しいマッピング"},
                                                     {2416, "マッピングの削除"},
                                                     {2217, "このマッピングの形状を選択"}}};
constexpr std::array<ToolButton, 3> kLightButtons{
    {{241, "新しい光源"}, {244, "光源の変更"}, {245, "光源の削除"}}};
constexpr std::array<ToolButton, 4> kSelectionButtons{{{2653, "表示の更新"},
                                                       {2655, "パーツ名の変更"},
                                                       {2203, "全形状の選択"},
                                                       {2204, "全形状の非選択"}}};

const RecordListKind kMaterial{"65", "色質感設定",       kMaterialButtons, 2541,
                               2542, "atr.point = %1; ", "atr.point",      materialRows};
const RecordListKind kMapping{"66", "マッピング設定",  kMappingButtons, 2901,
                              2902, "mi.point = %1; ", "mi.point",      mappingRows};
const RecordListKind kLight{"70", "光源設定",       kLightButtons, 641,
                            642,  "l.point = %1; ", "l.point",     lightRows};
const RecordListKind kSelection{"67", "形状選択リスト", kSelectionButtons, 2650,
                                2650, "num.block %1; ", "b.point",         partRows};

}  // namespace

const RecordListKind& materialWindowKind() {
    return kMaterial;
}
const RecordListKind& mappingWindowKind() {
    return kMapping;
}
const RecordListKind& lightWindowKind() {
    return kLight;
}
const RecordListKind& selectionWindowKind() {
    return kSelection;
}

}  // namespace rz::app
