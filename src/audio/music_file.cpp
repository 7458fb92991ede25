#include "audio/music_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <optional>

#include "audio/audio_device.h"
#include "audio/file_window_stream.h"

namespace veltamar {

namespace {

// Metadata chunks (titles, loop points, tags) take a few kilobytes; a larger one is no music.
constexpr std::uint32_t MAX_WAV_METADATA = 1u << 20;
// A WAV file has a handful of chunks; walking more is walking a file that is no WAV.
constexpr int MAX_WAV_CHUNKS = 4096;
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

void MixMusicRelease::operator()(Mix_Music* music) const {
    // A worker may let go of a track it opened too late while the program ends; the end of the
    // process takes it then.
    MusicDecoderUse use;
    if (use) Mix_FreeMusic(music);
}

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
        // The tag's size, seven bits to a byte, not counting its header and footer.
        std::int64_t size = 0;
        for (std::size_t i = 6; i < 10; ++i) size = (size << 7) | (header[i] & 0x7F);
        at += 10 + size + ((header[5] & 0x10) ? 10 : 0);
    }
    return at;
}

// Walks the chunks as the mixer's decoder does: from after the RIFF header, each an identifier
// and a length, until a length of 0 or the end of the file.
bool wavMetadataIsSmall(RegularFile& file) {
    std::int64_t at = 12;
    for (int chunk = 0; chunk < MAX_WAV_CHUNKS; ++chunk) {
        std::array<std::uint8_t, 8> header{};
        if (!file.readExactlyAt(at, header.data(), header.size())) return true;
        const std::uint32_t length =
            header[4] | (header[5] << 8) | (header[6] << 16) | (static_cast<std::uint32_t>(header[7]) << 24);
        if (length == 0) return true;
        const bool metadata = startsWith(header, 0, "LIST") || startsWith(header, 0, "smpl") ||
                              startsWith(header, 0, "id3 ") || startsWith(header, 0, "ID3 ");
        if (metadata && length > MAX_WAV_METADATA) return false;
        at += 8 + static_cast<std::int64_t>(length);
    }
    return false;
}

OpenedMusic openMusicFile(const std::string& path) {
    std::optional<RegularFile> file = RegularFile::open(path);
    if (!file) return {};
    std::array<std::uint8_t, 16> start{};
    const long n = file->readAt(0, start.data(), start.size());
    if (n <= 0) return {};
    const MusicKind kind = musicKindOf(std::span(start.data(), static_cast<std::size_t>(n)), path);
    if (kind == MusicKind::Unknown || (kind == MusicKind::Wav && !wavMetadataIsSmall(*file))) return {};

    // The decoder reads the file through this stream while the track plays. MPEG audio is handed
    // over past its tags (picture tags can be hundreds of megabytes, which the decoder would read
    // whole).
    const std::int64_t from = kind == MusicKind::Mpeg ? mpegAudioStart(*file) : 0;
    SDL_RWops* source = fileWindowStream(std::move(*file), from);
    if (!source) return {};
    MusicDecoderUse use;
    if (!use) {
        SDL_RWclose(source);
        return {};
    }
    OpenedMusic opened;
    // The mixer closes the source with the music, or at once when it cannot load it.
    opened.music.reset(Mix_LoadMUSType_RW(source, kind == MusicKind::Wav ? MUS_WAV : MUS_MP3, 1));
    if (!opened.music) return {};
    opened.seconds = Mix_MusicDuration(opened.music.get());
    if (opened.seconds == 0.0) return {};  // decodes to nothing at all
    return opened;
}

}  // namespace veltamar
