#include "settings/play_mode.h"

namespace veltamar {

PlayMode modeFromButtons(const PlayModeButtons& stored) {
    if (stored.repeatOne) return PLAY_REPEAT_ONE;
    if (stored.repeatAll) return PLAY_REPEAT_ALL;
    if (stored.random) return PLAY_RANDOM;
    return PLAY_REPEAT_ONE;
}

PlayModeButtons buttonsForMode(PlayMode mode) {
    return {mode == PLAY_RANDOM, mode == PLAY_REPEAT_ALL, mode == PLAY_REPEAT_ONE};
}

}  // namespace veltamar
