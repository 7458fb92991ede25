#include "assets/picture_reader.h"

#include <utility>

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace veltamar {

PictureReader::PictureReader(PictureSize bounds, UiPoster post, Done done)
    : bounds(bounds), post(std::move(post)), done(std::move(done)) {}

PictureReader::~PictureReader() {
    *alive = false;
    if (worker.joinable()) worker.join();
}

namespace {

// Reading a picture is background work: the frames of the aquarium go first.
void yieldToTheAquarium() {
#ifdef __linux__
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
#endif
}

}  // namespace

void PictureReader::read(std::uint64_t id, const std::string& path) {
    if (reading) return;
    if (worker.joinable()) worker.join();  // the previous read has delivered and ended
    reading = true;
    worker = std::thread([this, id, path, alive = alive] {
        yieldToTheAquarium();
        auto picture = std::make_shared<DecodedPicture>(decodePicture(path, bounds));
        post([this, id, picture, alive] {
            if (!*alive) return;
            reading = false;
            done(id, *picture);
        });
    });
}

}  // namespace veltamar
