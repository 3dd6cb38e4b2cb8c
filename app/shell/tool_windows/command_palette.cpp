#include "app/shell/tool_windows/command_palette.hpp"

namespace rz::app {
namespace {

struct IdRange {
    int first;
    int last;
};

constexpr std::array<IdRange, 3> kPassedOn{{{501, 517}, {2110, 2112}, {2117, 2118}}};
constexpr int kColumns = 2;

}  // namespace

bool palettePassesOn(int id) {
    for (const IdRange& r : kPassedOn)
        if (id >= r.first && id <= r.last) return true;
    return false;
}

CommandPalette::CommandPalette(CommandPort& port, QWidget* parent)
    : QDialog(parent, Qt::Tool), port_(port) {
    setObjectName(QStringLiteral("15"));
    setWindowTitle(QStringLiteral("コマンドパレット"));
    grid_.setSpacing(1);
    grid_.setContentsMargins(2, 2, 2, 2);
    for (std::size_t i = 0; i < kPaletteButtons.size(); ++i) {
        const PaletteButton& b = kPaletteButtons[i];
        buttons_[i] = std::make_unique<PictureButton>(
            QString::fromLatin1(b.name), b.id, QString::fromLatin1(b.picture),
            [this](int id) { command(id); }, this);
        const int n = static_cast<int>(i);
        grid_.addWidget(buttons_[i].get(), n / kColumns, n % kColumns);
    }
    setFixedSize(sizeHint());
}

void CommandPalette::command(int id) {
    if (palettePassesOn(id)) port_.sendCommand(id);
}

}  // namespace rz::app
