#pragma once

#include "render/view_state.h"

// The view's command handling, in two halves around what the window does for a command: the
// dialogs it runs or shows, or the end of the program.

namespace veltamar {

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

}  // namespace veltamar
