#include "view/view_commands.h"

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

}  // namespace veltamar
