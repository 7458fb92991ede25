#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "assets/builtin_textures.h"
#include "assets/packed_resources.h"
#include "audio_capture.h"

using namespace veltamar;
using namespace veltamar::test;

TEST(BuiltInMusic, IsACalmSeamlessLoopWithoutClipping) {
    AudioCapture capture;  // only for its temporary directory
    const std::string directory = capture.directory() + "/";
    ASSERT_EQ(extractResource(RESOURCE_MUSIC, directory, "Music"), 1);
    SDL_AudioSpec spec{};
    Uint8* buffer = nullptr;
    Uint32 bytes = 0;
    ASSERT_TRUE(SDL_LoadWAV(plainFileName(directory, "Music").c_str(), &spec, &buffer, &bytes));
    const std::vector<std::int16_t> samples(reinterpret_cast<std::int16_t*>(buffer),
                                            reinterpret_cast<std::int16_t*>(buffer + bytes));
    SDL_FreeWAV(buffer);
    deleteExtractedFiles(directory, "Music");

    ASSERT_EQ(spec.format, AUDIO_S16LSB) << "16-bit PCM";
    ASSERT_EQ(spec.channels, 2);
    ASSERT_TRUE(spec.freq == 22050 || spec.freq == 44100) << spec.freq;
    const std::size_t frames = samples.size() / 2;
    const double seconds = static_cast<double>(frames) / spec.freq;
    EXPECT_GE(seconds, 10.0);
    EXPECT_LE(seconds, 30.0);

    for (int c = 0; c < 2; ++c) {
        auto at = [&](std::size_t frame) { return static_cast<double>(samples[2 * frame + c]); };
        double peak = 0.0, sum = 0.0, squares = 0.0;
        std::vector<double> steps;
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
        EXPECT_LE(std::abs(at(0) - at(frames - 1)), steps[steps.size() * 999 / 1000]) << c;
    }
}
