// The decoding helper, veltamar-decoder: the program starts one for each of the user's pictures
// or music files it reads, and takes its answer from the helper's standard output. It decodes one
// file: a picture, fitted into the bounds it is given, or music, from a position on, as PCM. It
// gives itself memory and CPU limits before it looks at the file, opens the file (the only file it
// opens), then shuts itself in with a system call filter before the first byte is decoded, so that
// whatever a crafted file makes of a decoder stays inside this process, which the program kills
// when it is given up.

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "assets/picture_decoder.h"
#include "audio/music_decoder.h"
#include "decoder/decoder_protocol.h"
#include "decoder/decoder_sandbox.h"
#include "platform/regular_file.h"

#if defined(__SANITIZE_ADDRESS__)
// The leak check at the end would need calls that the filter refuses (it stops the threads to
// look at them); the decoders are checked for leaks by the fuzzers and the unit tests.
extern "C" int __lsan_is_turned_off() {
    return 1;
}
#endif

namespace {

using namespace veltamar;

// Why the helper ended, when it ends before a complete answer. The program counts any of them as
// a file it cannot use.
enum ExitStatus {
    COMPLETE = 0,
    WRONG_REQUEST = 2,
    PROGRAM_GONE = 3,
    NO_SANDBOX = 4,
    ANSWER_NOT_TAKEN = 5,
    DECODE_BROKE_OFF = 6,
};

// Memory: the libraries mapped at the start, the decoders' own working memory (a progressive JPEG
// keeps up to 80 MB of coefficients), and the picture at the size it is shown, twice over while
// it is reduced. Under AddressSanitizer the limit cannot be kept: its shadow memory takes terabytes
// of addresses.
constexpr std::uint64_t BASE_ADDRESS_SPACE = std::uint64_t{320} << 20;
constexpr std::uint64_t MUSIC_ADDRESS_SPACE = std::uint64_t{256} << 20;
// CPU: the largest picture a decoder takes needs a few seconds. A track's decoder works as the
// track plays and rests while the program's buffer is full, about a second of CPU for every few
// minutes of music: this is a backstop; the program ends a decoder that spins without giving it
// sound much sooner.
constexpr unsigned PICTURE_CPU_SECONDS = 30;
constexpr unsigned MUSIC_CPU_SECONDS = 1200;

SandboxLimits limitsFor(const DecodeRequest& request) {
    SandboxLimits limits;
    if (request.kind == DecodeKind::Picture) {
        const std::uint64_t shown =
            std::uint64_t(request.boundsWidth) * std::uint64_t(request.boundsHeight) * 4;
        limits.addressSpaceBytes = BASE_ADDRESS_SPACE + 3 * shown;
        limits.cpuSeconds = PICTURE_CPU_SECONDS;
    } else {
        limits.addressSpaceBytes = MUSIC_ADDRESS_SPACE;
        limits.cpuSeconds = MUSIC_CPU_SECONDS;
    }
#if defined(__SANITIZE_ADDRESS__)
    limits.addressSpaceBytes = 0;
#endif
    return limits;
}

bool writeAll(const void* data, std::size_t count) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (count > 0) {
        const ssize_t n = write(STDOUT_FILENO, bytes, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;  // the program has given up on the answer
        bytes += n;
        count -= static_cast<std::size_t>(n);
    }
    return true;
}

int answerPicture(std::optional<RegularFile>& file, const DecodeRequest& request) {
    PictureReplyHeader header;
    DecodedPicture picture;
    if (!file) {
        header.status = DecodeStatus::CannotOpen;
    } else {
        picture = decodePictureFile(*file, {request.boundsWidth, request.boundsHeight});
        if (picture.ok()) {
            header = {DecodeStatus::Ok, picture.width,          picture.height,
                      picture.channels, picture.original.width, picture.original.height};
        }
    }
    const auto bytes = encodePictureHeader(header);
    if (!writeAll(bytes.data(), bytes.size()) || !writeAll(picture.pixels.data(), picture.pixels.size()))
        return ANSWER_NOT_TAKEN;
    return COMPLETE;
}

int answerMusic(std::optional<RegularFile>& file, const DecodeRequest& request) {
    std::unique_ptr<MusicDecoder> decoder;
    if (file) decoder = MusicDecoder::open(std::move(*file), request.path, request.pcm);
    MusicReplyHeader header;
    header.status = !file     ? DecodeStatus::CannotOpen
                    : decoder ? DecodeStatus::Ok
                              : DecodeStatus::CannotDecode;
    if (decoder) header.lengthMs = decoder->lengthMs();
    if (decoder && request.fromMs > 0 && !decoder->seek(request.fromMs))
        header.status = DecodeStatus::CannotDecode;
    const auto bytes = encodeMusicHeader(header);
    if (!writeAll(bytes.data(), bytes.size())) return ANSWER_NOT_TAKEN;
    if (header.status != DecodeStatus::Ok) return COMPLETE;
    // A tenth of a second at a time: the pipe takes it in one piece, and the program's buffer
    // fills evenly.
    const long frames = request.pcm.rate / 10;
    std::vector<std::int16_t> pcm(static_cast<std::size_t>(frames * request.pcm.channels));
    for (;;) {
        const long decoded = decoder->read(pcm.data(), frames);
        if (decoded < 0) return DECODE_BROKE_OFF;
        if (decoded == 0) return COMPLETE;
        if (!writeAll(pcm.data(), static_cast<std::size_t>(decoded * request.pcm.frameBytes())))
            return ANSWER_NOT_TAKEN;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::optional<DecodeRequest> request = parseRequestArguments(arguments);
    if (!request) return WRONG_REQUEST;
    if (!dieWithParent(request->parentPid)) return PROGRAM_GONE;
    if (!applyLimits(limitsFor(*request))) return NO_SANDBOX;

    // The file is opened here, before the filter: a share that does not answer holds up only this
    // process.
    std::optional<RegularFile> file = RegularFile::open(request->path);
    keepOnlyDescriptors(file ? file->descriptor() : -1);
    if (!confine()) return NO_SANDBOX;
    return request->kind == DecodeKind::Picture ? answerPicture(file, *request) : answerMusic(file, *request);
}
