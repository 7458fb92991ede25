#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "assets/decoded_picture.h"
#include "assets/picture_fit.h"

// Reads one of the user's pictures at a time and hands the pixels back on the user-interface
// thread. The file is opened and decoded by a decoding helper process (DecoderProcess), never by
// the program: a picture crafted to crash, hang or exhaust a decoder costs that picture, not the
// aquarium. A thread of the reader's own waits for the helper's answer and checks it.
//
// A read ends as a picture that could not be read when the helper fails, crashes, passes one of
// its limits, or reads nothing and answers nothing for the stall limit (a file on a network share
// that has stopped answering); the helper is killed then, so that nothing of that read goes on.
// Giving up a read (a new reader, the reader going away) kills its helper at once too.

namespace veltamar {

class PictureReader {
  public:
    // Runs a task on the user-interface thread (later, from the event loop).
    using UiPoster = std::function<void(std::function<void()>)>;
    using Done = std::function<void(std::uint64_t id, const DecodedPicture& picture)>;

    // How long a read may go without reading a byte or answering one before it is given up.
    static constexpr std::chrono::milliseconds STALL_LIMIT{15000};

    PictureReader(PictureSize bounds, UiPoster post, Done done,
                  std::chrono::milliseconds stallLimit = STALL_LIMIT);
    // Gives up a picture still being read (its helper is killed); its result is not delivered.
    ~PictureReader();
    PictureReader(const PictureReader&) = delete;
    PictureReader& operator=(const PictureReader&) = delete;

    // Starts reading; only while not busy.
    void read(std::uint64_t id, const std::string& path);
    // True from read() until its result has been delivered.
    bool busy() const { return reading != nullptr; }

  private:
    struct Reading;
    void deliver(const std::shared_ptr<Reading>& finished);
    void stop();

    PictureSize bounds;
    UiPoster post;
    Done done;
    std::chrono::milliseconds stallLimit;
    std::shared_ptr<Reading> reading;
    std::thread worker;
    // Cleared when the reader goes away, so a delivery still queued is dropped.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

// Reads the picture of a file through a decoding helper, on the calling thread: the picture, or
// !ok() when it cannot be read. Stops early (with !ok()) once cancelled is set.
DecodedPicture readPictureInHelper(const std::string& path, PictureSize bounds,
                                   std::chrono::milliseconds stallLimit, const std::atomic<bool>& cancelled);

}  // namespace veltamar
