#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Audio tests run the real mixer on SDL's "disk" driver, which writes what would be heard as raw
// 16-bit stereo frames (44.1 kHz) to a file. AudioCapture points the driver (and the program's
// data directory) at a fresh temporary directory; after the scene has played out, finish() reads
// the recording back for measuring.

namespace veltamar::test {

class AudioCapture {
  public:
    // A driver name that does not exist stands for a machine without a sound device.
    explicit AudioCapture(const std::string& driver = "disk");
    ~AudioCapture();
    AudioCapture(const AudioCapture&) = delete;
    AudioCapture& operator=(const AudioCapture&) = delete;

    const std::string& directory() const { return root; }
    // Names of the files in the program's data directory.
    std::vector<std::string> dataFiles() const;

    // Stops the built-in sound, closes the device (completing the recording) and gives the
    // recorded samples, left and right interleaved. Music players must be closed before.
    std::vector<std::int16_t> finish();

  private:
    std::string root;
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnvironment;
};

// A stretch of the recording that is not silence: frames [first, end).
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

// A 16-bit stereo PCM WAV of a 440 Hz sine at half of full scale.
void writeSineWav(const std::string& path, double seconds, int sampleRate = 44100);

void writeFile(const std::string& path, const std::string& bytes);

}  // namespace veltamar::test
