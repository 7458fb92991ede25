#pragma once

#include <string>

#include "ui/color_ref.h"
#include "ui/ui_geometry.h"

// The right-click menu's entries as they are measured and drawn, and where the menu goes on the
// screen. Every entry is 140 x 48 pixels: an icon strip 25 pixels wide at the left and the label
// area to its right. The menu window puts a 1-pixel frame around its entries.

namespace veltamar {

// One entry of the popup menu. Whoever shows the menu owns these records and keeps them alive
// while the menu is open.
struct IconMenuItem {
    int normalIcon = 0;    // picture id drawn while the entry is not highlighted
    int selectedIcon = 0;  // picture id drawn while it is
    std::string text;
};

constexpr int MENU_ITEM_WIDTH = 140;
constexpr int MENU_ITEM_HEIGHT = 48;
constexpr int MENU_ICON_STRIP_WIDTH = 25;
constexpr int MENU_ICON_INSET = 3;
constexpr int MENU_ICON_SIZE = 24;
constexpr int MENU_LABEL_INDENT = 8;
constexpr int MENU_BORDER = 1;

constexpr ColorRef MENU_STRIP_COLOUR = rgbColor(219, 216, 209);
constexpr ColorRef MENU_LABEL_COLOUR = rgbColor(249, 248, 247);
constexpr ColorRef MENU_HIGHLIGHT_COLOUR = rgbColor(177, 185, 207);

// The measured size of every entry.
constexpr UiSize measureMenuItem() {
    return {MENU_ITEM_WIDTH, MENU_ITEM_HEIGHT};
}

// The parts of one entry drawn in the rectangle item.
struct MenuItemParts {
    UiRect iconStrip;  // filled with the strip colour when not highlighted
    UiRect labelArea;  // filled with the label colour when not highlighted
    UiRect frame;      // highlighted: framed in black ...
    UiRect fill;       // ... and filled inside the frame with the highlight colour
    UiPoint icon;      // top-left corner of the 24 x 24 icon
    UiRect text;       // the label, on one line, vertically centred
};
MenuItemParts menuItemParts(UiRect item, bool highlighted);

// The menu window's size for a number of entries, and where entry index sits in it.
UiSize menuWindowSize(int itemCount);
UiRect menuItemRect(int index);
// The entry under a point of the menu window, or -1.
int menuItemAt(UiPoint point, int itemCount);

// Where the menu window goes for a click at the screen point `at`: its top-left corner at the
// point, or, where it would leave the screen, flipped to the left of or above the point (and
// kept on the screen in any case).
UiPoint placeMenuWindow(UiPoint at, UiSize windowSize, UiRect screen);

}  // namespace veltamar
