#include "app/shell/dialogs/part_dialogs.hpp"

#include <QCheckBox>
#include <array>

#include "app/shell/dialogs/dialog_forms.hpp"
#include "app/shell/dialogs/dialog_messages.hpp"
#include "app/shell/dialogs/dialog_support.hpp"
#include "app/shell/dialogs/model_records.hpp"
#include "app/shell/dialogs/part_pair.hpp"

namespace rz::app {
namespace {

// The dialog state word that names the part add.block fills.
constexpr std::size_t kAddTarget = 2;

// One part chosen from the list of parts; nothing when there is none or the user cancelled.
std::optional<int> choosePart(CommandPort& port, const char* title, const QString& prompt) {
    const db::Database& db = model(port);
    const std::vector<ListEntry> parts = partEntries(db);
    if (parts.empty()) {
        refuse(port, dialog_msg::kNoPart);
        return std::nullopt;
    }
    ModelDialog d(port, title);
    d.addPrompt(prompt);
    QListWidget* list = d.addList("parts", parts, Choice::One, db.currentBlock);
    if (!d.exec()) return std::nullopt;
    const std::vector<int> chosen = chosenNumbers(*list);
    if (chosen.empty()) return std::nullopt;
    return chosen.front();
}

// A name typed over a proposal; the `let` statement that gives it, or nothing.
std::optional<std::string> askName(CommandPort& port, const char* title, const QString& prompt,
                                   const QString& proposal, const char* variable) {
    ModelDialog d(port, title);
    d.addPrompt(prompt);
    QLineEdit* line = d.addLine("name", proposal, kNameBytes);
    if (!d.exec()) return std::nullopt;
    std::optional<std::string> let = letName(variable, line->text());
    if (!let) refuse(port, dialog_msg::kBadName);
    return let;
}

}  // namespace

bool runDeleteShapes(int, CommandPort& port) {
    const int selected = selectedShapeCount(model(port));
    if (selected == 0) return refuse(port, dialog_msg::kNoSelection);
    ModelDialog d(port, "選択形状の削除");
    d.addPrompt(QStringLiteral("選択されている %1 個の形状を削除します。").arg(selected));
    // Deleting a shape's material and mappings takes them from every other shape that
    // shares them, so that is asked for, never assumed.
    auto* everything =
        new QCheckBox(QStringLiteral("形状の色質感・マッピングも削除する"), &d.dialog());
    everything->setObjectName(QStringLiteral("withAttributes"));
    d.dialog().layout()->addWidget(everything);
    if (!d.exec()) return false;
    return runStatements(port, everything->isChecked() ? "allinfo.del L.ACTIVE; winclear; wire; "
                                                       : "block.del L.ACTIVE; winclear; wire; ");
}

bool runChoosePart(int, CommandPort& port) {
    const std::optional<int> part =
        choosePart(port, "パーツ/ブロックの選択", QStringLiteral("選択するパーツ"));
    if (!part) return false;
    // The part itself is made active too, so that part moves and rotations find it.
    const std::array<int, 1> blocks{*part};
    return runStatements(port, selectPartsStatements(model(port), blocks) +
                                   statements("num.block %d; b.layer = 1; set.block; "
                                              "wire L.ACTIVE; ",
                                              *part));
}

bool runExchangeParts(int, CommandPort& port) {
    const std::optional<PartPair> parts =
        chooseTwoParts(port, "パーツ交換", QStringLiteral("形状を入れ替える二つのパーツ"));
    if (!parts) return false;
    const db::Database& db = model(port);
    const std::vector<int> a{parts->first};
    const std::vector<int> b{parts->second};
    // Each part keeps its name, joints and pose and takes the other's shapes. The second
    // part's shapes are found before any of them moves; add.block keeps shape order.
    const std::string firstShapes = selectPartsStatements(db, a);
    const std::string secondShapes = selectPartsStatements(db, b);
    std::int32_t& target = db::database(port.interp()).dialogState[kAddTarget];
    target = b[0];
    port.run(("set.layer L.NORMAL; " + firstShapes + "add.block; ").c_str());
    target = a[0];
    port.run(("set.layer L.NORMAL; " + secondShapes + "add.block; ").c_str());
    return runStatements(port, "blockbbox.gen; set.layer L.NORMAL; winclear; wire; ");
}

bool runDismantlePart(int, CommandPort& port) {
    const std::optional<int> part = choosePart(
        port, "パーツの分解", QStringLiteral("分解するパーツ（形状はパーツから外れます）"));
    if (!part) return false;
    // delete.block takes every active part: only the chosen one may be active.
    return runStatements(port, statements("set.layer L.NORMAL; num.block %d; b.layer = 1; "
                                          "set.block; delete.block; winclear; wire; ",
                                          *part));
}

bool runChooseParts(int, CommandPort& port) {
    const db::Database& db = model(port);
    const std::vector<ListEntry> parts = partEntries(db);
    if (parts.empty()) return refuse(port, dialog_msg::kNoPart);
    ModelDialog d(port, "パーツの選択");
    d.addPrompt(QStringLiteral("選択するパーツ（複数選択可）"));
    QListWidget* list = d.addList("parts", parts, Choice::Many);
    if (!d.exec()) return false;
    const std::vector<int> chosen = chosenNumbers(*list);
    const std::string select = selectPartsStatements(db, chosen);
    if (select.empty()) return refuse(port, dialog_msg::kNoSelection);
    return runStatements(port, select + "wire L.ACTIVE; ");
}

bool runChoosePartToRename(int, CommandPort& port) {
    const std::optional<int> part =
        choosePart(port, "パーツの選択", QStringLiteral("名前を変更するパーツ"));
    if (!part) return false;
    return runStatements(port, statements("num.block %d; ", *part));
}

bool runRenamePart(int, CommandPort& port) {
    const db::Database& db = model(port);
    const int part = db.currentBlock;
    if (part < 1 || part >= db.blockCount) return refuse(port, dialog_msg::kNoPart);
    const std::optional<std::string> let =
        askName(port, "パーツ名前変更", QStringLiteral("Block(%1) の新しい名前").arg(part),
                blockName(db, part), "b.name");
    if (!let) return false;
    return runStatements(port, *let + "set.block; ");
}

bool runChooseShape(int, CommandPort& port) {
    const db::Database& db = model(port);
    const std::vector<ListEntry> shapes = shapeEntries(db);
    if (shapes.empty()) return refuse(port, dialog_msg::kNoSelection);
    ModelDialog d(port, "表面形状の選択");
    d.addPrompt(QStringLiteral("選択する表面形状"));
    QListWidget* list = d.addList("shapes", shapes, Choice::One, db.selection.faceCursor);
    if (!d.exec()) return false;
    const std::string select = selectShapesStatements(db, chosenNumbers(*list));
    if (select.empty()) return refuse(port, dialog_msg::kNoSelection);
    return runStatements(port, "set.layer L.NORMAL; " + select + "wire L.ACTIVE; ");
}

bool runNewPartName(int, CommandPort& port) {
    // The block new.block makes next.
    const int next = std::max(model(port).blockCount, 1);
    const std::optional<std::string> let =
        askName(port, "新しいパーツの作成", QStringLiteral("新しいパーツの名前"),
                QString::asprintf("noname(%d)", next), "b.name");
    if (!let) return false;
    return runStatements(port, *let);
}

bool runAddToPart(int, CommandPort& port) {
    if (selectedShapeCount(model(port)) == 0) return refuse(port, dialog_msg::kNoSelection);
    const std::optional<int> part =
        choosePart(port, "パーツへの形状追加", QStringLiteral("選択形状を追加するパーツ"));
    if (!part) return false;
    db::database(port.interp()).dialogState[kAddTarget] = *part;
    port.run("add.block; winclear; wire; ");
    const db::Database& db = model(port);
    int added = 0;
    for (int s = 0; s < std::min<int>(db.shapeCount, db.shapes.size()); ++s)
        if (db.shapes[s].layer == 1 && static_cast<int>(db.shapes[s].shapeId) == *part) ++added;
    port.interp().msg.statusText(
        statements("■■　%d 個の形状をパーツ Block(%d): %s に追加しました。　■■ \n", added, *part,
                   blockName(db, *part).toUtf8().constData()));
    return true;
}

bool runSelectByMaterial(int, CommandPort& port) {
    const db::Database& db = model(port);
    ModelDialog d(port, "色質感による形状選択");
    d.addPrompt(QStringLiteral("この色質感の形状の選択/非選択を切り替えます"));
    QListWidget* list =
        d.addList("materials", materialEntries(db), Choice::One, db.currentAttribute);
    if (!d.exec()) return false;
    const std::vector<int> chosen = chosenNumbers(*list);
    if (chosen.empty()) return false;
    return runStatements(port, statements("sel.block.attri %d; ", chosen.front()));
}

bool runSelectByMapping(int, CommandPort& port) {
    const db::Database& db = model(port);
    const std::vector<ListEntry> mappings = mappingEntries(db);
    if (mappings.empty()) return refuse(port, dialog_msg::kNoSelection);
    ModelDialog d(port, "マッピングによる形状選択");
    d.addPrompt(QStringLiteral("このマッピングの形状の選択/非選択を切り替えます"));
    QListWidget* list = d.addList("mappings", mappings, Choice::One, db.currentMapinfo);
    if (!d.exec()) return false;
    const std::vector<int> chosen = chosenNumbers(*list);
    if (chosen.empty()) return false;
    return runStatements(port, statements("sel.block.mapping %d; ", chosen.front()));
}

}  // namespace rz::app
