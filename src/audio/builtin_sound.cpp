#include "audio/builtin_sound.h"

#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <memory>
#include <string>

#include "assets/builtin_textures.h"
#include "assets/packed_resources.h"
#include "audio/audio_device.h"
#include "audio/looping_chunk.h"
#include "audio/volume_scale.h"
#include "platform/data_directory.h"
#include "settings/live_settings.h"

namespace veltamar {

namespace {

static_assert(MIXER_VOLUME_MAX == MIX_MAX_VOLUME);

constexpr int BUILT_IN_CHANNEL = 0;
constexpr const char* MUSIC_NAME = "Music";

std::unique_ptr<LoopingChunk> builtInSound;
int deviceVolume = WAVE_OUT_VOLUME_MAX;

}  // namespace

void setWaveOutVolume(int lowWord) {
    deviceVolume = std::clamp(lowWord, 0, WAVE_OUT_VOLUME_MAX);
    if (audioDeviceIsOpen()) Mix_Volume(BUILT_IN_CHANNEL, mixerVolumeForWaveOut(deviceVolume));
}

int waveOutVolume() { return deviceVolume; }

void stopBuiltInSound() {
    if (!builtInSound) return;
    Mix_HaltChannel(BUILT_IN_CHANNEL);
    builtInSound.reset();
}

void startBuiltInSound() {
    if (!openAudioDevice()) return;
    const auto directory = locateResourceDirectory();
    if (!directory) return;

    stopBuiltInSound();
    extractResource(RESOURCE_MUSIC, *directory, MUSIC_NAME);
    setWaveOutVolume(waveOutVolumeForSetting(liveSettings.soundVolume));
    // The whole wave is read into memory here, so the files can go right away.
    builtInSound = LoopingChunk::load(plainFileName(*directory, MUSIC_NAME));
    if (builtInSound && Mix_PlayChannel(BUILT_IN_CHANNEL, builtInSound->chunk(), -1) < 0)
        builtInSound.reset();
    deleteExtractedFiles(*directory, MUSIC_NAME);
}

}  // namespace veltamar
