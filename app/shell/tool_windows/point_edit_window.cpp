#include "app/shell/tool_windows/point_edit_window.hpp"

#include <QSignalBlocker>

namespace rz::app {
namespace {

constexpr std::array<ToolButton, 5> kPointEditButtons{
    {{2142, "<<"}, {2141, ">>"}, {2157, "表示リセット"}, {2154, "編集終了"}, {2152, "キャンセル"}}};
constexpr int kButtonColumns = 2;

}  // namespace

PointEditWindow::PointEditWindow(CommandPort& port, QWidget* parent)
    : QDialog(parent, Qt::Tool), port_(port) {
    setObjectName(QStringLiteral("71"));
    setWindowTitle(QStringLiteral("形状点編集"));
    buttonGrid_.setSpacing(2);
    for (std::size_t i = 0; i < kPointEditButtons.size(); ++i) {
        const ToolButton& b = kPointEditButtons[i];
        buttons_[i] = std::make_unique<QPushButton>(QString::fromUtf8(b.caption), this);
        buttons_[i]->setObjectName(QString::number(b.id));
        buttons_[i]->setAutoDefault(false);
        const int id = b.id;
        connect(buttons_[i].get(), &QPushButton::clicked, this,
                [this, id] { port_.sendCommand(id); });
        const int n = static_cast<int>(i);
        buttonGrid_.addWidget(buttons_[i].get(), n / kButtonColumns, n % kButtonColumns);
    }
    list_.setObjectName(QString::number(kPointListId));
    list_.setMinimumHeight(120);
    connect(&list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) port_.sendCommand(kPointListId);
    });
    column_.addLayout(&buttonGrid_);
    column_.addWidget(&list_);
}

void PointEditWindow::setPoints(int count, int current) {
    const QSignalBlocker quiet(list_);
    list_.clear();
    for (int i = 0; i < count; ++i) list_.addItem(QStringLiteral("点 %1").arg(i));
    list_.setCurrentRow(current >= 0 && current < count ? current : -1);
}

QPushButton* PointEditWindow::button(int id) {
    for (const auto& b : buttons_)
        if (b->objectName().toInt() == id) return b.get();
    return nullptr;
}

}  // namespace rz::app
