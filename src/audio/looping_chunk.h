#pragma once

#include <SDL2/SDL_mixer.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/mapped_buffer.h"

// A wave file held in memory, in the mixer's output format, ready to loop without a seam.
//
// Converting a sound to another sample rate filters it, and a plain conversion treats the
// silence before the start and after the end as part of the sound, which leaves a click where a
// loop goes round. Here the sound is converted with its own end placed before its start and its
// start after its end, and only the middle is kept, so the last sample leads into the first as
// smoothly as any two neighbours inside.

namespace veltamar {

class LoopingChunk {
  public:
    // Reads and converts the whole file; nothing when the sound device is not open or the file is
    // not a wave it can read.
    static std::unique_ptr<LoopingChunk> load(const std::string& path);
    ~LoopingChunk();
    LoopingChunk(const LoopingChunk&) = delete;
    LoopingChunk& operator=(const LoopingChunk&) = delete;

    Mix_Chunk* chunk() const { return mixChunk; }

  private:
    LoopingChunk() = default;

    MappedBuffer samples;
    Mix_Chunk* mixChunk = nullptr;
};

}  // namespace veltamar
