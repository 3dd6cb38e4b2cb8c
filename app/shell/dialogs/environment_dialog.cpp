#include "app/shell/dialogs/environment_dialog.hpp"

#include <QMessageBox>

#include "app/shell/dialog_host.hpp"
#include "app/shell/dialogs/setting_dialog_runs.hpp"

namespace rz::app {
namespace {

using CapacityField = std::int32_t db::Capacities::*;

struct CapacityKey {
    const char* key;  // the settings key, also the spin box's object name
    const char* caption;
    CapacityField field;
    // The least value the settings file takes: the reserved records and the records start-up
    // puts must fit.
    std::int32_t minimum;
};

const std::array<CapacityKey, kCapacityKeys> kCapacityKeyRows{{
    {"axismax", "頂点（軸）データ", &db::Capacities::axismax, 1},
    {"patchmax", "パッチデータ", &db::Capacities::patchmax, 1},
    {"shapemax", "形状データ", &db::Capacities::shapemax, 1},
    {"affinemax", "変換行列データ", &db::Capacities::affinemax, 1},
    {"attrimax", "色質感データ", &db::Capacities::attrimax, 2},
    {"mapinfomax", "マッピング情報", &db::Capacities::mapinfomax, 2},
    {"maplistmax", "マッピングリスト", &db::Capacities::maplistmax, 1},
    {"mapdatamax", "マッピング画像の数", &db::Capacities::mapdatamax, 1},
    {"mapimagemax", "マッピング画像領域（バイト）", &db::Capacities::mapimagemax, 0},
    {"blockmax", "パーツブロック", &db::Capacities::blockmax, 1},
    {"rigidmax", "関節点データ", &db::Capacities::rigidmax, 1},
    {"rlinkmax", "関節リンクデータ", &db::Capacities::rlinkmax, 1},
    {"actormax", "運動モデルデータ", &db::Capacities::actormax, 1},
    {"scriptmax", "スクリプト領域（バイト）", &db::Capacities::scriptmax, 0},
}};

struct FlagChoice {
    int id;  // the radio button's identifier, also its object name
    const char* label;
    std::uint8_t flag;
};

const std::array<FlagChoice, kZbufChoices> kZbufRows{{
    {2071, "2 MBytes", 2},
    {2072, "8 MBytes", 3},
    {2073, "32 MBytes", 4},
}};

const std::array<FlagChoice, kResolutionChoices> kResolutionRows{{
    {2081, "640×480", 1},
    {2082, "800×600", 2},
    {2083, "1024×768", 3},
    {2084, "1280×960", 4},
    {2085, "1600×1200", 5},
    {2086, "2000×1500", 6},
}};

constexpr int kDefaultsButton = 2091;

template <std::size_t N>
void addChoices(const std::array<FlagChoice, N>& rows, std::array<QRadioButton, N>& buttons,
                QButtonGroup& group, QVBoxLayout& layout) {
    for (std::size_t i = 0; i < N; ++i) {
        buttons[i].setText(QString::fromUtf8(rows[i].label));
        buttons[i].setObjectName(QString::number(rows[i].id));
        group.addButton(&buttons[i], rows[i].flag);
        layout.addWidget(&buttons[i]);
    }
}

// A flag the dialog does not offer (a Z-buffer flag of 1 written by hand) leaves every
// button unchecked and is kept.
void checkFlag(QButtonGroup& group, int flag) {
    group.setExclusive(false);
    for (QAbstractButton* b : group.buttons()) b->setChecked(group.id(b) == flag);
    group.setExclusive(true);
}

std::uint8_t chosenFlag(const QButtonGroup& group, std::uint8_t kept) {
    const int id = group.checkedId();
    return id < 0 ? kept : static_cast<std::uint8_t>(id);
}

constexpr const char* kNoticeTitle = "システム環境設定値変更時の注意";
constexpr const char* kNoticeText =
    "システム環境設定値が変更されました。\nこれらの設定を有効にするためには、\n一度ZIVOZI/"
    "3Z-Uravevivを終了して再度起動しなおして下さい。";

}  // namespace

EnvironmentDialog::EnvironmentDialog(QWidget& owner, const db::Settings& settings)
    : QDialog(&owner) {
    setWindowTitle(QStringLiteral("ZIVOZI/3Z-Uraveviv実行環境設定"));
    setModal(true);
    for (std::size_t i = 0; i < kCapacityKeyRows.size(); ++i) {
        const CapacityKey& k = kCapacityKeyRows[i];
        QSpinBox& box = capacities_[i];
        box.setObjectName(QString::fromUtf8(k.key));
        box.setRange(k.minimum, db::kCapacityMaxima.*k.field);
        stores_.addRow(QString::fromUtf8(k.caption), &box);
    }
    addChoices(kZbufRows, zbuf_, zbufGroup_, zbufLayout_);
    addChoices(kResolutionRows, resolution_, resolutionGroup_, resolutionLayout_);
    defaults_.setObjectName(QString::number(kDefaultsButton));
    layout_.addWidget(&storesBox_);
    layout_.addWidget(&zbufBox_);
    layout_.addWidget(&resolutionBox_);
    layout_.addWidget(&defaults_);
    layout_.addWidget(&buttons_);
    connect(&defaults_, &QPushButton::clicked, this, &EnvironmentDialog::showDefaults);
    connect(&buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(&buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showValues(settings);
}

void EnvironmentDialog::showValues(const db::Settings& settings) {
    for (std::size_t i = 0; i < kCapacityKeyRows.size(); ++i)
        capacities_[i].setValue(settings.capacity.*kCapacityKeyRows[i].field);
    checkFlag(zbufGroup_, settings.zbufFlag);
    checkFlag(resolutionGroup_, settings.cbufFlag);
}

void EnvironmentDialog::store(db::Settings& settings) const {
    for (std::size_t i = 0; i < kCapacityKeyRows.size(); ++i)
        settings.capacity.*kCapacityKeyRows[i].field = capacities_[i].value();
    settings.zbufFlag = chosenFlag(zbufGroup_, settings.zbufFlag);
    settings.cbufFlag = chosenFlag(resolutionGroup_, settings.cbufFlag);
}

// The stores of this run keep their sizes: the values are for the settings file, which the
// next start reads.
bool runEnvironmentDialog(int, CommandPort& port) {
    EnvironmentDialog dialog(port.owner(), port.settings());
    if (port.dialogs().exec(dialog) != QDialog::Accepted) return false;
    dialog.store(port.settings());
    QMessageBox notice(QMessageBox::Information, QString::fromUtf8(kNoticeTitle),
                       QString::fromUtf8(kNoticeText), QMessageBox::Ok, &port.owner());
    port.dialogs().exec(notice);
    return true;
}

}  // namespace rz::app
