#pragma once

#include <array>

#include "ui/ui_geometry.h"

// The tool palette's eight picture buttons and where the palette opens. The palette is a strip of
// 310 x 17 dialog units shown at a fixed 405 x 40 pixels, so its units are laid out at that scale:
// every button keeps its place along the strip in proportion and fills the strip's height.

namespace veltamar {

constexpr int PALETTE_WIDTH = 405;
constexpr int PALETTE_HEIGHT = 40;
constexpr int PALETTE_WIDTH_UNITS = 310;
constexpr int PALETTE_HEIGHT_UNITS = 17;
constexpr int PALETTE_BUTTON_WIDTH_UNITS = 34;
constexpr int PALETTE_BUTTON_HEIGHT_UNITS = 18;

enum class PaletteAction { SelectTool, RunFishDialog, RunSettingsDialog };

struct PaletteButton {
    int id;      // control id in the palette
    int xUnits;  // left edge in dialog units
    PaletteAction action;
    int tool;     // the command selected, for PaletteAction::SelectTool
    int picture;  // built-in picture id
    const char* tip;
};

const std::array<PaletteButton, 8>& paletteButtons();
// The button with a control id, or null.
const PaletteButton* paletteButton(int id);

// A button's rectangle in the palette's pixels. Buttons never overlap their right-hand neighbour
// and never reach past the palette's edge.
UiRect paletteButtonRect(const PaletteButton& button);

// The palette's rectangle on the screen: its top-left corner at the mouse, moved back only as far
// as needed to keep the whole palette on the screen.
UiRect placePalette(UiPoint mouse, UiRect screen);

}  // namespace veltamar
