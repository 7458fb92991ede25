#pragma once

#include <SDL2/SDL_audio.h>

#include <cstdint>
#include <vector>

#include "decoder/decoder_protocol.h"

// Turns the music a decoder makes (stereo frames of floats at the music's own rate) into the PCM
// that the program plays: signed 16-bit at the sound device's rate and number of channels (mono
// takes both sides' mean; more than two channels carry the music in the first two). Music at
// another rate goes through SDL's resampler (an SDL_AudioStream, which needs no audio device);
// music at the device's rate is only converted to 16 bits, sample for sample.

namespace veltamar {

class PcmConverter {
  public:
    // sourceRate: frames per second of the music, between 1 and a few hundred thousand.
    PcmConverter(int sourceRate, PcmFormat target);
    ~PcmConverter();
    PcmConverter(const PcmConverter&) = delete;
    PcmConverter& operator=(const PcmConverter&) = delete;

    // False when SDL could not make a converter for the rate.
    bool ok() const;
    // About how many frames of music make `frames` frames of PCM.
    long sourceFramesFor(long frames) const;

    // Takes frames of music in; false when it cannot.
    bool put(const float* stereo, long frames);
    // The music has ended: what the resampler holds back to look ahead comes out too, and the PCM
    // ends where the music does.
    void finish();
    // Up to `frames` frames of PCM out; as many as are ready.
    long take(std::int16_t* out, long frames);
    // Forgets what was put in and not taken out, to start over elsewhere in the music.
    void clear();

  private:
    // Takes what the stream has ready, and once the music has ended pushes silence through until
    // the stream has given all the PCM the music makes.
    long takeResampled(float* out, long frames);

    int sourceRate;
    PcmFormat target;
    SDL_AudioStream* stream = nullptr;
    std::int64_t framesIn = 0;   // of music, since the start or the last clear
    std::int64_t framesOut = 0;  // of PCM taken out of the stream since then
    std::int64_t endFrame = -1;  // the PCM frames the music makes in all; -1 until it has ended
    // Music at the program's rate waits here until it is taken; resampled music waits in the stream
    // and passes through here on its way out.
    std::vector<float> pending;
    std::size_t pendingAt = 0;
};

}  // namespace veltamar
