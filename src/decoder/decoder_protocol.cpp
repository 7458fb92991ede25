#include "decoder/decoder_protocol.h"

#include <charconv>
#include <cstring>
#include <limits>

namespace veltamar {

namespace {

constexpr std::array<std::uint8_t, 4> PICTURE_MAGIC{'V', 'L', 'T', 'P'};
constexpr std::array<std::uint8_t, 4> MUSIC_MAGIC{'V', 'L', 'T', 'M'};
// Bigger sides than this never come back: the program's bounds are a screen's.
constexpr std::int32_t MAX_SIDE = 1 << 15;
// What a sound device plays.
constexpr long MIN_PCM_RATE = 8000;
constexpr long MAX_PCM_RATE = 192000;
constexpr long MAX_PCM_CHANNELS = 8;

void put32(std::uint8_t* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
std::uint32_t get32(const std::uint8_t* in) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    return value;
}

std::optional<long> number(const std::string& text) {
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool knownStatus(std::uint32_t status) {
    return status <= static_cast<std::uint32_t>(DecodeStatus::CannotDecode);
}

}  // namespace

std::vector<std::string> requestArguments(const DecodeRequest& request) {
    std::vector<std::string> arguments{std::to_string(request.parentPid)};
    if (request.kind == DecodeKind::Picture) {
        arguments.insert(arguments.end(), {"picture", std::to_string(request.boundsWidth),
                                           std::to_string(request.boundsHeight)});
    } else {
        arguments.insert(arguments.end(),
                         {"music", std::to_string(request.fromMs), std::to_string(request.pcm.rate),
                          std::to_string(request.pcm.channels)});
    }
    // The path goes last, after "--", so that no path can pass for an option.
    arguments.insert(arguments.end(), {"--", request.path});
    return arguments;
}

std::optional<DecodeRequest> parseRequestArguments(std::span<const std::string> arguments) {
    if (arguments.size() < 4 || arguments[arguments.size() - 2] != "--") return std::nullopt;
    DecodeRequest request;
    request.path = arguments.back();
    const auto parent = number(arguments[0]);
    if (!parent || *parent <= 0 || request.path.empty()) return std::nullopt;
    request.parentPid = *parent;
    if (arguments[1] == "picture" && arguments.size() == 6) {
        const auto width = number(arguments[2]);
        const auto height = number(arguments[3]);
        if (!width || !height || *width < 1 || *height < 1 || *width > MAX_SIDE || *height > MAX_SIDE)
            return std::nullopt;
        request.kind = DecodeKind::Picture;
        request.boundsWidth = static_cast<int>(*width);
        request.boundsHeight = static_cast<int>(*height);
        return request;
    }
    if (arguments[1] == "music" && arguments.size() == 7) {
        const auto from = number(arguments[2]);
        const auto rate = number(arguments[3]);
        const auto channels = number(arguments[4]);
        if (!from || *from < 0 || *from > MAX_TRACK_MS || !rate || *rate < MIN_PCM_RATE ||
            *rate > MAX_PCM_RATE || !channels || *channels < 1 || *channels > MAX_PCM_CHANNELS)
            return std::nullopt;
        request.kind = DecodeKind::Music;
        request.fromMs = *from;
        request.pcm = {static_cast<int>(*rate), static_cast<int>(*channels)};
        return request;
    }
    return std::nullopt;
}

std::array<std::uint8_t, PICTURE_REPLY_HEADER_BYTES> encodePictureHeader(const PictureReplyHeader& header) {
    std::array<std::uint8_t, PICTURE_REPLY_HEADER_BYTES> bytes{};
    std::memcpy(bytes.data(), PICTURE_MAGIC.data(), PICTURE_MAGIC.size());
    const std::uint32_t fields[] = {
        static_cast<std::uint32_t>(header.status),        static_cast<std::uint32_t>(header.width),
        static_cast<std::uint32_t>(header.height),        static_cast<std::uint32_t>(header.channels),
        static_cast<std::uint32_t>(header.originalWidth), static_cast<std::uint32_t>(header.originalHeight)};
    for (std::size_t i = 0; i < std::size(fields); ++i) put32(bytes.data() + 4 + 4 * i, fields[i]);
    return bytes;
}

std::optional<PictureReplyHeader> decodePictureHeader(std::span<const std::uint8_t> bytes, int boundsWidth,
                                                      int boundsHeight) {
    if (bytes.size() != PICTURE_REPLY_HEADER_BYTES ||
        std::memcmp(bytes.data(), PICTURE_MAGIC.data(), PICTURE_MAGIC.size()) != 0)
        return std::nullopt;
    const std::uint32_t status = get32(bytes.data() + 4);
    if (!knownStatus(status)) return std::nullopt;
    PictureReplyHeader header;
    header.status = static_cast<DecodeStatus>(status);
    header.width = static_cast<std::int32_t>(get32(bytes.data() + 8));
    header.height = static_cast<std::int32_t>(get32(bytes.data() + 12));
    header.channels = static_cast<std::int32_t>(get32(bytes.data() + 16));
    header.originalWidth = static_cast<std::int32_t>(get32(bytes.data() + 20));
    header.originalHeight = static_cast<std::int32_t>(get32(bytes.data() + 24));
    if (header.status != DecodeStatus::Ok) return PictureReplyHeader{header.status};
    const bool fits = header.width >= 1 && header.height >= 1 && header.width <= boundsWidth &&
                      header.height <= boundsHeight && header.channels >= 1 && header.channels <= 4 &&
                      header.originalWidth >= header.width && header.originalHeight >= header.height;
    if (!fits) return std::nullopt;
    return header;
}

std::size_t picturePixelBytes(const PictureReplyHeader& header) {
    if (header.status != DecodeStatus::Ok) return 0;
    return static_cast<std::size_t>(header.width) * static_cast<std::size_t>(header.height) *
           static_cast<std::size_t>(header.channels);
}

std::array<std::uint8_t, MUSIC_REPLY_HEADER_BYTES> encodeMusicHeader(const MusicReplyHeader& header) {
    std::array<std::uint8_t, MUSIC_REPLY_HEADER_BYTES> bytes{};
    std::memcpy(bytes.data(), MUSIC_MAGIC.data(), MUSIC_MAGIC.size());
    put32(bytes.data() + 4, static_cast<std::uint32_t>(header.status));
    const auto length = static_cast<std::uint64_t>(header.lengthMs);
    put32(bytes.data() + 8, static_cast<std::uint32_t>(length));
    put32(bytes.data() + 12, static_cast<std::uint32_t>(length >> 32));
    return bytes;
}

std::optional<MusicReplyHeader> decodeMusicHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != MUSIC_REPLY_HEADER_BYTES ||
        std::memcmp(bytes.data(), MUSIC_MAGIC.data(), MUSIC_MAGIC.size()) != 0)
        return std::nullopt;
    const std::uint32_t status = get32(bytes.data() + 4);
    if (!knownStatus(status)) return std::nullopt;
    MusicReplyHeader header;
    header.status = static_cast<DecodeStatus>(status);
    const std::uint64_t length = get32(bytes.data() + 8) | (std::uint64_t{get32(bytes.data() + 12)} << 32);
    header.lengthMs = static_cast<std::int64_t>(length);
    if (header.status != DecodeStatus::Ok) return MusicReplyHeader{header.status};
    if (header.lengthMs > MAX_TRACK_MS) return std::nullopt;
    if (header.lengthMs < 0) header.lengthMs = -1;
    return header;
}

}  // namespace veltamar
