#include "test_media.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

#include "dialog_driver.h"
#include "picture_text_font.h"

namespace veltamar::e2e {

bool makePicture(const std::string& path, const std::string& colour, int width, int height,
                 const std::string& formatPrefix) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    return run("convert -size " + size + " xc:'" + colour +
               "' -fill white -pointsize 60 " PICTURE_TEXT_FONT
               "-annotate +40+200 Veltamar -type TrueColor " +
               formatPrefix + "'" + path + "' 2>/dev/null")
               .status == 0;
}

void writeTone(const std::string& path, double frequency, double seconds) {
    const int rate = 44100;
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    std::vector<std::int16_t> samples;
    for (std::uint32_t i = 0; i < frames; ++i) {
        const auto v = static_cast<std::int16_t>(16000 * std::sin(2 * M_PI * frequency * i / rate));
        samples.push_back(v);
        samples.push_back(v);
    }
    const std::uint32_t dataBytes = frames * 4;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16), u16(1), u16(2), u32(rate), u32(rate * 4), u16(4), u16(16);
    out.write("data", 4);
    u32(dataBytes);
    out.write(reinterpret_cast<const char*>(samples.data()), dataBytes);
}

char dominantHue(const Screenshot& shot) {
    long red = 0, green = 0, blue = 0, all = 0;
    for (int y = 0; y < shot.height; y += 4)
        for (int x = 0; x < shot.width; x += 4) {
            const auto [r, g, b] = shot.at(x, y);
            ++all;
            if (r > g + 50 && r > b + 50) ++red;
            if (g > r + 50 && g > b + 50) ++green;
            if (b > r + 50 && b > g + 50) ++blue;
        }
    if (red * 3 > all && red > green && red > blue) return 'r';
    if (green * 3 > all && green > blue) return 'g';
    if (blue * 3 > all) return 'b';
    return '?';
}

bool SoundOut::waitForTone(double frequency, double seconds) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (toneShare(frequency) > 0.8) return true;
        sleepSeconds(0.1);
    }
    return false;
}

std::pair<double, double> SoundOut::analyse(double frequency) const {
    const std::string bytes = readAll(path);
    const std::size_t frames = bytes.size() / 4;
    const std::size_t count = 11025;
    if (frames < count) return {0, 0};
    const auto* samples = reinterpret_cast<const std::int16_t*>(bytes.data());
    double energy = 0, re = 0, im = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double v = samples[2 * (frames - count + i)] / 32768.0;
        energy += v * v;
        const double phase = 2 * M_PI * frequency * static_cast<double>(i) / 44100.0;
        re += v * std::cos(phase);
        im += v * std::sin(phase);
    }
    const double rms = std::sqrt(energy / count);
    if (energy == 0) return {0, 0};
    // A sine of amplitude A gives |sum|^2 = (A n / 2)^2 and energy A^2 n / 2.
    return {2.0 * (re * re + im * im) / (energy * count), rms};
}

}  // namespace veltamar::e2e
