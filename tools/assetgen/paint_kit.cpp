#include "paint_kit.h"

namespace veltamar::assetgen {

namespace {

double latticeValue(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / static_cast<double>(0xffffff) * 2.0 - 1.0;
}

int wrap(int v, int period) { return period > 0 ? ((v % period) + period) % period : v; }

}  // namespace

double valueNoise(double x, double y, std::uint32_t seed, int period) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0, fy = y - y0;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const int xa = wrap(x0, period), xb = wrap(x0 + 1, period);
    const double top = mix(latticeValue(xa, y0, seed), latticeValue(xb, y0, seed), sx);
    const double bottom = mix(latticeValue(xa, y0 + 1, seed), latticeValue(xb, y0 + 1, seed), sx);
    return mix(top, bottom, sy);
}

double fractalNoise(double x, double y, int octaves, std::uint32_t seed, int period) {
    double sum = 0, amplitude = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * valueNoise(x, y, seed + static_cast<std::uint32_t>(o) * 101u, period);
        norm += amplitude;
        amplitude *= 0.5;
        x *= 2;
        y *= 2;
        period *= 2;
    }
    return sum / norm;
}

}  // namespace veltamar::assetgen
