#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "harness.h"

// Files and judgements the end-to-end tests share: pictures and tones made for a test, the hue
// that fills the screen, and the sound the disk audio driver has written.

namespace veltamar::e2e {

// A picture of one colour (ImageMagick's colour text, e.g. "rgb(220,30,30)") with a word on it, in
// the format the file name's extension (or an ImageMagick prefix such as "BMP3:") says.
bool makePicture(const std::string& path, const std::string& colour, int width, int height,
                 const std::string& formatPrefix = "");

// A PNG of any size whose rows are all alike: the left half of each row one colour, the right
// half another (RGB, or RGBA with the fourth byte). Every row after the first is stored as "same as
// the row above", so the file takes about a thousandth of the picture's pixel bytes, as a mostly
// flat stitched panorama does, and it is written in a moment whatever its size.
bool writeFlatPng(const std::string& path, int width, int height, int channels,
                  std::array<std::uint8_t, 4> left, std::array<std::uint8_t, 4> right);

// 16-bit stereo PCM WAV of a sine at half of full scale.
void writeTone(const std::string& path, double frequency, double seconds);

// The hue that covers most of the screen: 'r', 'g', 'b', or '?' when none covers a third of it.
char dominantHue(const Screenshot& shot);
// The share of the screen's pixels in the columns [from, to) that have the hue.
double hueShare(const Screenshot& shot, int from, int to, char hue);

// What the disk audio driver has written: 16-bit stereo frames at 44.1 kHz.
class SoundOut {
  public:
    explicit SoundOut(std::string path) : path(std::move(path)) {}
    // Share of the last quarter second's energy at the given frequency (a pure tone gives about
    // 1), and its loudness (root mean square relative to full scale).
    double toneShare(double frequency) const { return analyse(frequency).first; }
    double loudness() const { return analyse(0).second; }
    // Waits until the tone is what sounds; false when it does not come within the time.
    bool waitForTone(double frequency, double seconds) const;

  private:
    std::pair<double, double> analyse(double frequency) const;
    std::string path;
};

}  // namespace veltamar::e2e
