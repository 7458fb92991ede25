#pragma once

#include "ui/ui_geometry.h"

// The rules of the two-state check buttons that need no window: how a check value given from
// outside becomes the on state, and where the mark and the text sit.

namespace veltamar {

// Default diameter of the coloured dot; a button with icons uses the icon width instead.
constexpr int CHECK_MARK_SIZE = 15;

// A requested check value becomes the on state: 1 and 2 mean on, every other value off.
int onStateForCheck(int value);

struct CheckButtonLayout {
    UiRect mark;
    UiRect text;
};

// The mark sits at the left edge (at the right edge with leftText), vertically centred and then
// moved 2 pixels down; the text box begins 3 pixels beyond it and takes the rest of the width.
CheckButtonLayout layoutCheckButton(UiRect client, int markSize, bool leftText);

}  // namespace veltamar
