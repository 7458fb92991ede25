#include "audio/music_kind.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

namespace veltamar {

namespace {

// Tags stacked in front of MPEG audio that are skipped; a file has one, now and then two.
constexpr int MAX_MPEG_TAGS = 16;
constexpr std::array<const char*, 5> MPEG_EXTENSIONS{"mp3", "mpeg", "mpg", "mp2", "mpga"};

bool startsWith(std::span<const std::uint8_t> bytes, std::size_t at, const char* text) {
    const std::size_t length = std::strlen(text);
    return bytes.size() >= at + length && std::memcmp(bytes.data() + at, text, length) == 0;
}

bool hasMpegExtension(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return false;
    std::string extension = path.substr(dot + 1);
    std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return std::tolower(c); });
    return std::ranges::find(MPEG_EXTENSIONS, extension) != MPEG_EXTENSIONS.end();
}

}  // namespace

MusicKind musicKindOf(std::span<const std::uint8_t> start, const std::string& path) {
    if (startsWith(start, 0, "RIFF") && startsWith(start, 8, "WAVE")) return MusicKind::Wav;
    if (startsWith(start, 0, "ID3")) return MusicKind::Mpeg;
    // An MPEG audio frame header: eleven sync bits, then any layer but the reserved one.
    if (start.size() >= 2 && start[0] == 0xFF && (start[1] & 0xE0) == 0xE0 && (start[1] & 0x06) != 0)
        return MusicKind::Mpeg;
    return hasMpegExtension(path) ? MusicKind::Mpeg : MusicKind::Unknown;
}

std::int64_t mpegAudioStart(RegularFile& file) {
    std::int64_t at = 0;
    for (int tags = 0; tags < MAX_MPEG_TAGS; ++tags) {
        std::array<std::uint8_t, 10> header{};
        if (!file.readExactlyAt(at, header.data(), header.size()) || !startsWith(header, 0, "ID3")) return at;
        // The tag's size, seven bits to a byte, not counting its header and its footer (version 4).
        std::int64_t size = 0;
        for (std::size_t i = 6; i < 10; ++i) size = (size << 7) | (header[i] & 0x7F);
        at += 10 + size + ((header[5] & 0x10) ? 10 : 0);
    }
    return at;
}

}  // namespace veltamar
