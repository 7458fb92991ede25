#include "audio/pcm_converter.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace veltamar {

namespace {

// Resampled PCM is taken out of the stream this many frames at a time.
constexpr long TAKE_FRAMES = 4096;
// Once the music has ended, silence is pushed through the resampler in blocks of this many frames
// until the last of the music comes out, at most this many blocks per take. (SDL's own flush loses
// what the resampler holds back whenever its staging buffer happens to be empty.)
constexpr long STEREO = 2;
constexpr std::array<float, 1024 * STEREO> SILENCE{};
constexpr int MAX_SILENCE_BLOCKS = 16;

std::int16_t toPcmSample(float value) {
    if (std::isnan(value)) return 0;
    const float scaled = value * 32768.0f;
    if (scaled <= -32768.0f) return -32768;
    if (scaled >= 32767.0f) return 32767;
    return static_cast<std::int16_t>(std::lrint(scaled));
}

}  // namespace

PcmConverter::PcmConverter(int rate, PcmFormat target) : sourceRate(rate), target(target) {
    if (sourceRate != target.rate)
        stream = SDL_NewAudioStream(AUDIO_F32SYS, STEREO, sourceRate, AUDIO_F32SYS, STEREO, target.rate);
}

PcmConverter::~PcmConverter() {
    if (stream) SDL_FreeAudioStream(stream);
}

bool PcmConverter::ok() const {
    return sourceRate == target.rate || stream != nullptr;
}

long PcmConverter::sourceFramesFor(long frames) const {
    return static_cast<long>((static_cast<std::int64_t>(frames) * sourceRate + target.rate - 1) /
                             target.rate);
}

bool PcmConverter::put(const float* stereo, long frames) {
    const std::size_t samples = static_cast<std::size_t>(frames) * STEREO;
    framesIn += frames;
    if (stream) return SDL_AudioStreamPut(stream, stereo, static_cast<int>(samples * sizeof(float))) == 0;
    pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(pendingAt));
    pendingAt = 0;
    pending.insert(pending.end(), stereo, stereo + samples);
    return true;
}

void PcmConverter::finish() {
    if (stream && endFrame < 0) endFrame = (framesIn * target.rate + sourceRate - 1) / sourceRate;
}

long PcmConverter::takeResampled(float* out, long frames) {
    if (endFrame >= 0) frames = static_cast<long>(std::min<std::int64_t>(frames, endFrame - framesOut));
    if (frames <= 0) return 0;
    for (int silence = 0;; ++silence) {
        const int bytes = SDL_AudioStreamGet(stream, out, static_cast<int>(frames * STEREO * sizeof(float)));
        if (bytes > 0) {
            const long got = bytes / static_cast<int>(STEREO * sizeof(float));
            framesOut += got;
            return got;
        }
        // Nothing is ready: before the end the stream waits for more music; after it, for silence.
        if (endFrame < 0 || silence == MAX_SILENCE_BLOCKS ||
            SDL_AudioStreamPut(stream, SILENCE.data(), static_cast<int>(sizeof SILENCE)) != 0)
            return 0;
    }
}

long PcmConverter::take(std::int16_t* out, long frames) {
    long taken = 0;
    while (taken < frames) {
        if (pendingAt == pending.size()) {
            pending.clear();
            pendingAt = 0;
            if (!stream) break;
            pending.resize(static_cast<std::size_t>(std::min(frames - taken, TAKE_FRAMES)) * STEREO);
            pending.resize(static_cast<std::size_t>(
                               takeResampled(pending.data(), std::min(frames - taken, TAKE_FRAMES))) *
                           STEREO);
            if (pending.empty()) break;
        }
        const long ready = std::min(static_cast<long>((pending.size() - pendingAt) / STEREO), frames - taken);
        const float* stereo = pending.data() + pendingAt;
        std::int16_t* pcm = out + taken * target.channels;
        for (long frame = 0; frame < ready; ++frame, stereo += STEREO, pcm += target.channels) {
            if (target.channels == 1) {
                pcm[0] = toPcmSample((stereo[0] + stereo[1]) / 2);
                continue;
            }
            pcm[0] = toPcmSample(stereo[0]);
            pcm[1] = toPcmSample(stereo[1]);
            std::fill(pcm + 2, pcm + target.channels, std::int16_t{0});
        }
        pendingAt += static_cast<std::size_t>(ready * STEREO);
        taken += ready;
    }
    return taken;
}

void PcmConverter::clear() {
    pending.clear();
    pendingAt = 0;
    framesIn = framesOut = 0;
    endFrame = -1;
    if (stream) SDL_AudioStreamClear(stream);
}

}  // namespace veltamar
