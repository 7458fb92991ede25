#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// What the program and its decoding helper (veltamar-decoder) say to each other. The program starts
// the helper with a request on its command line and reads the answer from the helper's standard
// output: a fixed header, then the picture's pixels or the music's PCM. Nothing the helper sends is
// trusted: every header is checked before a byte of what follows is taken, and the size of what
// follows is bounded by what the program asked for, not by what the helper claims.

namespace veltamar {

enum class DecodeKind { Picture, Music };

// The PCM that music is decoded to: the sound device's rate and channels, 16-bit samples in the
// machine's byte order, channels interleaved.
struct PcmFormat {
    int rate = 44100;
    int channels = 2;
    int frameBytes() const { return 2 * channels; }
    bool operator==(const PcmFormat&) const = default;
};

// One request, as it travels on the helper's command line.
struct DecodeRequest {
    DecodeKind kind = DecodeKind::Picture;
    std::string path;
    // Pictures: the size they are fitted into.
    int boundsWidth = 0;
    int boundsHeight = 0;
    // Music: where the PCM starts, in milliseconds from the start of the track, and its format.
    long fromMs = 0;
    PcmFormat pcm;
    // The program that started the helper: the helper ends when it ends.
    long parentPid = 0;
};

// The helper's arguments after its program name, and back.
std::vector<std::string> requestArguments(const DecodeRequest& request);
std::optional<DecodeRequest> parseRequestArguments(std::span<const std::string> arguments);

// How a helper answers before anything else.
enum class DecodeStatus : std::uint32_t {
    Ok = 0,
    CannotOpen = 1,    // not there, not a regular file, or not readable
    CannotDecode = 2,  // not a picture or music the decoders take, or damaged
};

// The picture's header; its pixels follow, width x height x channels bytes, rows top first.
struct PictureReplyHeader {
    DecodeStatus status = DecodeStatus::CannotDecode;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t channels = 0;
    std::int32_t originalWidth = 0;  // the file's picture before it was fitted
    std::int32_t originalHeight = 0;
};
constexpr std::size_t PICTURE_REPLY_HEADER_BYTES = 28;
std::array<std::uint8_t, PICTURE_REPLY_HEADER_BYTES> encodePictureHeader(const PictureReplyHeader& header);
// Nothing unless the bytes are a well-formed header of a picture that fits the bounds the program
// asked for (or an honest failure).
std::optional<PictureReplyHeader> decodePictureHeader(std::span<const std::uint8_t> bytes, int boundsWidth,
                                                      int boundsHeight);
// The number of pixel bytes that follow a checked header.
std::size_t picturePixelBytes(const PictureReplyHeader& header);

// The music's header; PCM of the requested format follows until the helper ends, and the
// helper's exit status says whether the track was decoded to its end (0) or broke off.
struct MusicReplyHeader {
    DecodeStatus status = DecodeStatus::CannotDecode;
    std::int64_t lengthMs = -1;  // negative when the decoder cannot tell
};
constexpr std::size_t MUSIC_REPLY_HEADER_BYTES = 16;
std::array<std::uint8_t, MUSIC_REPLY_HEADER_BYTES> encodeMusicHeader(const MusicReplyHeader& header);
std::optional<MusicReplyHeader> decodeMusicHeader(std::span<const std::uint8_t> bytes);

// The longest track a header may claim: longer is taken as a damaged answer.
constexpr std::int64_t MAX_TRACK_MS = std::int64_t{100} * 3600 * 1000;

}  // namespace veltamar
