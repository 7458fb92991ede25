#include "audio/builtin_sound.h"

#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <string>

#include "assets/builtin_textures.h"
#include "assets/packed_resources.h"
#include "audio/audio_device.h"
#include "audio/volume_scale.h"
#include "platform/data_directory.h"
#include "settings/live_settings.h"

namespace veltamar {

namespace {

static_assert(MIXER_VOLUME_MAX == MIX_MAX_VOLUME);

constexpr int BUILT_IN_CHANNEL = 0;
constexpr const char* MUSIC_NAME = "Music";

Mix_Chunk* builtInChunk = nullptr;
int waveOutVolume = WAVE_OUT_VOLUME_MAX;

}  // namespace

void setWaveOutVolume(int lowWord) {
    waveOutVolume = std::clamp(lowWord, 0, WAVE_OUT_VOLUME_MAX);
    if (audioDeviceIsOpen()) Mix_Volume(BUILT_IN_CHANNEL, mixerVolumeForWaveOut(waveOutVolume));
}

void stopBuiltInSound() {
    if (!builtInChunk) return;
    Mix_HaltChannel(BUILT_IN_CHANNEL);
    Mix_FreeChunk(builtInChunk);
    builtInChunk = nullptr;
}

void startBuiltInSound() {
    if (!openAudioDevice()) return;
    const auto directory = locateDataDirectory();
    if (!directory) return;

    stopBuiltInSound();
    extractResource(RESOURCE_MUSIC, *directory, MUSIC_NAME);
    setWaveOutVolume(waveOutVolumeForSetting(liveSettings.soundVolume));
    // The whole wave is decoded into memory here, so the files can go right away.
    builtInChunk = Mix_LoadWAV(plainFileName(*directory, MUSIC_NAME).c_str());
    if (builtInChunk && Mix_PlayChannel(BUILT_IN_CHANNEL, builtInChunk, -1) < 0) {
        Mix_FreeChunk(builtInChunk);
        builtInChunk = nullptr;
    }
    deleteExtractedFiles(*directory, MUSIC_NAME);
}

}  // namespace veltamar
