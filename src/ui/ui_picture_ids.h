#pragma once

// Ids of the built-in pictures of the popup menu, the toolbar and the tool palette. The asset
// generator paints them under these ids and the windows look them up with uiBitmap().

namespace veltamar {

// The popup menu's entries, 24 x 24.
constexpr int MENU_ICON_EXIT = 175;
constexpr int MENU_ICON_FISH = 180;

// The toolbar's background, painted for a strip of 948 x 26 dialog units at two pixels a unit.
constexpr int TOOLBAR_BACKGROUND_PICTURE = 310;
constexpr int TOOLBAR_BACKGROUND_WIDTH = 1896;
constexpr int TOOLBAR_BACKGROUND_HEIGHT = 52;

// The tool palette's buttons, 32 x 32, one for each thing the palette offers.
constexpr int PALETTE_PICTURE_FEED = 311;
constexpr int PALETTE_PICTURE_TOUCH = 312;
constexpr int PALETTE_PICTURE_FISH_DIALOG = 313;
constexpr int PALETTE_PICTURE_SPARE = 314;
constexpr int PALETTE_PICTURE_RIPPLE = 315;
constexpr int PALETTE_PICTURE_SETTINGS_DIALOG = 316;
constexpr int PALETTE_PICTURE_SWIRL = 317;
constexpr int PALETTE_PICTURE_POINT = 318;
constexpr int PALETTE_PICTURE_SIZE = 32;

}  // namespace veltamar
