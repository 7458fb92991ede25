#pragma once

#include "render/commands.h"

// Input and control state of the aquarium view, and the rules by which the mouse buttons change
// it. The window class holds one ViewState and forwards its events here; the frame drawing and the
// picking read it. The commands' rules are the view's own (view/view_commands.h).

namespace veltamar {

struct ViewState {
    int toolMode = TOOL_NONE;
    int mouseX = 0;  // last mouse position in the drawing's pixels, y counted from the top
    int mouseY = 0;
    bool buttonHeld = false;  // the pick request of the fish picking
    bool feedRequest = false;
    bool pointRequest = false;
    bool swirlRequest = true;
    int screenWidth = 1680;  // replaced by the real screen size in pixels during scene initialisation
    int screenHeight = 1050;
    bool helpOverlayOn = true;
    int paletteSelection = TOOL_FEED;  // the tool palette's selected command
};

// Left button pressed at (x, y). Returns true when the click starts a ripple, which the window
// then adds at (x, screenHeight - y).
bool leftButtonDown(ViewState& state, int x, int y);
void leftButtonUp(ViewState& state);
void mouseMoved(ViewState& state, int x, int y);

// F1: the help text is shown or hidden.
void toggleHelpOverlay(ViewState& state);

}  // namespace veltamar
