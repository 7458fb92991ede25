#include "audio/mci_player.h"

#ifdef __linux__
#include <pthread.h>
#endif

#include <SDL2/SDL_thread.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "audio/audio_device.h"
#include "audio/volume_scale.h"

namespace veltamar {

namespace {

// The mixer plays one music at a time; this is the player whose track it is.
const MciPlayer* playerInMixer = nullptr;

// Length given for a track whose decoder cannot tell it: the position never reaches it before the
// track has really ended.
constexpr long UNKNOWN_LENGTH = std::numeric_limits<std::int32_t>::max();

long milliseconds(double seconds) {
    return static_cast<long>(std::llround(seconds * 1000.0));
}

}  // namespace

MciPlayer::~MciPlayer() {
    destroy();
}

void MciPlayer::open() {
    close();
    if (fileName.empty()) return;
    openingState = OpenState::Failed;
    if (!openAudioDevice()) return;
    const bool started = opening.start(
        [path = fileName](std::atomic<std::uint64_t>&) {
#ifdef __linux__
            pthread_setname_np(pthread_self(), "music opener");  // for whoever looks at the threads
#endif
            OpenedMusic opened = openMusicFile(path);
            // SDL keeps an error text for each thread, and lets it go by itself only for threads it
            // made.
            SDL_TLSCleanup();
            return opened;
        },
        openedNotice);
    if (!started) return;
    openingState = OpenState::Opening;
    openStartedAt = std::chrono::steady_clock::now();
}

MciPlayer::OpenState MciPlayer::openState() {
    if (openingState != OpenState::Opening) return openingState;
    if (std::optional<OpenedMusic> opened = opening.take()) {
        takeOpened(std::move(*opened));
    } else if (std::chrono::steady_clock::now() - openStartedAt >= openDeadline) {
        opening.abandon();
        openingState = OpenState::Failed;
    }
    return openingState;
}

void MciPlayer::takeOpened(OpenedMusic opened) {
    if (!opened.music) {
        openingState = OpenState::Failed;
        return;
    }
    music = std::move(opened.music);
    lengthMs = opened.seconds > 0.0 ? milliseconds(opened.seconds) : UNKNOWN_LENGTH;
    canPlayFile = true;
    openingState = OpenState::Open;
    // The mixer's music volume carries over from track to track; it is the player's volume.
    Mix_VolumeMusic(mixerVolumeForPlayer(volumeSetting));
}

void MciPlayer::play() {
    if (!music) return;
    refreshMode();
    if (mode == Mode::Playing) return;
    long from = mode == Mode::Ended ? 0 : stoppedAtMs;
    bool started = Mix_FadeInMusicPos(music.get(), 1, 0, from / 1000.0) == 0;
    if (!started && from > 0) {  // a decoder that cannot seek plays from the start
        from = 0;
        started = Mix_PlayMusic(music.get(), 1) == 0;
    }
    if (!started) return;
    playerInMixer = this;
    mode = Mode::Playing;
    playStartMs = from;
    playStartTime = std::chrono::steady_clock::now();
}

void MciPlayer::stop() {
    if (!music) return;
    refreshMode();
    if (mode != Mode::Playing) return;
    stoppedAtMs = playingPosition();
    Mix_HaltMusic();
    playerInMixer = nullptr;
    mode = Mode::Stopped;
}

void MciPlayer::close() {
    opening.abandon();
    openingState = OpenState::Closed;
    music.reset();  // halts it first when it plays
    if (playerInMixer == this) playerInMixer = nullptr;
    canPlayFile = false;
    mode = Mode::Stopped;
    stoppedAtMs = 0;
    lengthMs = 0;
}

void MciPlayer::seek(long positionMs) {
    if (!music) return;
    stop();
    stoppedAtMs = std::clamp(positionMs, 0L, lengthMs);
    mode = stoppedAtMs == lengthMs ? Mode::Ended : Mode::Stopped;
}

long MciPlayer::getPosition() {
    if (!music) return 0;
    refreshMode();
    switch (mode) {
        case Mode::Playing:
            return playingPosition();
        case Mode::Ended:
            return lengthMs;
        case Mode::Stopped:
            break;
    }
    return stoppedAtMs;
}

long MciPlayer::getLength() const {
    return music ? lengthMs : 0;
}

void MciPlayer::setVolume(int value) {
    volumeSetting = value;
    if (audioDeviceIsOpen()) Mix_VolumeMusic(mixerVolumeForPlayer(volumeSetting));
}

void MciPlayer::destroy() {
    close();
}

void MciPlayer::refreshMode() {
    if (mode != Mode::Playing) return;
    if (playerInMixer == this) {
        if (Mix_PlayingMusic()) return;
        // The mixer lets go of a track when it has played it to the end.
        playerInMixer = nullptr;
        mode = Mode::Ended;
        return;
    }
    stoppedAtMs = playingPosition();
    mode = Mode::Stopped;
}

// While the track plays, its position stays short of the length: only a finished track reports
// the full length, so that "position equals length" means the track is over.
long MciPlayer::playingPosition() const {
    const double seconds = Mix_GetMusicPosition(music.get());
    long position = 0;
    if (seconds >= 0.0) {
        position = milliseconds(seconds);
    } else {
        const auto elapsed = std::chrono::steady_clock::now() - playStartTime;
        position = playStartMs +
                   static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }
    return std::clamp(position, 0L, std::max(0L, lengthMs - 1));
}

}  // namespace veltamar
