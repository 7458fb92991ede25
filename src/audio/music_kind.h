#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/regular_file.h"

// Telling what kind of music a user's file holds before any decoder sees it, and where the MPEG
// audio of a file starts behind the tags that are stacked in front of it.

namespace veltamar {

enum class MusicKind { Unknown, Wav, Mpeg };

// The kind told by the file's first bytes (twelve are enough), or for MPEG audio that starts with
// something else by the file name's extension, as players do.
MusicKind musicKindOf(std::span<const std::uint8_t> start, const std::string& path);

// Where the MPEG audio of a file starts: past the ID3v2 tags in front of it, if any. The tags are
// stepped over unread (a picture tag can be hundreds of megabytes); the result may lie past the end
// of a file whose tag claims more than the file holds.
std::int64_t mpegAudioStart(RegularFile& file);

}  // namespace veltamar
