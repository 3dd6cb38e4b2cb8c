#include "app/shell/model_save_flow.hpp"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <array>

#include "app/shell/main_window.hpp"
#include "script/language_symbols.hpp"
#include "script/symbol_table.hpp"

namespace rz::app {
namespace {

constexpr std::array<const char*, 7> kModelSaveFilters = {
    "運動ﾊﾞｲﾅﾘﾌｧｲﾙ(*.MMB)",    "形状ﾊﾞｲﾅﾘﾌｧｲﾙ(*.PTB)", "運動ﾓﾃﾞﾙﾌｧｲﾙ(*.MMS)",
    "形状ﾃﾞｰﾀﾌｧｲﾙ(*.PTS)",     "ﾓﾃﾞﾙﾎﾟｰｽﾞﾌｧｲﾙ(*.GIM)", "DXF形状ファイル(*.DXF)",
    "VRML形状ファイル(*.WRL)",
};

// #STRING holds a path of at most this many bytes; the dialog's file-name buffer was that
// size, and a longer path made the dialog fail with this code rather than be cut short
// into the name of some other file.
constexpr std::size_t kPathMax = script::SymbolTable::kSlotSize - 1;
constexpr int kBufferTooSmall = 0x3003;

int stringSlot() {
    return script::kStringVariables[0].slot;  // #STRING
}

}  // namespace

void runModelSaveFlow(MainWindow& window) {
    script::SymbolTable& sym = window.workstation().interp.sym;
    sym.setSlotText(stringSlot(), "");
    QStringList filters;
    for (const char* f : kModelSaveFilters) filters << QString::fromUtf8(f);
    const QString chosen = QFileDialog::getSaveFileName(&window, QStringLiteral("形状データの保存"),
                                                        QString(), filters.join(";;"));
    if (chosen.isEmpty()) return;
    const QByteArray path = chosen.toUtf8();
    if (static_cast<std::size_t>(path.size()) > kPathMax) {
        QMessageBox::critical(
            &window, QStringLiteral("WARNING"),
            QStringLiteral("GetSaveFileName が返したエラー #%1").arg(kBufferTooSmall));
        return;
    }
    sym.setSlotText(stringSlot(), std::string_view(path.constData(), path.size()));
    window.run("write #STRING;");
    window.showModelFile(chosen);
}

}  // namespace rz::app
