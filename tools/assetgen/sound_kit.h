#pragma once

#include <cstdint>
#include <vector>

#include "images.h"

// Small helpers for composing the built-in sounds: a stereo buffer that wraps around (so whatever
// is rendered into it loops without a seam), panning, pitch, a loop-aware reverb and the final
// conversion to 16-bit PCM.

namespace veltamar::assetgen {

// A stereo loop of a fixed number of frames. Frames written past its end continue at its start and
// frames before its start come in at its end, so a note that crosses the loop point is heard
// whole: the tail that runs off the end rings on at the beginning of the next pass.
class LoopBuffer {
  public:
    LoopBuffer(int sampleRate, std::int64_t frames);

    int sampleRate() const { return rate; }
    std::int64_t frames() const { return static_cast<std::int64_t>(leftSamples.size()); }
    double seconds() const { return static_cast<double>(frames()) / rate; }

    // Adds to the frame at position frame modulo the loop length.
    void add(std::int64_t frame, double left, double right) {
        const std::size_t i = wrap(frame);
        leftSamples[i] += left;
        rightSamples[i] += right;
    }
    double left(std::int64_t frame) const { return leftSamples[wrap(frame)]; }
    double right(std::int64_t frame) const { return rightSamples[wrap(frame)]; }

    // Adds another loop of the same length, scaled.
    void mixIn(const LoopBuffer& other, double gain);

  private:
    std::size_t wrap(std::int64_t frame) const {
        const std::int64_t n = frames();
        return static_cast<std::size_t>(((frame % n) + n) % n);
    }

    int rate;
    std::vector<double> leftSamples;
    std::vector<double> rightSamples;
};

// Equal-power gains for a position from -1 (left) to 1 (right).
struct PanGains {
    double left;
    double right;
};
PanGains panGains(double pan);

// Frequency of a MIDI note number (69 = A4 = 440 Hz); fractional numbers detune.
double noteFrequency(double note);

// Rise of a raised-cosine fade: 0 at t <= 0, 1 at t >= length.
double fadeIn(double t, double length);

// A reverberant copy of the loop (feedback delay network, damped at high frequencies). It runs
// twice around the loop and keeps the second pass, so the reverb's tail from the end of the loop
// is already ringing at its start and the loop point stays seamless.
LoopBuffer loopedReverb(const LoopBuffer& dry, double decaySeconds, double damping);

// 16-bit PCM of the loop, scaled so that its loudest sample reaches peak (0..1 of full scale).
Sound toPcm(const LoopBuffer& loop, double peak);

}  // namespace veltamar::assetgen
