#include "assets/picture_reader.h"

#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <utility>
#include <vector>

#include "decoder/decoder_process.h"

namespace veltamar {

namespace {

constexpr std::chrono::milliseconds LOOK_AGAIN{50};

// Waiting for a helper is background work: the frames of the aquarium go first. The thread is
// named for whoever looks at the program's threads.
void becomeReadingThread() {
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    pthread_setname_np(pthread_self(), "picture reader");
}

// The helper's whole answer, at most `limit` bytes; nothing when it is longer, stops answering
// and reading for the stall limit, or the read is cancelled.
std::optional<std::vector<std::uint8_t>> collectAnswer(DecoderProcess& helper, std::size_t limit,
                                                       std::chrono::milliseconds stallLimit,
                                                       const std::atomic<bool>& cancelled) {
    std::vector<std::uint8_t> answer;
    std::vector<std::uint8_t> block(256 * 1024);
    std::uint64_t lastRead = helper.bytesRead();
    auto lastMoved = std::chrono::steady_clock::now();
    for (;;) {
        if (cancelled) return std::nullopt;
        const DecoderProcess::Wait wait = helper.waitForOutput(LOOK_AGAIN);
        const auto now = std::chrono::steady_clock::now();
        if (wait == DecoderProcess::Wait::Timeout) {
            const std::uint64_t read = helper.bytesRead();
            if (read != lastRead) {
                lastRead = read;
                lastMoved = now;
            } else if (now - lastMoved >= stallLimit) {
                return std::nullopt;
            }
            continue;
        }
        long n;
        while ((n = helper.readSome(block.data(), block.size())) > 0) {
            if (answer.size() + static_cast<std::size_t>(n) > limit) return std::nullopt;
            answer.insert(answer.end(), block.begin(), block.begin() + n);
        }
        if (n == 0) return answer;  // the output has ended
        lastMoved = now;
    }
}

// The picture in a checked answer: a header that fits the bounds and says the size the picture
// is shown at, and exactly its pixels after it.
DecodedPicture pictureOf(const std::vector<std::uint8_t>& answer, PictureSize bounds) {
    if (answer.size() < PICTURE_REPLY_HEADER_BYTES) return {};
    const std::optional<PictureReplyHeader> header = decodePictureHeader(
        std::span(answer.data(), PICTURE_REPLY_HEADER_BYTES), bounds.width, bounds.height);
    if (!header || header->status != DecodeStatus::Ok) return {};
    const PictureSize original{header->originalWidth, header->originalHeight};
    if (fittedPictureSize(original, bounds) != PictureSize{header->width, header->height}) return {};
    if (answer.size() != PICTURE_REPLY_HEADER_BYTES + picturePixelBytes(*header)) return {};
    DecodedPicture picture;
    picture.width = header->width;
    picture.height = header->height;
    picture.channels = header->channels;
    picture.original = original;
    picture.pixels.assign(answer.begin() + PICTURE_REPLY_HEADER_BYTES, answer.end());
    return picture;
}

}  // namespace

DecodedPicture readPictureInHelper(const std::string& path, PictureSize bounds,
                                   std::chrono::milliseconds stallLimit, const std::atomic<bool>& cancelled) {
    DecodeRequest request;
    request.kind = DecodeKind::Picture;
    request.path = path;
    request.boundsWidth = bounds.width;
    request.boundsHeight = bounds.height;
    const std::unique_ptr<DecoderProcess> helper = DecoderProcess::start(request);
    if (!helper) return {};
    const std::size_t limit =
        PICTURE_REPLY_HEADER_BYTES + std::size_t(bounds.width) * std::size_t(bounds.height) * 4;
    const auto answer = collectAnswer(*helper, limit, stallLimit, cancelled);
    // Given up: the helper is killed and reaped with its object. Otherwise its output has ended and
    // only a helper that ended by itself, cleanly, has answered.
    if (!answer || !helper->finish(std::chrono::milliseconds(1000))) return {};
    return pictureOf(*answer, bounds);
}

struct PictureReader::Reading {
    std::uint64_t id = 0;
    std::atomic<bool> cancelled{false};
    DecodedPicture picture;
};

PictureReader::PictureReader(PictureSize bounds, UiPoster post, Done done,
                             std::chrono::milliseconds stallLimit)
    : bounds(bounds), post(std::move(post)), done(std::move(done)), stallLimit(stallLimit) {}

PictureReader::~PictureReader() {
    *alive = false;
    stop();
}

void PictureReader::stop() {
    if (reading) reading->cancelled = true;
    reading.reset();
    // A cancelled read ends within a look at its helper: the helper is killed, not waited for.
    if (worker.joinable()) worker.join();
}

void PictureReader::read(std::uint64_t id, const std::string& path) {
    if (busy()) return;
    if (worker.joinable()) worker.join();  // the last read's thread, done but for its last step
    auto next = std::make_shared<Reading>();
    next->id = id;
    try {
        worker = std::thread(
            [next, path, bounds = bounds, stallLimit = stallLimit, post = post, this, alive = alive] {
                becomeReadingThread();
                next->picture = readPictureInHelper(path, bounds, stallLimit, next->cancelled);
                if (next->cancelled) return;
                post([this, alive, next] {
                    if (*alive) deliver(next);
                });
            });
    } catch (const std::system_error&) {
        done(id, DecodedPicture{});
        return;
    }
    reading = std::move(next);
}

void PictureReader::deliver(const std::shared_ptr<Reading>& finished) {
    if (finished != reading) return;  // given up meanwhile
    reading.reset();
    done(finished->id, finished->picture);
}

}  // namespace veltamar
