#pragma once

// The three play orders shared by the music list and the background pictures: stay on one item,
// go through the list in order, or pick items at random. The dialogs keep them as a group of
// three buttons of which exactly one is on.

namespace veltamar {

enum PlayMode : int {
    PLAY_REPEAT_ONE = 0,
    PLAY_REPEAT_ALL = 1,
    PLAY_RANDOM = 2,
};

// The three mode buttons as the settings file keeps them ("Random...", "Cyc...", "Repeat...").
struct PlayModeButtons {
    bool random = false;
    bool repeatAll = false;
    bool repeatOne = true;
    bool operator==(const PlayModeButtons&) const = default;
};

// The mode a stored set of buttons selects. The modes are selected in the order random, repeat
// all, repeat one, each only when its button is on, and every selection turns the other two off:
// so repeat one wins over repeat all, which wins over random. With no button on, repeat one.
PlayMode modeFromButtons(const PlayModeButtons& stored);

// The buttons with exactly the mode's button on.
PlayModeButtons buttonsForMode(PlayMode mode);

}  // namespace veltamar
