#include "ui/tool_palette_layout.h"

#include <algorithm>
#include <cmath>

#include "render/commands.h"
#include "ui/ui_picture_ids.h"

namespace veltamar {

namespace {

int horizontalPixels(int units) {
    return static_cast<int>(std::lround(static_cast<double>(units) * PALETTE_WIDTH / PALETTE_WIDTH_UNITS));
}

int verticalPixels(int units) {
    return static_cast<int>(std::lround(static_cast<double>(units) * PALETTE_HEIGHT / PALETTE_HEIGHT_UNITS));
}

}  // namespace

const std::array<PaletteButton, 8>& paletteButtons() {
    static const std::array<PaletteButton, 8> buttons{{
        {1001, 0, PaletteAction::SelectTool, TOOL_FEED, PALETTE_PICTURE_FEED, "Feed the fish"},
        {1000, 34, PaletteAction::SelectTool, TOOL_TOUCH, PALETTE_PICTURE_TOUCH, "Touch a fish"},
        {1002, 66, PaletteAction::RunFishDialog, 0, PALETTE_PICTURE_FISH_DIALOG, "Add or delete fish"},
        {1004, 100, PaletteAction::SelectTool, TOOL_SPARE, PALETTE_PICTURE_SPARE, "Just look"},
        {1005, 134, PaletteAction::SelectTool, TOOL_RIPPLE, PALETTE_PICTURE_RIPPLE, "Ripples"},
        {1003, 168, PaletteAction::RunSettingsDialog, 0, PALETTE_PICTURE_SETTINGS_DIALOG,
         "Aquarium settings"},
        {1007, 232, PaletteAction::SelectTool, TOOL_SWIRL, PALETTE_PICTURE_SWIRL, "Swirl"},
        {1006, 269, PaletteAction::SelectTool, TOOL_POINT, PALETTE_PICTURE_POINT, "Point"},
    }};
    return buttons;
}

const PaletteButton* paletteButton(int id) {
    for (const PaletteButton& button : paletteButtons())
        if (button.id == id) return &button;
    return nullptr;
}

UiRect paletteButtonRect(const PaletteButton& button) {
    const int left = horizontalPixels(button.xUnits);
    int right = std::min(left + horizontalPixels(PALETTE_BUTTON_WIDTH_UNITS), PALETTE_WIDTH);
    for (const PaletteButton& other : paletteButtons())
        if (other.xUnits > button.xUnits) right = std::min(right, horizontalPixels(other.xUnits));
    const int height = std::min(verticalPixels(PALETTE_BUTTON_HEIGHT_UNITS), PALETTE_HEIGHT);
    return {left, 0, right - left, height};
}

UiRect placePalette(UiPoint mouse, UiRect screen) {
    const int x = std::max(screen.x, std::min(mouse.x, screen.right() - PALETTE_WIDTH));
    const int y = std::max(screen.y, std::min(mouse.y, screen.bottom() - PALETTE_HEIGHT));
    return {x, y, PALETTE_WIDTH, PALETTE_HEIGHT};
}

}  // namespace veltamar
