#include "app/shell/tool_windows/record_list_window.hpp"

#include <QPixmap>
#include <QSignalBlocker>

#include "app/shell/tool_windows/variables.hpp"

namespace rz::app {
namespace {

constexpr int kButtonColumns = 2;
constexpr int kSwatchSide = 12;

QIcon swatch(const QColor& colour) {
    QPixmap pixmap(kSwatchSide, kSwatchSide);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

}  // namespace

RecordListWindow::RecordListWindow(const RecordListKind& kind, CommandPort& port, QWidget* parent)
    : QDialog(parent, Qt::Tool), kind_(kind), port_(port) {
    setObjectName(QString::fromLatin1(kind.objectName));
    setWindowTitle(QString::fromUtf8(kind.title));
    buttonGrid_.setSpacing(2);
    int n = 0;
    for (const ToolButton& b : kind.buttons) {
        auto& button = buttons_.emplace_back(
            std::make_unique<QPushButton>(QString::fromUtf8(b.caption), this));
        button->setObjectName(QString::number(b.id));
        button->setAutoDefault(false);
        const int id = b.id;
        connect(button.get(), &QPushButton::clicked, this, [this, id] { port_.sendCommand(id); });
        buttonGrid_.addWidget(button.get(), n / kButtonColumns, n % kButtonColumns);
        ++n;
    }
    list_.setObjectName(QString::number(kind.listId));
    list_.setMinimumHeight(120);
    connect(&list_, &QListWidget::currentRowChanged, this, [this](int row) { rowChosen(row); });
    column_.addLayout(&buttonGrid_);
    column_.addWidget(&list_);
}

void RecordListWindow::refresh() {
    const QSignalBlocker quiet(list_);
    rows_ = kind_.rows(port_.interp());
    list_.clear();
    const auto current = scalarVariable(port_.interp(), kind_.pointer);
    int chosen = -1;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const ListRow& r = rows_[i];
        list_.addItem(r.text);
        if (r.colour) list_.item(static_cast<int>(i))->setIcon(swatch(*r.colour));
        if (current && static_cast<int>(*current) == r.record) chosen = static_cast<int>(i);
    }
    list_.setCurrentRow(chosen);
}

QPushButton* RecordListWindow::button(int id) {
    for (const auto& b : buttons_)
        if (b->objectName().toInt() == id) return b.get();
    return nullptr;
}

void RecordListWindow::showEvent(QShowEvent* event) {
    refresh();
    QDialog::showEvent(event);
}

void RecordListWindow::rowChosen(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
    const QByteArray statement =
        QString::fromLatin1(kind_.choose).arg(rows_[static_cast<std::size_t>(row)].record).toUtf8();
    port_.run(statement.constData());
    port_.sendCommand(kind_.chosenId);
}

}  // namespace rz::app
