#pragma once
// The command palette (dialog 15): the primitive buttons and the primitive tools. It hands
// the main window only the identifiers of its own buttons.

#include <QDialog>
#include <QGridLayout>
#include <array>
#include <memory>

#include "app/shell/command_port.hpp"
#include "app/shell/tool_windows/picture_button.hpp"

namespace rz::app {

struct PaletteButton {
    const char* name;  // the button's object name
    int id;
    const char* picture;  // icon stem under :/icons/
};

// In the order the palette lays them out.
inline constexpr std::array<PaletteButton, 22> kPaletteButtons{{
    {"Prim0Push", 501, "prim_00"},   {"Prim1Push", 502, "prim_01"},
    {"Prim6Push", 510, "prim_06"},   {"Prim5Push", 504, "prim_05"},
    {"Prim12Push", 505, "prim_12"},  {"Prim13Push", 506, "prim_13"},
    {"Prim14Push", 507, "prim_14"},  {"Prim15Push", 508, "prim_15"},
    {"Prim16Push", 509, "prim_16"},  {"Prim17Push", 2110, "prim_17"},
    {"Prim18Push", 2111, "prim_18"}, {"Prim19Push", 2112, "prim_19"},
    {"Prim4Push", 503, "prim_04"},   {"Prim7Push", 511, "prim_07"},
    {"Prim8Push", 512, "prim_08"},   {"Prim9Push", 513, "prim_09"},
    {"Prim10Push", 514, "prim_10"},  {"Prim11Push", 515, "prim_11"},
    {"Prim2Push", 517, "prim_02"},   {"Prim3Push", 516, "prim_03"},
    {"Prim20Push", 2117, "prim_20"}, {"Prim21Push", 2118, "prim_21"},
}};

// Whether the palette passes this identifier on to the main window.
bool palettePassesOn(int id);

class CommandPalette final : public QDialog {
  public:
    CommandPalette(CommandPort& port, QWidget* parent);
    // A command from one of the palette's buttons.
    void command(int id);

  private:
    CommandPort& port_;
    QGridLayout grid_{this};
    std::array<std::unique_ptr<PictureButton>, kPaletteButtons.size()> buttons_;
};

}  // namespace rz::app
