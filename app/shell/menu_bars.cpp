#include "app/shell/menu_bars.hpp"

#include <QMenuBar>
#include <array>
#include <span>

namespace rz::app {

// A menu item by identifier (its caption from the command table unless the menu names it
// otherwise), a separator, a submenu, or an item that is never enabled.
struct MenuBars::Entry {
    int id = kNone;
    const char* caption = nullptr;
    std::span<const Entry> submenu{};
    bool disabled = false;

    static constexpr int kNone = -1;
};

namespace {

using Entry = MenuBars::Entry;
constexpr Entry kSeparator{};

constexpr Entry item(int id, const char* caption = nullptr) {
    return {.id = id, .caption = caption};
}
constexpr Entry disabledItem(int id, const char* caption) {
    return {.id = id, .caption = caption, .disabled = true};
}
constexpr Entry submenu(const char* title, std::span<const Entry> entries) {
    return {.caption = title, .submenu = entries};
}

// The main menu bar, in menu order. The menus' own keys stay clear of the Alt accelerators.
constexpr std::array kFile{
    item(40004),
    item(2001),
    item(40007),
    item(2002),
    item(2003),
    kSeparator,
    item(213),
    item(212),
    kSeparator,
    item(255),
    item(254),
    kSeparator,
    item(2008),
    item(2009),
    item(2011),
    item(2012),
    item(cmd::kVrmlViewer),
    kSeparator,
    item(2115),
    kSeparator,
    item(2004),
    kSeparator,
    item(998),
};
constexpr std::array kEdit{
    item(2209), item(2211), item(2222), kSeparator, item(2213), item(2214),
    item(2220), item(2221), item(2206), item(2215), kSeparator, item(2201),
    item(2202), item(2203), item(2204), kSeparator, item(2207),
};
constexpr std::array kParts{item(2603), item(2604), item(2610), item(2613), item(2602)};
constexpr std::array kColour{item(2531), item(2413)};
constexpr std::array kMotion{item(3004), item(3002), item(3005), item(3001),
                             item(3012), kSeparator, item(3051), item(3052)};
constexpr std::array kRealTimeOptions{item(2567), item(2566), kSeparator,
                                      item(2568), item(2570), item(2572)};
constexpr std::array kView{
    item(2552), item(321),  kSeparator, submenu("リアルタイム表示設定(&O)", kRealTimeOptions),
    item(2563), kSeparator, item(2574)};
constexpr std::array kRender{item(2551), item(2553), item(2554), kSeparator, item(2558),
                             item(2559), kSeparator, item(2562), item(2560), item(2561)};
constexpr std::array kHelp{item(106), item(107)};
constexpr std::array kMainBar{
    submenu("ファイル(&F)", kFile),       submenu("編集(&E)", kEdit),
    submenu("パーツ(&P)", kParts),        submenu("色質感(&K)", kColour),
    submenu("運動モデル(&M)", kMotion),   submenu("表示(&V)", kView),
    submenu("レンダリング(&D)", kRender), submenu("ヘルプ(&H)", kHelp),
};

// The reduced bar of the real-time display: the file, colour, motion and help menus.
constexpr std::array kReducedFile{
    item(40004),
    item(2001),
    item(2002, "形状データ保存(&S)"),
    item(2003),
    kSeparator,
    item(213),
    item(212),
    kSeparator,
    item(255),
    item(254),
    kSeparator,
    item(2008),
    item(2009),
    item(2011),
    item(2012),
    disabledItem(2010, "VRMLデータ呼出し(&V)"),
    disabledItem(2013, nullptr),
    disabledItem(2014, nullptr),
    disabledItem(Entry::kNone, "その他"),
    kSeparator,
    item(2115),
    kSeparator,
    item(2004),
    kSeparator,
    item(998),
};
constexpr std::array kRealTimeBar{
    submenu("ファイル(&F)", kReducedFile), submenu("色質感(&K)", kColour),
    submenu("運動モデル(&M)", kMotion),    submenu("リアルタイム表示(&V)", kRealTimeOptions),
    submenu("ヘルプ(&H)", kHelp),
};

// The view pop-ups.
constexpr std::array kBlockDirection{item(209), item(207), item(208)};
constexpr std::array kBlockFlip{item(203), item(202), item(201)};
constexpr std::array kWindowLayout{item(701), item(702), item(703), item(704), item(705)};
constexpr std::array kWindowScale{item(341), item(342), item(343), item(344), item(345), item(346),
                                  item(347), item(348), item(349), item(350), item(351)};
constexpr std::array kGridPlane{item(204), item(205), item(206)};
constexpr std::array kGridStep{item(301), item(302), item(303), item(304), item(305), item(306),
                               item(307), item(308), item(309), item(310), item(311), item(312)};
constexpr std::array kViewsPopup{
    item(223),
    item(243),
    kSeparator,
    submenu("ブロック生成方向", kBlockDirection),
    submenu("ブロック反転", kBlockFlip),
    item(210),
    item(239),
    kSeparator,
    submenu("ウィンドウ表示", kWindowLayout),
    submenu("表示倍率", kWindowScale),
    item(751),
    kSeparator,
    submenu("グリッド平面", kGridPlane),
    submenu("グリッド間隔", kGridStep),
};
constexpr std::array kPointEditPopup{
    item(451),
    item(2552, "画面再描画"),
    kSeparator,
    item(223),
    kSeparator,
    submenu("ウィンドウ表示", kWindowLayout),
    submenu("表示倍率", kWindowScale),
    item(751),
    kSeparator,
    submenu("グリッド平面", kGridPlane),
    submenu("グリッド間隔", kGridStep),
};
constexpr std::array kRealTimePopup{item(223), item(243), kSeparator, item(2564)};

// Accelerator table 101.
struct Accelerator {
    QKeyCombination key;
    int id;
};
const std::array<Accelerator, 24> kAccelerators{{
    {Qt::ALT | Qt::Key_1, 206},           {Qt::ALT | Qt::Key_2, 205},
    {Qt::ALT | Qt::Key_3, 204},           {Qt::ALT | Qt::Key_Q, 2204},
    {QKeyCombination(Qt::Key_F2), 210},   {QKeyCombination(Qt::Key_F3), 104},
    {QKeyCombination(Qt::Key_F5), 2222},  {QKeyCombination(Qt::Key_F6), 2531},
    {QKeyCombination(Qt::Key_F7), 2413},  {QKeyCombination(Qt::Key_F8), 223},
    {QKeyCombination(Qt::Key_F1), 57670}, {Qt::CTRL | Qt::Key_A, 209},
    {Qt::CTRL | Qt::Key_S, 207},          {Qt::CTRL | Qt::Key_D, 208},
    {Qt::CTRL | Qt::Key_Q, 203},          {Qt::CTRL | Qt::Key_W, 202},
    {Qt::CTRL | Qt::Key_E, 201},          {Qt::CTRL | Qt::Key_C, 2220},
    {Qt::CTRL | Qt::Key_R, 2221},         {Qt::ALT | Qt::Key_A, 2203},
    {Qt::ALT | Qt::Key_C, 2213},          {Qt::ALT | Qt::Key_R, 2214},
    {Qt::ALT | Qt::Key_S, 2206},          {Qt::ALT | Qt::Key_X, 2201},
}};

std::size_t popupIndex(ViewPopup which) {
    switch (which) {
        case ViewPopup::Views:
            return 0;
        case ViewPopup::PointEdit:
            return 1;
        case ViewPopup::RealTime:
            return 2;
    }
    return 0;
}

QString caption(const Entry& e) {
    if (e.caption != nullptr) return QString::fromUtf8(e.caption);
    const CommandRow* row = findCommand(e.id);
    return row != nullptr && row->caption != nullptr ? QString::fromUtf8(row->caption) : QString();
}

}  // namespace

MenuBars::MenuBars(QMainWindow& window, std::function<void(int id)> deliver)
    : window_(window), deliver_(std::move(deliver)) {
    for (const Entry& e : kMainBar) mainBar_.push_back(&build(newMenu(e.caption), e.submenu));
    for (const Entry& e : kRealTimeBar)
        realTimeBar_.push_back(&build(newMenu(e.caption), e.submenu));
    popups_[0] = &build(newMenu(nullptr), kViewsPopup);
    popups_[1] = &build(newMenu(nullptr), kPointEditPopup);
    popups_[2] = &build(newMenu(nullptr), kRealTimePopup);
    for (const Accelerator& a : kAccelerators) {
        auto& shortcut =
            accelerators_.emplace_back(std::make_unique<QShortcut>(QKeySequence(a.key), &window));
        QObject::connect(shortcut.get(), &QShortcut::activated,
                         [this, id = a.id] { deliver_(id); });
    }
    show(MenuBar::Main);
}

MenuBars::~MenuBars() {
    if (QMenuBar* bar = window_.menuBar(); bar != nullptr) bar->clear();
}

QMenu& MenuBars::newMenu(const char* title) {
    return *menus_.emplace_back(std::make_unique<QMenu>(QString::fromUtf8(title)));
}

QMenu& MenuBars::build(QMenu& menu, std::span<const Entry> entries) {
    for (const Entry& e : entries) {
        if (!e.submenu.empty()) {
            menu.addMenu(&build(newMenu(e.caption), e.submenu));
            continue;
        }
        if (e.id == Entry::kNone && e.caption == nullptr) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(caption(e));
        action->setEnabled(!e.disabled);
        if (e.id == Entry::kNone) continue;
        action->setData(e.id);
        const CommandRow* row = findCommand(e.id);
        action->setCheckable(row != nullptr && row->group != CheckGroup::None);
        QObject::connect(action, &QAction::triggered, [this, id = e.id] { deliver_(id); });
        items_.emplace(e.id, action);
    }
    return menu;
}

bool MenuBars::show(MenuBar bar) {
    QMenuBar* menuBar = window_.menuBar();
    if (menuBar == nullptr) return false;
    menuBar->clear();
    for (QMenu* menu : bar == MenuBar::Main ? mainBar_ : realTimeBar_) menuBar->addMenu(menu);
    shown_ = bar;
    return true;
}

QMenu& MenuBars::popup(ViewPopup which) {
    return *popups_[popupIndex(which)];
}

void MenuBars::setBarEnabled(bool enabled) {
    for (const std::vector<QMenu*>* bar : {&mainBar_, &realTimeBar_})
        for (QMenu* menu : *bar) menu->menuAction()->setEnabled(enabled);
    barEnabled_ = enabled;
}

void MenuBars::setChecked(int id, bool checked) {
    const auto [first, last] = items_.equal_range(id);
    for (auto it = first; it != last; ++it) {
        it->second->setCheckable(true);
        it->second->setChecked(checked);
    }
}

void MenuBars::setEnabled(int id, bool enabled) {
    const auto [first, last] = items_.equal_range(id);
    for (auto it = first; it != last; ++it) it->second->setEnabled(enabled);
}

void MenuBars::moveMark(CheckGroup group, int id) {
    for (const CommandRow& row : commandTable())
        if (row.group == group) setChecked(row.id, row.id == id);
}

QList<QAction*> MenuBars::actions(int id) const {
    QList<QAction*> found;
    const auto [first, last] = items_.equal_range(id);
    for (auto it = first; it != last; ++it) found << it->second;
    return found;
}

}  // namespace rz::app
