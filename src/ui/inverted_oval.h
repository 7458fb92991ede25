#pragma once

#include <cstdint>

#include "ui/ui_geometry.h"

// The selection mark of the fish picture: every pixel of the ellipse that fills a rectangle is
// inverted, so the picture shows through in its complementary colours. Applied to a tightly
// packed RGB picture; the parts of the rectangle outside the picture are left out.

namespace veltamar {

void invertOval(std::uint8_t* rgb, int width, int height, UiRect box);

// Whether the pixel at (x, y) belongs to the ellipse inscribed in box (its centre lies inside).
bool insideOval(UiRect box, int x, int y);

}  // namespace veltamar
