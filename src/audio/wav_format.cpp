#include "audio/wav_format.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace veltamar {

namespace {

// A WAV file has a handful of chunks; walking more is walking a file that is no WAV.
constexpr int MAX_WAV_CHUNKS = 4096;
// The fields of a `fmt ` chunk that are read: the plain ones and the extensible ones after them.
constexpr std::uint32_t PLAIN_FMT_BYTES = 16;
constexpr std::uint32_t EXTENSIBLE_FMT_BYTES = 40;

constexpr std::uint16_t TAG_PCM = 1;
constexpr std::uint16_t TAG_FLOAT = 3;
constexpr std::uint16_t TAG_ALAW = 6;
constexpr std::uint16_t TAG_MULAW = 7;
constexpr std::uint16_t TAG_EXTENSIBLE = 0xFFFE;
// An extensible format names its sample format by a GUID whose first two bytes are the plain format
// tag and whose other fourteen are these.
constexpr std::uint8_t FORMAT_GUID_TAIL[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                               0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
// When a file does not say where its channels are meant to sound, they are taken to be in the
// usual places for their number (bits as in WAVE_FORMAT_EXTENSIBLE's channel mask).
constexpr std::uint32_t DEFAULT_CHANNEL_MASKS[WavFormat::MAX_CHANNELS + 1] = {0,    0x4,  0x3,   0x7,  0x33,
                                                                              0x37, 0x3F, 0x70F, 0x63F};
constexpr std::uint32_t LOW_FREQUENCY = 0x8;
constexpr std::uint32_t LEFT_SPEAKERS = 0x1 | 0x10 | 0x40 | 0x200 | 0x1000 | 0x8000;
constexpr std::uint32_t RIGHT_SPEAKERS = 0x2 | 0x20 | 0x80 | 0x400 | 0x4000 | 0x20000;
constexpr std::uint32_t FRONT_PAIR = 0x1 | 0x2;
constexpr float SIDE_WEIGHT = 0.70710678f;

std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool bitsFitEncoding(WavEncoding encoding, int bits) {
    switch (encoding) {
        case WavEncoding::Pcm:
            return bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case WavEncoding::Float:
            return bits == 32 || bits == 64;
        case WavEncoding::ALaw:
        case WavEncoding::MuLaw:
            return bits == 8;
    }
    return false;
}

// Checks the fields of a `fmt ` chunk (`size` bytes of which were read into `body`) one by one.
std::optional<WavFormat> parseFmt(const std::uint8_t* body, std::uint32_t size) {
    WavFormat format;
    std::uint16_t tag = le16(body);
    if (tag == TAG_EXTENSIBLE) {
        // The extension's size, then the valid bits of a sample, the channel mask and the GUID.
        if (size < EXTENSIBLE_FMT_BYTES || le16(body + 16) < EXTENSIBLE_FMT_BYTES - 18) return std::nullopt;
        if (std::memcmp(body + 26, FORMAT_GUID_TAIL, sizeof FORMAT_GUID_TAIL) != 0) return std::nullopt;
        format.channelMask = le32(body + 20);
        tag = le16(body + 24);
        if (tag != TAG_PCM && tag != TAG_FLOAT) return std::nullopt;
    }
    switch (tag) {
        case TAG_PCM:
            format.encoding = WavEncoding::Pcm;
            break;
        case TAG_FLOAT:
            format.encoding = WavEncoding::Float;
            break;
        case TAG_ALAW:
            format.encoding = WavEncoding::ALaw;
            break;
        case TAG_MULAW:
            format.encoding = WavEncoding::MuLaw;
            break;
        default:
            return std::nullopt;
    }
    format.channels = le16(body + 2);
    const std::uint32_t rate = le32(body + 4);
    const int blockAlign = le16(body + 12);
    const int bits = le16(body + 14);
    if (format.channels < 1 || format.channels > WavFormat::MAX_CHANNELS) return std::nullopt;
    if (rate < WavFormat::MIN_RATE || rate > WavFormat::MAX_RATE) return std::nullopt;
    if (!bitsFitEncoding(format.encoding, bits)) return std::nullopt;
    format.rate = static_cast<int>(rate);
    format.bytesPerSample = bits / 8;
    if (blockAlign != format.frameBytes()) return std::nullopt;
    return format;
}

// Float samples are meant to lie in [-1, 1]; a file may hold anything, not-a-number too.
float clampUnit(double value) {
    if (std::isnan(value)) return 0.0f;
    return static_cast<float>(std::clamp(value, -1.0, 1.0));
}

// G.711 companding, as telephone recordings store their samples: the value in 16-bit units.
int aLawValue(std::uint8_t byte) {
    const int a = byte ^ 0x55;
    const int exponent = (a >> 4) & 7, mantissa = a & 0x0F;
    const int magnitude = exponent == 0 ? (mantissa << 4) + 8 : ((mantissa << 4) + 0x108) << (exponent - 1);
    return (a & 0x80) ? magnitude : -magnitude;
}

int muLawValue(std::uint8_t byte) {
    const int u = ~byte & 0xFF;
    const int exponent = (u >> 4) & 7, mantissa = u & 0x0F;
    const int magnitude = (((mantissa << 3) + 0x84) << exponent) - 0x84;
    return (u & 0x80) ? -magnitude : magnitude;
}

float sampleAt(const WavFormat& format, const std::uint8_t* p) {
    switch (format.encoding) {
        case WavEncoding::Pcm:
            switch (format.bytesPerSample) {
                case 1:
                    return (p[0] - 128) / 128.0f;
                case 2:
                    return static_cast<std::int16_t>(le16(p)) / 32768.0f;
                case 3: {
                    const std::uint32_t high =
                        (p[0] << 8) | (p[1] << 16) | (static_cast<std::uint32_t>(p[2]) << 24);
                    return (static_cast<std::int32_t>(high) >> 8) / 8388608.0f;
                }
                default:
                    return static_cast<float>(static_cast<std::int32_t>(le32(p)) / 2147483648.0);
            }
        case WavEncoding::Float:
            if (format.bytesPerSample == 4) return clampUnit(std::bit_cast<float>(le32(p)));
            return clampUnit(
                std::bit_cast<double>(le32(p) | (static_cast<std::uint64_t>(le32(p + 4)) << 32)));
        case WavEncoding::ALaw:
            return aLawValue(p[0]) / 32768.0f;
        case WavEncoding::MuLaw:
            return muLawValue(p[0]) / 32768.0f;
    }
    return 0.0f;
}

}  // namespace

std::optional<WavFormat> readWavFormat(RegularFile& file) {
    const std::int64_t size = file.size();
    std::uint8_t riff[12];
    if (!file.readExactlyAt(0, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return std::nullopt;
    // The size the RIFF header gives is often wrong and not needed: the chunks are walked to the
    // file's real end.
    std::optional<WavFormat> format;
    std::int64_t at = sizeof riff;
    for (int chunk = 0; chunk < MAX_WAV_CHUNKS && size - at >= 8; ++chunk) {
        std::uint8_t header[8];
        if (!file.readExactlyAt(at, header, sizeof header)) return std::nullopt;
        const std::uint32_t length = le32(header + 4);
        const std::int64_t body = at + 8, left = size - body;
        if (std::memcmp(header, "data", 4) == 0) {
            // The samples come after the format, which says what they are.
            if (!format) return std::nullopt;
            // A recorder that streams leaves the size 0 or all ones, meaning "to the end of the file";
            // a file cut short holds less than its header says.
            const std::int64_t bytes =
                (length == 0 || length == 0xFFFFFFFF) ? left : std::min<std::int64_t>(length, left);
            format->dataOffset = body;
            format->frames = bytes / format->frameBytes();
            return format;
        }
        // A chunk that runs past the end of the file hides whatever would come after it.
        if (length > left) return std::nullopt;
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (format || length < PLAIN_FMT_BYTES) return std::nullopt;
            std::uint8_t fmt[EXTENSIBLE_FMT_BYTES]{};
            const std::uint32_t read = std::min(length, EXTENSIBLE_FMT_BYTES);
            if (!file.readExactlyAt(body, fmt, read)) return std::nullopt;
            format = parseFmt(fmt, read);
            if (!format) return std::nullopt;
        }
        // Chunks are padded to an even size.
        at = body + length + (length & 1);
    }
    return std::nullopt;
}

StereoFold stereoFoldOf(const WavFormat& format) {
    StereoFold fold;
    std::uint32_t mask = format.channelMask ? format.channelMask : DEFAULT_CHANNEL_MASKS[format.channels];
    float leftSum = 0.0f, rightSum = 0.0f;
    for (int channel = 0; channel < format.channels; ++channel) {
        // The lowest set bit of what is left of the mask is this channel's speaker; a channel the
        // mask does not place sounds in the middle.
        const std::uint32_t speaker = mask & (~mask + 1);
        mask &= ~speaker;
        float left = SIDE_WEIGHT, right = SIDE_WEIGHT;
        const float weight = (speaker & FRONT_PAIR) ? 1.0f : SIDE_WEIGHT;
        if (speaker & LOW_FREQUENCY) {
            left = right = 0.0f;
        } else if (speaker & LEFT_SPEAKERS) {
            left = weight;
            right = 0.0f;
        } else if (speaker & RIGHT_SPEAKERS) {
            left = 0.0f;
            right = weight;
        }
        fold.left[channel] = left;
        fold.right[channel] = right;
        leftSum += left;
        rightSum += right;
    }
    // A side that no channel reaches plays what the other side plays; channels that reach neither
    // (low frequencies alone) are all played on both.
    if (leftSum == 0.0f && rightSum == 0.0f) {
        for (int channel = 0; channel < format.channels; ++channel)
            fold.left[channel] = fold.right[channel] = 1.0f;
        leftSum = rightSum = static_cast<float>(format.channels);
    } else if (leftSum == 0.0f) {
        fold.left = fold.right;
        leftSum = rightSum;
    } else if (rightSum == 0.0f) {
        fold.right = fold.left;
        rightSum = leftSum;
    }
    // Scaled so that the loudest the channels can be together is full scale on each side.
    for (int channel = 0; channel < format.channels; ++channel) {
        fold.left[channel] /= leftSum;
        fold.right[channel] /= rightSum;
    }
    return fold;
}

void wavToStereo(const WavFormat& format, const StereoFold& fold, const std::uint8_t* samples, long frames,
                 float* stereo) {
    const int step = format.bytesPerSample;
    for (long frame = 0; frame < frames; ++frame, samples += format.frameBytes(), stereo += 2) {
        if (format.channels == 1) {
            stereo[0] = stereo[1] = sampleAt(format, samples);
        } else if (format.channels == 2) {
            stereo[0] = sampleAt(format, samples);
            stereo[1] = sampleAt(format, samples + step);
        } else {
            float left = 0.0f, right = 0.0f;
            for (int channel = 0; channel < format.channels; ++channel) {
                const float value = sampleAt(format, samples + channel * step);
                left += fold.left[channel] * value;
                right += fold.right[channel] * value;
            }
            stereo[0] = left;
            stereo[1] = right;
        }
    }
}

}  // namespace veltamar
