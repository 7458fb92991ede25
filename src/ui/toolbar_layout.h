#pragma once

#include <array>

#include "ui/ui_geometry.h"

// The toolbar's contents and where it sits. The strip is 948 x 26 dialog units; on the screen
// it is laid out at the scale that makes it as wide as the screen (between one and two pixels a
// unit, the latter being the desktop font's own scale), centred along the top edge.

namespace veltamar {

constexpr int TOOLBAR_WIDTH_UNITS = 948;
constexpr int TOOLBAR_HEIGHT_UNITS = 26;
constexpr double TOOLBAR_MIN_SCALE = 1.0;
constexpr double TOOLBAR_MAX_SCALE = 2.0;

enum class ToolbarControlKind { Button, Clock, Title, Link };
enum class ToolbarAction { None, SelectCommand, RunFishDialog };

struct ToolbarControl {
    int id;  // -1 for the title, which has no id
    ToolbarControlKind kind;
    const char* text;  // null where the control shows something else (the clock, the address)
    UiRect units;
    ToolbarAction action;
    int command;  // for ToolbarAction::SelectCommand
};

const std::array<ToolbarControl, 11>& toolbarControls();
// The control with an id, or null.
const ToolbarControl* toolbarControl(int id);

// Pixels a dialog unit for a screen of the given width.
double toolbarScale(int screenWidth);
// A rectangle in dialog units converted to the toolbar's pixels at a scale.
UiRect toolbarPixels(UiRect units, double scale);
// The toolbar on the screen when fully shown: centred at the top.
UiRect toolbarArea(UiRect screen, double scale);
// The toolbar's place while a share `shown` (0 to 1) of it has slid down into view.
UiRect toolbarAreaShown(UiRect screen, double scale, double shown);

}  // namespace veltamar
