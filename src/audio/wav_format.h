#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/regular_file.h"

// The header of a WAV file, walked and checked before a sample of it is decoded, and the meaning
// of its sample bytes. Every number a header holds may be a lie (a damaged file, a recorder that
// stopped before it came back to fill the sizes in, a file made to break players), so each is
// checked against the others and against the file's real size, and metadata chunks (titles, loop
// points, tags) are stepped over unread, however large they claim to be.

namespace veltamar {

enum class WavEncoding { Pcm, Float, ALaw, MuLaw };

struct WavFormat {
    WavEncoding encoding = WavEncoding::Pcm;
    int channels = 0;        // 1 to MAX_CHANNELS
    int rate = 0;            // frames per second
    int bytesPerSample = 0;  // 1, 2, 3 or 4 for PCM (8-bit PCM is unsigned); 4 or 8 for float; 1 for the laws
    std::uint32_t channelMask = 0;  // speaker positions of the channels in order, when the file names them
    std::int64_t dataOffset = 0;    // where the samples start in the file
    std::int64_t frames = 0;        // whole frames of samples that the file holds

    static constexpr int MAX_CHANNELS = 8;
    static constexpr int MIN_RATE = 1000;
    static constexpr int MAX_RATE = 384000;

    int frameBytes() const { return channels * bytesPerSample; }
};

// The format and the extent of the samples; nothing when the file is no WAV file or its header does
// not hold up.
std::optional<WavFormat> readWavFormat(RegularFile& file);

// How much of each channel goes to the left and to the right of the program's stereo.
struct StereoFold {
    std::array<float, WavFormat::MAX_CHANNELS> left{};
    std::array<float, WavFormat::MAX_CHANNELS> right{};
};
StereoFold stereoFoldOf(const WavFormat& format);

// Decodes frames of the file's samples into stereo frames of floats in [-1, 1]: mono is played on
// both sides, more than two channels are folded into two.
void wavToStereo(const WavFormat& format, const StereoFold& fold, const std::uint8_t* samples, long frames,
                 float* stereo);

}  // namespace veltamar
