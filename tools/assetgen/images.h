#pragma once

#include <cstdint>
#include <vector>

// Pictures as the asset painters make them: row 0 is the top row.

namespace veltamar::assetgen {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    RgbImage() = default;
    RgbImage(int w, int h, Rgb fill = {}) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    RgbaImage() = default;
    RgbaImage(int w, int h, Rgba fill = {}) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// 16-bit PCM sound, interleaved channels.
struct Sound {
    int sampleRate = 44100;
    int channels = 2;
    std::vector<std::int16_t> samples;
};

}  // namespace veltamar::assetgen
