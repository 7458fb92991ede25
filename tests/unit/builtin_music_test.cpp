#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "assets/builtin_textures.h"
#include "assets/packed_resources.h"
#include "audio_capture.h"

using namespace veltamar;
using namespace veltamar::test;

namespace {

struct Wave {
    int format = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<std::int16_t> samples;
};

std::uint32_t read32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

Wave parseWave(const std::vector<std::uint8_t>& bytes) {
    Wave wave;
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return wave;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint32_t size = read32(bytes, at + 4);
        const std::size_t body = at + 8;
        if (body + size > bytes.size()) break;
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && size >= 16) {
            wave.format = bytes[body] | (bytes[body + 1] << 8);
            wave.channels = bytes[body + 2] | (bytes[body + 3] << 8);
            wave.sampleRate = static_cast<int>(read32(bytes, body + 4));
            wave.bitsPerSample = bytes[body + 14] | (bytes[body + 15] << 8);
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
            for (std::size_t i = body; i + 1 < body + size; i += 2)
                wave.samples.push_back(static_cast<std::int16_t>(bytes[i] | (bytes[i + 1] << 8)));
        }
        at = body + size + (size & 1);
    }
    return wave;
}

}  // namespace

TEST(BuiltInMusic, IsACalmSeamlessLoopWithoutClipping) {
    AudioCapture capture;  // only for its temporary directory
    const std::string directory = capture.directory() + "/";
    ASSERT_EQ(extractResource(RESOURCE_MUSIC, directory, "Music"), 1);
    std::ifstream in(plainFileName(directory, "Music"), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    deleteExtractedFiles(directory, "Music");

    const Wave wave = parseWave(bytes);
    ASSERT_EQ(wave.format, 1) << "plain PCM";
    ASSERT_EQ(wave.bitsPerSample, 16);
    ASSERT_EQ(wave.channels, 2);
    ASSERT_TRUE(wave.sampleRate == 22050 || wave.sampleRate == 44100) << wave.sampleRate;
    const std::size_t frames = wave.samples.size() / 2;
    const double seconds = static_cast<double>(frames) / wave.sampleRate;
    EXPECT_GE(seconds, 10.0);
    EXPECT_LE(seconds, 30.0);

    for (int c = 0; c < 2; ++c) {
        auto at = [&](std::size_t frame) { return static_cast<double>(wave.samples[2 * frame + c]); };
        double peak = 0.0, sum = 0.0, squares = 0.0;
        std::vector<double> steps;
        steps.reserve(frames);
        for (std::size_t f = 0; f < frames; ++f) {
            peak = std::max(peak, std::abs(at(f)));
            sum += at(f);
            squares += at(f) * at(f);
            if (f + 1 < frames) steps.push_back(std::abs(at(f + 1) - at(f)));
        }
        const double rmsDb = 20.0 * std::log10(std::sqrt(squares / frames) / 32768.0);
        EXPECT_LT(peak, 0.9 * 32767) << "headroom, no clipping (channel " << c << ")";
        EXPECT_GT(rmsDb, -26.0) << c;
        EXPECT_LT(rmsDb, -10.0) << c;
        EXPECT_LT(std::abs(sum / frames), 0.005 * 32768) << "no DC offset";

        // From the last frame to the first the signal moves no more than it does almost
        // everywhere inside the loop: no click where it starts again.
        std::nth_element(steps.begin(), steps.begin() + steps.size() * 999 / 1000, steps.end());
        const double usualLargestStep = steps[steps.size() * 999 / 1000];
        EXPECT_LE(std::abs(at(0) - at(frames - 1)), usualLargestStep) << c;
    }
}
