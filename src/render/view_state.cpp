#include "render/view_state.h"

#include "render/idle_counter.h"

namespace veltamar {

CommandAction beginCommand(ViewState& state, int id) {
    state.toolMode = id & 0xffff;
    switch (state.toolMode) {
        case CMD_FISH_DIALOG:
            idleCounter = 0;
            return CommandAction::RunFishDialog;
        case CMD_SETTINGS_DIALOG:
            idleCounter = -1000;
            return CommandAction::RunSettingsDialog;
        case CMD_MUSIC_DIALOG:
            idleCounter = -1000;
            return CommandAction::ShowMusicDialog;
        case CMD_BACKGROUND_DIALOG:
            idleCounter = -1000;
            return CommandAction::ShowBackgroundDialog;
        case CMD_EXIT:
            return CommandAction::Exit;
        default:
            return CommandAction::Nothing;
    }
}

void finishCommand(ViewState& state, int id) {
    switch (id & 0xffff) {
        case CMD_FISH_DIALOG:
        case CMD_SETTINGS_DIALOG:
        case CMD_MUSIC_DIALOG:
        case CMD_BACKGROUND_DIALOG:
            state.toolMode = TOOL_NONE;
            state.paletteSelection = TOOL_FEED;
            break;
        default:
            break;
    }
}

bool leftButtonDown(ViewState& state, int x, int y) {
    state.mouseX = x;
    state.mouseY = y;
    state.buttonHeld = true;
    switch (state.toolMode) {
        case TOOL_FEED:
            state.feedRequest = true;
            return false;
        case TOOL_POINT:
            state.pointRequest = true;
            return false;
        case TOOL_SWIRL:
            state.swirlRequest = true;
            return false;
        case TOOL_RIPPLE:
            return true;
        default:
            return false;
    }
}

void leftButtonUp(ViewState& state) {
    if (state.toolMode == TOOL_FEED || state.toolMode == TOOL_ZOOM_IN || state.toolMode == TOOL_ZOOM_OUT)
        state.buttonHeld = false;
}

void mouseMoved(ViewState& state, int x, int y) {
    state.mouseX = x;
    state.mouseY = y;
    idleCounter = 0;
}

void toggleHelpOverlay(ViewState& state) { state.helpOverlayOn = !state.helpOverlayOn; }

}  // namespace veltamar
