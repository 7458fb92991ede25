#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "assets/builtin_textures.h"
#include "assets/packed_resources.h"
#include "audio/audio_device.h"
#include "audio/looping_chunk.h"
#include "audio_capture.h"

using namespace veltamar;
using namespace veltamar::test;

namespace {

// How far the signal jumps from the last frame to the first, against the step between neighbours
// that 99.9 % of the loop stays within: at most 1 means no click where the loop starts again.
double seamJumpOverUsualStep(const std::vector<std::int16_t>& samples, int channel) {
    const std::size_t frames = samples.size() / 2;
    auto at = [&](std::size_t frame) { return static_cast<double>(samples[2 * frame + channel]); };
    std::vector<double> steps;
    for (std::size_t f = 0; f + 1 < frames; ++f) steps.push_back(std::abs(at(f + 1) - at(f)));
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 999 / 1000, steps.end());
    return std::abs(at(0) - at(frames - 1)) / steps[steps.size() * 999 / 1000];
}

}  // namespace

TEST(BuiltInMusic, IsACalmSeamlessLoopWithoutClipping) {
    AudioCapture capture("dummy");
    const std::string directory = capture.directory() + "/";
    ASSERT_EQ(extractResource(RESOURCE_MUSIC, directory, "Music"), 1);
    const std::string file = plainFileName(directory, "Music");
    SDL_AudioSpec layout{};
    Uint8* buffer = nullptr;
    Uint32 bytes = 0;
    ASSERT_TRUE(SDL_LoadWAV(file.c_str(), &layout, &buffer, &bytes));
    const std::vector<std::int16_t> samples(reinterpret_cast<std::int16_t*>(buffer),
                                            reinterpret_cast<std::int16_t*>(buffer + bytes));
    SDL_FreeWAV(buffer);

    ASSERT_EQ(layout.format, AUDIO_S16LSB) << "16-bit PCM";
    ASSERT_EQ(layout.channels, 2);
    ASSERT_TRUE(layout.freq == 22050 || layout.freq == 44100) << layout.freq;
    const std::size_t frames = samples.size() / 2;
    const double seconds = static_cast<double>(frames) / layout.freq;
    EXPECT_GE(seconds, 10.0);
    EXPECT_LE(seconds, 30.0);

    for (int c = 0; c < 2; ++c) {
        double peak = 0.0, sum = 0.0, squares = 0.0;
        for (std::size_t f = 0; f < frames; ++f) {
            const double v = samples[2 * f + c];
            peak = std::max(peak, std::abs(v));
            sum += v;
            squares += v * v;
        }
        const double rmsDb = 20.0 * std::log10(std::sqrt(squares / frames) / 32768.0);
        EXPECT_LT(peak, 0.9 * 32767) << "headroom, no clipping (channel " << c << ")";
        EXPECT_GT(rmsDb, -26.0) << c;
        EXPECT_LT(rmsDb, -10.0) << c;
        EXPECT_LT(std::abs(sum / frames), 0.005 * 32768) << "no DC offset";
        EXPECT_LE(seamJumpOverUsualStep(samples, c), 1.0) << c;
    }

    // As the mixer holds it, converted to the output's 44.1 kHz, it still loops without a click.
    ASSERT_TRUE(openAudioDevice());
    const auto loop = LoopingChunk::load(file);
    deleteExtractedFiles(directory, "Music");
    ASSERT_TRUE(loop);
    const Mix_Chunk* chunk = loop->chunk();
    const auto* output = reinterpret_cast<const std::int16_t*>(chunk->abuf);
    const std::vector<std::int16_t> converted(output, output + chunk->alen / 2);
    EXPECT_EQ(converted.size() / 2, frames * 44100 / layout.freq) << "the loop keeps its length";
    for (int c = 0; c < 2; ++c) EXPECT_LE(seamJumpOverUsualStep(converted, c), 1.0) << c;
}
