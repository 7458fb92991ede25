#pragma once

#include <SDL2/SDL_mixer.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/regular_file.h"

// Opening one of the user's music files (MP3 or other MPEG audio, or WAV) as the mixer's music.
// This is the part of playing a file that reads it before the first sound: it runs on a thread of
// its own, since a file on a network share that has stopped answering blocks whoever opens it.
// Only a regular file is opened, and only a kind whose decoder streams the file while it plays:
// the mixer's other decoders (tracker modules, MIDI) read a whole file into memory, and a file of
// no known kind would go to them.

namespace veltamar {

// Lets go of a mixer music, from any thread.
struct MixMusicRelease {
    void operator()(Mix_Music* music) const;
};
using MixMusic = std::unique_ptr<Mix_Music, MixMusicRelease>;

struct OpenedMusic {
    MixMusic music;         // null when the file cannot be played
    double seconds = -1.0;  // the track's length; negative when its decoder cannot tell
};

enum class MusicKind { Unknown, Wav, Mpeg };

// The kind of music a file holds, told by its first bytes (twelve are enough), or for MPEG audio
// that starts with something else by the file name's extension, as players do.
MusicKind musicKindOf(std::span<const std::uint8_t> start, const std::string& path);

// The mixer's WAV decoder reads each metadata chunk of a WAV file whole into memory: true when
// none is larger than metadata ever is.
bool wavMetadataIsSmall(RegularFile& file);

// Where the MPEG audio of a file starts: past the ID3 tags in front of it, if any.
std::int64_t mpegAudioStart(RegularFile& file);

// Opens the file and loads it as the mixer's music, on the calling thread. No music when it is
// not a regular file, is not MPEG audio or WAV, cannot be decoded or decodes to nothing. The sound
// device must be open.
OpenedMusic openMusicFile(const std::string& path);

}  // namespace veltamar
