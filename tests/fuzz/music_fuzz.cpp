// Any bytes as one of the user's music files, named as MPEG audio or WAV by the input's last byte:
// the decoder refuses it or yields PCM for its first seconds and after a seek, within the buffers
// it is given, and a WAV file yields as much PCM as its length says.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "audio/music_decoder.h"
#include "audio/music_kind.h"

namespace {

constexpr long CHUNK_FRAMES = 4096;
constexpr long MAX_FRAMES = 5 * veltamar::PCM_RATE;

// Reads up to `limit` frames; the number read, and whether the track ended within them.
std::pair<long, bool> readUpTo(veltamar::MusicDecoder& decoder, long limit) {
    long total = 0;
    while (total < limit) {
        // Requests of changing sizes, each into a buffer of exactly its size, so that the sanitizer
        // catches a write past it.
        const long wanted = std::max(1L, std::min(CHUNK_FRAMES, limit - total) - total % 7);
        std::vector<std::int16_t> pcm(static_cast<std::size_t>(wanted) * veltamar::PCM_CHANNELS);
        const long n = decoder.read(pcm.data(), wanted);
        if (n < -1 || n > wanted) std::abort();
        if (n <= 0) return {total, n == 0};
        total += n;
    }
    return {total, false};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("music", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, 0) != 0) std::abort();
    if (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    std::optional<veltamar::RegularFile> file =
        veltamar::RegularFile::open("/proc/self/fd/" + std::to_string(fd));
    if (!file) std::abort();
    const std::string name = size > 0 && (data[size - 1] & 1) ? "x.mp3" : "x.wav";
    const bool wav = veltamar::musicKindOf({data, size}, name) == veltamar::MusicKind::Wav;

    auto decoder = veltamar::MusicDecoder::open(std::move(*file), name);
    if (!decoder) return 0;
    const long length = decoder->lengthMs();
    const auto [frames, ended] = readUpTo(*decoder, MAX_FRAMES);
    // A WAV file's length is exact: its PCM ends within a millisecond after it.
    if (wav && ended && (length < 0 || frames < length * 441 / 10 || frames > (length + 1) * 441 / 10 + 1))
        std::abort();
    if (!decoder->seek(size > 1 ? data[size - 2] * 37L : 0)) return 0;
    readUpTo(*decoder, veltamar::PCM_RATE / 2);
    return 0;
}
