#include "audio/audio_device.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <cstdlib>
#include <mutex>

namespace veltamar {

namespace {

constexpr int OUTPUT_RATE = 44100;
constexpr int OUTPUT_CHANNELS = 2;
constexpr int OUTPUT_BUFFER_FRAMES = 2048;

enum class DeviceState { NotTried, Open, Unavailable };
DeviceState deviceState = DeviceState::NotTried;

bool tryToOpen() {
    // The program's own windows and signals are not SDL's business; SDL only makes sound here.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Veltamar");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    // WAV needs no decoder library; without the MP3 one only MP3 files are unplayable.
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(OUTPUT_RATE, AUDIO_S16SYS, OUTPUT_CHANNELS, OUTPUT_BUFFER_FRAMES) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

// Uses of the mixer by worker threads. Never destroyed: a worker may still use it while the
// program ends.
struct DecoderUses {
    std::mutex mutex;
    int count = 0;
    bool ending = false;
};
DecoderUses& decoderUses() {
    static auto* uses = new DecoderUses;
    return *uses;
}

// True when no worker uses the mixer; from then on none may.
bool endDecoderUses() {
    DecoderUses& uses = decoderUses();
    std::lock_guard lock(uses.mutex);
    uses.ending = true;
    return uses.count == 0;
}

// The program ends with exit(); the sound stops cleanly first instead of being cut off while the
// audio thread is still mixing, unless a worker is still loading music.
void closeAtExit() {
    if (deviceState == DeviceState::Open && endDecoderUses()) {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        Mix_CloseAudio();
        deviceState = DeviceState::NotTried;
    }
}

}  // namespace

bool openAudioDevice() {
    if (deviceState == DeviceState::NotTried) {
        deviceState = tryToOpen() ? DeviceState::Open : DeviceState::Unavailable;
        static const bool exitHandlerRegistered = std::atexit(closeAtExit) == 0;
        (void)exitHandlerRegistered;
    }
    return deviceState == DeviceState::Open;
}

bool audioDeviceIsOpen() {
    return deviceState == DeviceState::Open;
}

void closeAudioDevice() {
    if (deviceState == DeviceState::Open) {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    deviceState = DeviceState::NotTried;
}

MusicDecoderUse::MusicDecoderUse() {
    DecoderUses& uses = decoderUses();
    std::lock_guard lock(uses.mutex);
    granted = !uses.ending;
    if (granted) ++uses.count;
}

MusicDecoderUse::~MusicDecoderUse() {
    if (!granted) return;
    DecoderUses& uses = decoderUses();
    std::lock_guard lock(uses.mutex);
    --uses.count;
}

}  // namespace veltamar
