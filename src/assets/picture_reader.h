#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "assets/picture_decoder.h"

// Reads one picture at a time on a thread of its own, so that a large photo never holds up the
// aquarium, and hands the pixels back on the user-interface thread.

namespace veltamar {

class PictureReader {
  public:
    // Runs a task on the user-interface thread (later, from the event loop).
    using UiPoster = std::function<void(std::function<void()>)>;
    using Done = std::function<void(std::uint64_t id, const DecodedPicture& picture)>;

    PictureReader(PictureSize bounds, UiPoster post, Done done);
    // Waits for a picture still being read; its result is not delivered.
    ~PictureReader();
    PictureReader(const PictureReader&) = delete;
    PictureReader& operator=(const PictureReader&) = delete;

    // Starts reading; only while not busy.
    void read(std::uint64_t id, const std::string& path);
    // True from read() until its result has been delivered.
    bool busy() const { return reading; }

  private:
    PictureSize bounds;
    UiPoster post;
    Done done;
    std::thread worker;
    bool reading = false;
    // Cleared when the reader goes away, so a result still queued is dropped.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

}  // namespace veltamar
