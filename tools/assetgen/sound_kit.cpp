#include "sound_kit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace veltamar::assetgen {

LoopBuffer::LoopBuffer(int sampleRate, std::int64_t frames)
    : rate(sampleRate),
      leftSamples(static_cast<std::size_t>(frames), 0.0),
      rightSamples(static_cast<std::size_t>(frames), 0.0) {}

void LoopBuffer::mixIn(const LoopBuffer& other, double gain) {
    for (std::size_t i = 0; i < leftSamples.size(); ++i) {
        leftSamples[i] += gain * other.leftSamples[i];
        rightSamples[i] += gain * other.rightSamples[i];
    }
}

PanGains panGains(double pan) {
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * std::numbers::pi / 4.0;
    return {std::cos(angle), std::sin(angle)};
}

double noteFrequency(double note) {
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

double fadeIn(double t, double length) {
    if (t <= 0.0) return 0.0;
    if (t >= length) return 1.0;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * t / length);
}

LoopBuffer loopedReverb(const LoopBuffer& dry, double decaySeconds, double damping) {
    // Eight delay lines of mutually prime lengths (about 31 to 79 ms), mixed back into each other
    // through a Householder matrix, which spreads every echo over all lines.
    constexpr std::array<double, 8> DELAY_MS = {31.3, 37.9, 41.1, 47.3, 53.9, 61.7, 70.1, 79.3};
    constexpr int LINES = static_cast<int>(DELAY_MS.size());
    const int rate = dry.sampleRate();

    std::array<std::vector<double>, LINES> lines;
    std::array<std::size_t, LINES> cursor{};
    std::array<double, LINES> gain{};
    std::array<double, LINES> lowpass{};
    for (int k = 0; k < LINES; ++k) {
        const std::size_t length = static_cast<std::size_t>(std::lround(DELAY_MS[k] * rate / 1000.0));
        lines[k].assign(length, 0.0);
        // Each pass through a line loses its share of 60 dB per decaySeconds.
        gain[k] = std::pow(10.0, -3.0 * static_cast<double>(length) / (decaySeconds * rate));
    }

    LoopBuffer wet(rate, dry.frames());
    for (int pass = 0; pass < 2; ++pass) {
        for (std::int64_t i = 0; i < dry.frames(); ++i) {
            const double input = 0.5 * (dry.left(i) + dry.right(i));
            std::array<double, LINES> out{};
            double sum = 0.0;
            for (int k = 0; k < LINES; ++k) {
                const double delayed = lines[k][cursor[k]];
                lowpass[k] = delayed + damping * (lowpass[k] - delayed);
                out[k] = lowpass[k] * gain[k];
                sum += out[k];
            }
            const double householder = 2.0 / LINES * sum;
            double left = 0.0, right = 0.0;
            for (int k = 0; k < LINES; ++k) {
                const double sign = (k % 3 == 0) ? -1.0 : 1.0;
                lines[k][cursor[k]] = out[k] - householder + sign * input;
                cursor[k] = (cursor[k] + 1) % lines[k].size();
                (k % 2 == 0 ? left : right) += out[k];
            }
            if (pass == 1) wet.add(i, left / 2.0, right / 2.0);
        }
    }
    return wet;
}

Sound toPcm(const LoopBuffer& loop, double peak) {
    double loudest = 0.0;
    for (std::int64_t i = 0; i < loop.frames(); ++i)
        loudest = std::max({loudest, std::abs(loop.left(i)), std::abs(loop.right(i))});
    const double scale = loudest > 0.0 ? peak * 32767.0 / loudest : 0.0;

    Sound sound;
    sound.sampleRate = loop.sampleRate();
    sound.channels = 2;
    sound.samples.reserve(static_cast<std::size_t>(loop.frames()) * 2);
    auto quantise = [&](double v) {
        return static_cast<std::int16_t>(std::clamp<long>(std::lround(v * scale), -32768, 32767));
    };
    for (std::int64_t i = 0; i < loop.frames(); ++i) {
        sound.samples.push_back(quantise(loop.left(i)));
        sound.samples.push_back(quantise(loop.right(i)));
    }
    return sound;
}

}  // namespace veltamar::assetgen
