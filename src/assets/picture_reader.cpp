#include "assets/picture_reader.h"

#include <utility>

#ifdef __linux__
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace veltamar {

PictureReader::PictureReader(PictureSize bounds, UiPoster post, Done done, Decoder decoder,
                             std::chrono::milliseconds stallLimit)
    : bounds(bounds),
      post(std::move(post)),
      done(std::move(done)),
      decoder(std::move(decoder)),
      stallLimit(stallLimit) {}

PictureReader::~PictureReader() {
    *alive = false;
    job.abandon();
}

namespace {

// Reading a picture is background work: the frames of the aquarium go first. The thread is named
// for whoever looks at the program's threads.
void becomeReadingThread() {
#ifdef __linux__
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    pthread_setname_np(pthread_self(), "picture reader");
#endif
}

}  // namespace

void PictureReader::read(std::uint64_t id, const std::string& path) {
    if (busy()) return;
    readingId = id;
    lastProgress = 0;
    lastProgressAt = std::chrono::steady_clock::now();
    const bool started = job.start(
        [decoder = decoder, path, bounds = bounds](std::atomic<std::uint64_t>& progress) {
            becomeReadingThread();
            return decoder(path, bounds, &progress);
        },
        // On the reading thread, while the reader still wants the picture: the reader is there.
        [post = post, this, alive = alive] {
            post([this, alive] {
                if (*alive) deliver();
            });
        });
    if (!started) done(id, DecodedPicture{});
}

void PictureReader::deliver() {
    std::optional<DecodedPicture> picture = job.take();
    if (picture) done(readingId, *picture);
}

void PictureReader::giveUpWhenStalled() {
    if (!busy()) return;
    const auto now = std::chrono::steady_clock::now();
    const std::uint64_t progress = job.progress();
    if (progress != lastProgress) {
        lastProgress = progress;
        lastProgressAt = now;
        return;
    }
    if (now - lastProgressAt < stallLimit) return;
    job.abandon();
    done(readingId, DecodedPicture{});
}

}  // namespace veltamar
