// What reading the user's files through the decoding helper costs, beside decoding them in the
// program as it was done before the helper: for each kind of file, the median time from asking to
// having the picture's pixels, or to having the first PCM of a track, over a number of runs. The
// helper's own start is measured on its shortest answer (a file that is not there).
//
// usage: veltamar-decode-bench [--runs R]          (files are made in a temporary folder)

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "assets/picture_decoder.h"
#include "assets/picture_reader.h"
#include "audio/pcm_stream.h"

using namespace veltamar;
namespace fs = std::filesystem;

namespace {

double nowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double medianOf(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = nowMs();
        work();
        times.push_back(nowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool shell(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

// Three minutes of a 16-bit stereo tone at 44.1 kHz, a song's length.
bool writeTrack(const std::string& path) {
    constexpr std::uint32_t RATE = 44100, FRAMES = RATE * 180;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const auto u32 = [&](std::uint32_t v) { std::fwrite(&v, 4, 1, file); };
    const auto u16 = [&](std::uint16_t v) { std::fwrite(&v, 2, 1, file); };
    std::fwrite("RIFF", 1, 4, file);
    u32(36 + FRAMES * 4);
    std::fwrite("WAVEfmt ", 1, 8, file);
    u32(16), u16(1), u16(2), u32(RATE), u32(RATE * 4), u16(4), u16(16);
    std::fwrite("data", 1, 4, file);
    u32(FRAMES * 4);
    for (std::uint32_t i = 0; i < FRAMES; ++i) {
        const auto v = static_cast<std::int16_t>(12000 * std::sin(2 * M_PI * 440.0 * i / RATE));
        u16(static_cast<std::uint16_t>(v)), u16(static_cast<std::uint16_t>(v));
    }
    return std::fclose(file) == 0;
}

// Until the stream has its header and the first PCM has come.
void firstPcm(const std::string& path) {
    auto stream = PcmStream::start(path, 0, {44100, 2}, {});
    std::uint8_t pcm[4096];
    while (stream && stream->state() != PcmStream::State::Failed && stream->take(pcm, sizeof pcm) == 0)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
}

// What the program did before: the mixer's own decoder opened the file and told its length, and
// the next turn of the sound device played its first PCM.
void mixerOpen(const std::string& path, Mix_MusicType type) {
    Mix_Music* music = Mix_LoadMUSType_RW(SDL_RWFromFile(path.c_str(), "rb"), type, 1);
    if (music) (void)Mix_MusicDuration(music);
    Mix_FreeMusic(music);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 15;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    const fs::path folder = fs::temp_directory_path() / ("veltamar-decode-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::string photo = (folder / "photo.jpg").string(), screen = (folder / "screen.png").string(),
                      wav = (folder / "track.wav").string(), mp3 = (folder / "track.mp3").string();
    const bool made =
        shell("convert -size 3000x2000 plasma:fractal -seed 7 -quality 90 '" + photo + "' 2>/dev/null") &&
        shell("convert -size 1024x768 gradient:teal-white '" + screen + "'") && writeTrack(wav) &&
        shell("lame --quiet -b 192 '" + wav + "' '" + mp3 + "'");
    if (!made) {
        std::fprintf(stderr, "veltamar-decode-bench: could not make the test files\n");
        return 1;
    }

    const PictureSize bounds{1920, 1080};
    std::atomic<bool> never{false};
    std::printf("decode median of %d runs, milliseconds: in the program (before) | through the helper\n",
                runs);
    std::printf("helper start (a missing file)          -      | %7.2f\n", medianOf(runs, [&] {
                    readPictureInHelper((folder / "gone.png").string(), bounds, std::chrono::seconds(15),
                                        never);
                }));
    for (const std::string& picture : {photo, screen}) {
        const double before = medianOf(runs, [&] { (void)decodePicture(picture, bounds); });
        const double after = medianOf(
            runs, [&] { (void)readPictureInHelper(picture, bounds, std::chrono::seconds(15), never); });
        std::printf("picture %-26s %7.2f | %7.2f  (+%.2f)\n", fs::path(picture).filename().c_str(), before,
                    after, after - before);
    }
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048) == 0) {
        Mix_Init(MIX_INIT_MP3);
        for (const auto& [track, type] : {std::pair{wav, MUS_WAV}, std::pair{mp3, MUS_MP3}}) {
            const double before = medianOf(runs, [&] { mixerOpen(track, type); });
            const double after = medianOf(runs, [&] { firstPcm(track); });
            std::printf("first sound %-22s %7.2f | %7.2f  (+%.2f)\n", fs::path(track).filename().c_str(),
                        before, after, after - before);
        }
    }
    fs::remove_all(folder);
    return 0;
}
