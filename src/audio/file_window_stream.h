#pragma once

#include <SDL2/SDL_rwops.h>

#include <cstdint>

#include "platform/regular_file.h"

// An SDL stream over the part of a regular file from an offset to its end: whoever reads it sees
// a file that begins at the offset. The music decoder is handed MPEG audio this way past its tags,
// which it would otherwise read whole into memory, however large they claim to be.

namespace veltamar {

// Takes the file over (closing it with the stream); null when no stream could be made.
SDL_RWops* fileWindowStream(RegularFile file, std::int64_t from);

}  // namespace veltamar
