#include "audio/audio_device.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <cstdlib>

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
    // The mixer decodes nothing but the built-in wave: the user's music comes as PCM from the
    // decoding helper.
    if (Mix_OpenAudio(OUTPUT_RATE, AUDIO_S16SYS, OUTPUT_CHANNELS, OUTPUT_BUFFER_FRAMES) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

// The program ends with exit(); the sound stops cleanly first instead of being cut off while the
// audio thread is still mixing.
void closeAtExit() {
    if (deviceState == DeviceState::Open) {
        Mix_HookMusic(nullptr, nullptr);
        Mix_HaltChannel(-1);
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
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    deviceState = DeviceState::NotTried;
}

}  // namespace veltamar
