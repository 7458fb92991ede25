#pragma once

#include <algorithm>
#include <cstdint>

// The program's two volume scales and the mixer's. The built-in sound's volume is a wave-out
// device volume (0..65535, of which the settings store the complement: "YINLIANG" 0 is full
// volume); the user's music has a player volume of 0..1000. Both map linearly onto the mixer's
// 0..128.

namespace veltamar {

constexpr int MIXER_VOLUME_MAX = 128;  // SDL2_mixer's MIX_MAX_VOLUME
constexpr int WAVE_OUT_VOLUME_MAX = 65535;
constexpr int PLAYER_VOLUME_FULL = 1000;

// Device volume for the sound volume setting: 65535 minus the setting, kept within 0..65535 when
// a hand-edited settings file holds something outside the slider's range.
constexpr int waveOutVolumeForSetting(std::int32_t soundVolume) {
    return static_cast<int>(
        std::clamp<std::int64_t>(std::int64_t{WAVE_OUT_VOLUME_MAX} - soundVolume, 0, WAVE_OUT_VOLUME_MAX));
}

constexpr int mixerVolumeForWaveOut(int lowWord) {
    const int v = std::clamp(lowWord, 0, WAVE_OUT_VOLUME_MAX);
    return (v * MIXER_VOLUME_MAX + WAVE_OUT_VOLUME_MAX / 2) / WAVE_OUT_VOLUME_MAX;
}

// Player volumes above 1000 play at full volume.
constexpr int mixerVolumeForPlayer(int volume) {
    const int v = std::clamp(volume, 0, PLAYER_VOLUME_FULL);
    return (v * MIXER_VOLUME_MAX + PLAYER_VOLUME_FULL / 2) / PLAYER_VOLUME_FULL;
}

}  // namespace veltamar
