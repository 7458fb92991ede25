#include "audio/sound_arbiter.h"

namespace veltamar {

bool ownMusicOn = true;
bool restartBuiltInSound = true;

void arbitrateSound(const BuiltInSoundSwitch& sound) {
    if (ownMusicOn) {
        restartBuiltInSound = true;
        sound.stop();
    } else if (restartBuiltInSound) {
        sound.start();
        restartBuiltInSound = false;
    }
}

}  // namespace veltamar
