#include "audio/looping_chunk.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>

namespace veltamar {

namespace {

int frameBytes(SDL_AudioFormat format, int channels) {
    return SDL_AUDIO_BITSIZE(format) / 8 * channels;
}

}  // namespace

std::unique_ptr<LoopingChunk> LoopingChunk::load(const std::string& path) {
    int outputRate = 0, outputChannels = 0;
    Uint16 outputFormat = 0;
    if (!Mix_QuerySpec(&outputRate, &outputFormat, &outputChannels)) return nullptr;

    SDL_AudioSpec source{};
    Uint8* wave = nullptr;
    Uint32 waveBytes = 0;
    if (!SDL_LoadWAV(path.c_str(), &source, &wave, &waveBytes)) return nullptr;
    const std::size_t sourceFrameBytes = static_cast<std::size_t>(frameBytes(source.format, source.channels));
    const std::size_t frames = waveBytes / sourceFrameBytes;
    if (frames == 0) {
        SDL_FreeWAV(wave);
        return nullptr;
    }

    // One second (or the whole sound, when shorter) of its end before it and of its start after it.
    const std::size_t margin = std::min<std::size_t>(frames, static_cast<std::size_t>(source.freq));
    const std::size_t loopBytes = frames * sourceFrameBytes;
    const std::size_t marginBytes = margin * sourceFrameBytes;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, source.format, source.channels, source.freq, outputFormat,
                          static_cast<Uint8>(outputChannels), outputRate) < 0) {
        SDL_FreeWAV(wave);
        return nullptr;
    }
    cvt.len = static_cast<int>(loopBytes + 2 * marginBytes);
    MappedBuffer work(static_cast<std::size_t>(cvt.len) * static_cast<std::size_t>(std::max(cvt.len_mult, 1)));
    if (!work.data()) {
        SDL_FreeWAV(wave);
        return nullptr;
    }
    std::copy(wave + loopBytes - marginBytes, wave + loopBytes, work.data());
    std::copy(wave, wave + loopBytes, work.data() + marginBytes);
    std::copy(wave, wave + marginBytes, work.data() + marginBytes + loopBytes);
    SDL_FreeWAV(wave);
    cvt.buf = work.data();
    if (cvt.needed && SDL_ConvertAudio(&cvt) < 0) return nullptr;
    const std::size_t converted =
        cvt.needed ? static_cast<std::size_t>(cvt.len_cvt) : static_cast<std::size_t>(cvt.len);

    // The middle, in output frames.
    const double ratio = static_cast<double>(outputRate) / source.freq;
    const std::size_t outputFrameBytes = static_cast<std::size_t>(frameBytes(outputFormat, outputChannels));
    const auto first = static_cast<std::size_t>(std::llround(static_cast<double>(margin) * ratio));
    const auto count = static_cast<std::size_t>(std::llround(static_cast<double>(frames) * ratio));
    if (count == 0 || (first + count) * outputFrameBytes > converted) return nullptr;

    std::unique_ptr<LoopingChunk> loop(new LoopingChunk);
    loop->samples = MappedBuffer(count * outputFrameBytes);
    if (!loop->samples.data()) return nullptr;
    std::copy(work.data() + first * outputFrameBytes, work.data() + (first + count) * outputFrameBytes,
              loop->samples.data());
    loop->mixChunk = Mix_QuickLoad_RAW(loop->samples.data(), static_cast<Uint32>(loop->samples.size()));
    if (!loop->mixChunk) return nullptr;
    return loop;
}

LoopingChunk::~LoopingChunk() {
    // Halts every channel playing it; the samples it points at are ours and go with us.
    if (mixChunk) Mix_FreeChunk(mixChunk);
}

}  // namespace veltamar
