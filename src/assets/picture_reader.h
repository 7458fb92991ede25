#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "assets/picture_decoder.h"
#include "platform/detached_job.h"

// Reads one picture at a time on a thread of its own, so that a large photo, or a file on a
// network share that has stopped answering, never holds up the aquarium, and hands the pixels back
// on the user-interface thread. A read that has not moved on for a while (no byte read) is given
// up and delivered as a picture that could not be read, so the pictures after it still come; its
// thread is never waited for, not even when the reader goes away or the program ends.

namespace veltamar {

class PictureReader {
  public:
    // Runs a task on the user-interface thread (later, from the event loop).
    using UiPoster = std::function<void(std::function<void()>)>;
    using Done = std::function<void(std::uint64_t id, const DecodedPicture& picture)>;
    // Reads the picture of a file, counting the bytes it reads (decodePicture).
    using Decoder = std::function<DecodedPicture(const std::string& path, PictureSize bounds,
                                                 std::atomic<std::uint64_t>*)>;

    // How long a read may go without reading a byte before it is given up.
    static constexpr std::chrono::milliseconds STALL_LIMIT{15000};

    PictureReader(PictureSize bounds, UiPoster post, Done done, Decoder decoder = decodePicture,
                  std::chrono::milliseconds stallLimit = STALL_LIMIT);
    // Gives up a picture still being read; its result is not delivered.
    ~PictureReader();
    PictureReader(const PictureReader&) = delete;
    PictureReader& operator=(const PictureReader&) = delete;

    // Starts reading; only while not busy.
    void read(std::uint64_t id, const std::string& path);
    // True from read() until its result has been delivered.
    bool busy() const { return job.running(); }
    // Run now and then on the user-interface thread: gives up a read that has not moved on for
    // the stall limit, and delivers it as a picture that could not be read.
    void giveUpWhenStalled();

  private:
    void deliver();

    PictureSize bounds;
    UiPoster post;
    Done done;
    Decoder decoder;
    std::chrono::milliseconds stallLimit;
    DetachedJob<DecodedPicture> job;
    std::uint64_t readingId = 0;
    std::uint64_t lastProgress = 0;
    std::chrono::steady_clock::time_point lastProgressAt;
    // Cleared when the reader goes away, so a delivery still queued is dropped.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

}  // namespace veltamar
