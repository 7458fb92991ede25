#include "audio_capture.h"

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <stdexcept>
#include <thread>

#include "audio/audio_device.h"
#include "audio/builtin_sound.h"

namespace veltamar::test {

namespace fs = std::filesystem;

AudioCapture::AudioCapture(const std::string& driver) {
    std::string pattern = (fs::temp_directory_path() / "veltamar-audio-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
    root = pattern;
    for (const auto& [name, value] : {std::pair<std::string, std::string>{"SDL_AUDIODRIVER", driver},
                                      {"SDL_DISKAUDIOFILE", root + "/output.raw"},
                                      {"XDG_CONFIG_HOME", root + "/config"}}) {
        const char* old = std::getenv(name.c_str());
        savedEnvironment.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name.c_str(), value.c_str(), 1);
    }
    // A device left open by an earlier test would ignore the new driver.
    stopBuiltInSound();
    closeAudioDevice();
}

AudioCapture::~AudioCapture() {
    stopBuiltInSound();
    closeAudioDevice();
    for (const auto& [name, value] : savedEnvironment) {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

std::vector<std::string> AudioCapture::dataFiles() const {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(root + "/config/VeltamarScr", ignored))
        names.push_back(entry.path().filename().string());
    return names;
}

std::vector<std::int16_t> AudioCapture::finish() {
    stopBuiltInSound();
    closeAudioDevice();
    std::ifstream in(root + "/output.raw", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                               (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
    return samples;
}

std::vector<Stretch> soundingStretches(const std::vector<std::int16_t>& samples, std::size_t minimumGap) {
    std::vector<Stretch> stretches;
    std::optional<Stretch> current;
    std::size_t silentRun = 0;
    for (std::size_t f = 0; f < samples.size() / 2; ++f) {
        if (samples[2 * f] != 0 || samples[2 * f + 1] != 0) {
            if (!current) current = Stretch{f, f};
            current->end = f + 1;
            silentRun = 0;
        } else if (current && ++silentRun >= minimumGap) {
            stretches.push_back(*current);
            current.reset();
        }
    }
    if (current) stretches.push_back(*current);
    return stretches;
}

double rms(const std::vector<std::int16_t>& samples, std::size_t first, std::size_t count) {
    double sum = 0.0;
    for (std::size_t i = 2 * first; i < 2 * (first + count) && i < samples.size(); ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    return count ? std::sqrt(sum / (2.0 * count)) / 32768.0 : 0.0;
}

void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

void writeSineWav(const std::string& path, double seconds, int sampleRate) {
    std::string bytes;
    auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    };
    const auto frames = static_cast<std::uint32_t>(std::lround(seconds * sampleRate));
    const auto rate = static_cast<std::uint32_t>(sampleRate);
    bytes += "RIFF";
    put(36 + frames * 4, 4);
    bytes += "WAVEfmt ";
    put(16, 4);
    put(1, 2);  // PCM
    put(2, 2);  // stereo
    put(rate, 4);
    put(rate * 4, 4);
    put(4, 2);
    put(16, 2);
    bytes += "data";
    put(frames * 4, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double v = 0.5 * std::sin(2.0 * std::numbers::pi * 440.0 * i / sampleRate);
        const auto sample = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 32767.0)));
        put(sample, 2);
        put(sample, 2);
    }
    writeFile(path, bytes);
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace veltamar::test
