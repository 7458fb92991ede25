#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Audio tests run the real mixer on SDL's "disk" driver, which writes what would be heard as raw
// 16-bit stereo frames (44.1 kHz) to a file. AudioCapture points the driver (and the program's
// data directory) at a fresh temporary directory, and after the scene has played out it reads the
// recording back for measuring.

namespace veltamar::test {

class AudioCapture {
  public:
    // driver: an SDL audio driver name ("disk" records; a name that does not exist means no
    // sound device).
    explicit AudioCapture(const std::string& driver = "disk");
    ~AudioCapture();
    AudioCapture(const AudioCapture&) = delete;
    AudioCapture& operator=(const AudioCapture&) = delete;

    const std::string& directory() const { return root; }
    std::string dataDirectory() const { return root + "/config/VeltamarScr/"; }
    // Names of the files in the data directory.
    std::vector<std::string> dataFiles() const;

    // Stops every sound, closes the device (which completes the recording) and gives the
    // recorded samples, left and right interleaved.
    std::vector<std::int16_t> finish();

  private:
    std::string root;
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnvironment;
    bool finished = false;
};

// A stretch of the recording that is not silence: [first, end) in frames.
struct Stretch {
    std::size_t first;
    std::size_t end;
    std::size_t frames() const { return end - first; }
};

// The sounding stretches, split wherever at least minimumGap frames are exactly zero.
std::vector<Stretch> soundingStretches(const std::vector<std::int16_t>& samples,
                                       std::size_t minimumGap = 2205);

// Root mean square of frames [first, first + count), relative to full scale.
double rms(const std::vector<std::int16_t>& samples, std::size_t first, std::size_t count);

void sleepSeconds(double seconds);

// Writes a 16-bit PCM WAV of a sine tone of constant loudness.
void writeSineWav(const std::string& path, double seconds, int sampleRate = 44100, double frequency = 440.0,
                  double amplitude = 0.5);

void writeTextFile(const std::string& path, const std::string& text);

}  // namespace veltamar::test
