#pragma once

#include "images.h"

// The program's icon for the desktop's menus and launchers: a fish in a small tank of water, drawn
// from shapes at each size the icon theme asks for.

namespace veltamar::assetgen {

// The sizes installed into the hicolor icon theme.
inline constexpr int APP_ICON_SIZES[] = {16, 22, 24, 32, 48, 64, 128, 256};

RgbaImage paintAppIcon(int size);

}  // namespace veltamar::assetgen
