#pragma once

#include "audio/builtin_sound.h"

// Which of the two sound sources plays: the user's own music (driven by the music list dialog) or
// the built-in background sound. The view decides after every frame it draws.

namespace veltamar {

// The music list dialog's "On/Off" state, copied here by its timer. True at start, so the
// built-in sound waits for the dialog's first look at its button.
extern bool ownMusicOn;

// Set while the user's own music is on; the built-in sound starts again (from its beginning) on
// the first frame after it goes off. True at start.
extern bool restartBuiltInSound;

// What the arbitration switches: the built-in sound, or a stand-in.
struct BuiltInSoundSwitch {
    void (*start)();
    void (*stop)();
};
inline constexpr BuiltInSoundSwitch BUILT_IN_SOUND{startBuiltInSound, stopBuiltInSound};

// Run once per view timer tick, after the frame: while own music is on, keep the built-in sound
// stopped and remember to restart it; once own music is off, start the built-in sound once.
void arbitrateSound(const BuiltInSoundSwitch& sound = BUILT_IN_SOUND);

}  // namespace veltamar
