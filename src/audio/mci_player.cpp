#include "audio/mci_player.h"

#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "audio/audio_device.h"
#include "audio/volume_scale.h"

namespace veltamar {

namespace {

// The mixer plays one music at a time; this is the player whose track it is.
const MciPlayer* playerInMixer = nullptr;
// The music's volume on the mixer's scale (0..128), read by the sound device's thread.
std::atomic<int> musicVolume{MIXER_VOLUME_MAX};

// Length given for a track whose decoder cannot tell it: the position never reaches it before the
// track has really ended.
constexpr long UNKNOWN_LENGTH = std::numeric_limits<std::int32_t>::max();

// The mixer's music: what the stream has, mixed in at the music's volume; while the helper is
// behind (a slow disk), silence, and the position waits with it.
void SDLCALL feedMusic(void* data, Uint8* out, int length) {
    auto* stream = static_cast<PcmStream*>(data);
    std::array<std::uint8_t, 8192> pcm;
    for (int done = 0; done < length;) {
        const std::size_t wanted = std::min(pcm.size(), static_cast<std::size_t>(length - done));
        const std::size_t taken = stream->take(pcm.data(), wanted);
        if (taken == 0) return;
        SDL_MixAudioFormat(out + done, pcm.data(), AUDIO_S16SYS, static_cast<Uint32>(taken),
                           musicVolume.load());
        done += static_cast<int>(taken);
    }
}

// The format the sound device plays, which the helper decodes to.
PcmFormat deviceFormat() {
    int rate = 0, channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&rate, &format, &channels) == 0) return {};
    return {rate, channels};
}

}  // namespace

MciPlayer::~MciPlayer() {
    destroy();
}

std::unique_ptr<PcmStream> MciPlayer::startStream(long fromMs) {
    return PcmStream::start(fileName, fromMs, deviceFormat(), openedNotice);
}

void MciPlayer::open() {
    close();
    if (fileName.empty()) return;
    openingState = OpenState::Failed;
    if (!openAudioDevice()) return;
    stream = startStream(0);
    if (!stream) return;
    openingState = OpenState::Opening;
    openStartedAt = std::chrono::steady_clock::now();
}

MciPlayer::OpenState MciPlayer::openState() {
    if (openingState != OpenState::Opening) return openingState;
    switch (stream->state()) {
        case PcmStream::State::Opening:
            if (std::chrono::steady_clock::now() - openStartedAt < openDeadline) return openingState;
            break;
        case PcmStream::State::Open:
        case PcmStream::State::Ended:
            // A track that decodes to nothing at all cannot be played either.
            if (stream->lengthMs() == 0) break;
            lengthMs = stream->lengthMs() > 0 ? stream->lengthMs() : UNKNOWN_LENGTH;
            canPlayFile = true;
            openingState = OpenState::Open;
            musicVolume = mixerVolumeForPlayer(volumeSetting);
            return openingState;
        case PcmStream::State::Failed:
            break;
    }
    stream.reset();
    openingState = OpenState::Failed;
    return openingState;
}

void MciPlayer::connect() {
    Mix_HookMusic(feedMusic, stream.get());
    playerInMixer = this;
}

void MciPlayer::disconnect() {
    // Once the hook is changed the sound device's thread no longer takes from the stream.
    if (playerInMixer == this) {
        Mix_HookMusic(nullptr, nullptr);
        playerInMixer = nullptr;
    }
}

void MciPlayer::play() {
    if (!isOpen()) return;
    refreshMode();
    if (mode == Mode::Playing) return;
    const long from = mode == Mode::Ended || mode == Mode::Broken ? 0 : stoppedAtMs;
    // The stream goes on where the player stopped; anywhere else a new helper starts there.
    if (!stream || stream->state() == PcmStream::State::Failed || stream->positionMs() != from) {
        stream = startStream(from);
        if (!stream) return;
    }
    connect();
    mode = Mode::Playing;
}

void MciPlayer::stop() {
    if (!isOpen()) return;
    refreshMode();
    if (mode != Mode::Playing) return;
    disconnect();
    stoppedAtMs = playingPosition();
    mode = Mode::Stopped;
}

void MciPlayer::close() {
    disconnect();
    stream.reset();
    openingState = OpenState::Closed;
    canPlayFile = false;
    mode = Mode::Stopped;
    stoppedAtMs = 0;
    lengthMs = 0;
}

void MciPlayer::seek(long positionMs) {
    if (!isOpen()) return;
    stop();
    if (mode == Mode::Broken) mode = Mode::Stopped;
    stoppedAtMs = std::clamp(positionMs, 0L, lengthMs);
    mode = stoppedAtMs == lengthMs ? Mode::Ended : Mode::Stopped;
}

long MciPlayer::getPosition() {
    if (!isOpen()) return 0;
    refreshMode();
    switch (mode) {
        case Mode::Playing:
            return playingPosition();
        case Mode::Ended:
            return lengthMs;
        case Mode::Stopped:
        case Mode::Broken:
            break;
    }
    return stoppedAtMs;
}

long MciPlayer::getLength() const {
    return isOpen() ? lengthMs : 0;
}

void MciPlayer::setVolume(int value) {
    volumeSetting = value;
    musicVolume = mixerVolumeForPlayer(volumeSetting);
}

void MciPlayer::destroy() {
    close();
}

void MciPlayer::refreshMode() {
    if (mode != Mode::Playing) return;
    if (playerInMixer != this) {  // another player took the mixer
        stoppedAtMs = playingPosition();
        mode = Mode::Stopped;
        return;
    }
    if (stream->state() == PcmStream::State::Failed) {
        disconnect();
        stoppedAtMs = playingPosition();
        mode = Mode::Broken;
    } else if (stream->drained()) {
        disconnect();
        mode = Mode::Ended;
    }
}

// While the track plays, its position stays short of the length: only a finished track reports
// the full length, so that "position equals length" means the track is over.
long MciPlayer::playingPosition() const {
    return std::clamp(stream->positionMs(), 0L, std::max(0L, lengthMs - 1));
}

}  // namespace veltamar
