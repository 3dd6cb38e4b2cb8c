#pragma once
// The environment dialog (56): the store capacities, the Z-buffer size and the rendering
// resolution that the next start will use.

#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <array>

#include "db/settings.hpp"

namespace rz::app {

inline constexpr int kCapacityKeys = 14;
inline constexpr int kZbufChoices = 3;
inline constexpr int kResolutionChoices = 6;

class EnvironmentDialog : public QDialog {
  public:
    EnvironmentDialog(QWidget& owner, const db::Settings& settings);
    // The capacities and flags as the dialog shows them, over the rest of `settings`.
    void store(db::Settings& settings) const;

  private:
    void showValues(const db::Settings& settings);
    void showDefaults() { showValues(db::Settings{}); }

    QVBoxLayout layout_{this};
    QGroupBox storesBox_{QStringLiteral("データ領域の大きさ")};
    QFormLayout stores_{&storesBox_};
    std::array<QSpinBox, kCapacityKeys> capacities_;
    QGroupBox zbufBox_{QStringLiteral("Ｚバッファの大きさ")};
    QVBoxLayout zbufLayout_{&zbufBox_};
    std::array<QRadioButton, kZbufChoices> zbuf_;
    QButtonGroup zbufGroup_;
    QGroupBox resolutionBox_{QStringLiteral("レンダリング解像度")};
    QVBoxLayout resolutionLayout_{&resolutionBox_};
    std::array<QRadioButton, kResolutionChoices> resolution_;
    QButtonGroup resolutionGroup_;
    QPushButton defaults_{QStringLiteral("標準値に戻す")};
    QDialogButtonBox buttons_{QDialogButtonBox::Ok | QDialogButtonBox::Cancel};
};

}  // namespace rz::app
