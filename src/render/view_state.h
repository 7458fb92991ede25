#pragma once

#include "render/commands.h"

// Input and control state of the aquarium view, and the rules by which commands and mouse
// buttons change it. The window class holds one ViewState and forwards its events here; the
// frame drawing and the picking read it.

namespace veltamar {

struct ViewState {
    int toolMode = TOOL_NONE;
    int mouseX = 0;  // last mouse position in client pixels, y counted from the top
    int mouseY = 0;
    bool buttonHeld = false;  // the pick request of the fish picking
    bool feedRequest = false;
    bool pointRequest = false;
    bool swirlRequest = true;
    int screenWidth = 1680;  // replaced by the real screen size during scene initialisation
    int screenHeight = 1050;
    bool helpOverlayOn = true;
    int paletteSelection = TOOL_FEED;  // the tool palette's selected command
};

// What the window has to do for a command after its state has been updated.
enum class CommandAction {
    Nothing,
    RunFishDialog,
    RunSettingsDialog,
    ShowMusicDialog,
    ShowBackgroundDialog,
    Exit,
};

// First half of the view's command handling: the tool mode becomes the id (for every id), the idle
// counter is set for the dialog commands, and the action the window must carry out is returned.
CommandAction beginCommand(ViewState& state, int id);

// Second half, after the window has carried out the action: a dialog command returns the tool
// mode to TOOL_NONE and the palette selection to TOOL_FEED.
void finishCommand(ViewState& state, int id);

// Left button pressed at (x, y). Returns true when the click starts a ripple, which the window
// then adds at (x, screenHeight - y).
bool leftButtonDown(ViewState& state, int x, int y);
void leftButtonUp(ViewState& state);
void mouseMoved(ViewState& state, int x, int y);

// F1: the help text is shown or hidden.
void toggleHelpOverlay(ViewState& state);

}  // namespace veltamar
