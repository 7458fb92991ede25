#pragma once

#include "ui/ui_geometry.h"

// Shrinking or growing a text control to the extent of its text while it keeps its place: the
// left edge for left-aligned text, the right edge for right-aligned text, the centre for centred
// text (which is also kept vertically; other text keeps its top).

namespace veltamar {

UiRect fitToText(UiRect box, int textWidth, int textHeight, TextAlign align);

}  // namespace veltamar
