#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "images.h"

// Small helpers the painters share: a deterministic random source, smooth noise, colour mixing.

namespace veltamar::assetgen {

// A deterministic generator for painters (xorshift64*), separate from the program's own rand.
class AssetRandom {
public:
    explicit AssetRandom(std::uint64_t seed) : state(seed ? seed : 0x9e3779b97f4a7c15ull) {}
    std::uint64_t next() {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return state * 0x2545f4914f6cdd1dull;
    }
    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

private:
    std::uint64_t state;
};

inline double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
inline double smoothstep(double e0, double e1, double x) {
    const double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0 - 2.0 * t);
}
inline double mix(double a, double b, double t) { return a + (b - a) * t; }

// Colour with channels in 0..1 for painting; converted to bytes at the end.
struct Colour {
    double r = 0, g = 0, b = 0;
};
inline Colour mix(const Colour& a, const Colour& b, double t) {
    return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t)};
}
inline Colour scaled(const Colour& c, double k) { return {c.r * k, c.g * k, c.b * k}; }
inline Rgb toRgb(const Colour& c) {
    auto byte = [](double v) { return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0)); };
    return {byte(c.r), byte(c.g), byte(c.b)};
}
inline Colour fromBytes(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

// Smooth value noise in about -1..1, repeating with the given period (in lattice cells) in x when
// period > 0, so a painted strip can wrap seamlessly.
double valueNoise(double x, double y, std::uint32_t seed, int period = 0);

// Sum of octaves of valueNoise (fractal noise), about -1..1.
double fractalNoise(double x, double y, int octaves, std::uint32_t seed, int period = 0);

}  // namespace veltamar::assetgen
