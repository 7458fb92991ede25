#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "decoder/decoder_protocol.h"
#include "platform/regular_file.h"

// Decoding one of the user's music files (MPEG audio or WAV) to the PCM the program plays. The
// file may be damaged or made to break players, so whatever it claims, a decoder holds only a few
// blocks of it in memory at a time and does work in proportion to the audio it yields. It uses the
// standard library, libmpg123 and SDL's audio conversion, nothing that needs a window or a sound
// device, so that it can run in a process of its own.

namespace veltamar {

// PCM as the program plays it unless the sound device asks for another rate or number of channels:
// 44.1 kHz, signed 16-bit native-endian, two channels interleaved.
constexpr int PCM_RATE = PcmFormat{}.rate;
constexpr int PCM_CHANNELS = PcmFormat{}.channels;

class MusicDecoder {
  public:
    // The file's music as PCM of the format, or nullptr when it is not MPEG audio or WAV (told by
    // content, MPEG audio also by its extension), its headers do not hold up, or the decoder
    // refuses it. path only serves the extension.
    static std::unique_ptr<MusicDecoder> open(RegularFile file, const std::string& path,
                                              PcmFormat format = {});

    virtual ~MusicDecoder();

    // The track's length in milliseconds; negative when it cannot be told.
    virtual long lengthMs() const = 0;
    // Moves to the position (ms from the start, clamped to the track); false when it cannot.
    virtual bool seek(long positionMs) = 0;
    // Up to `frames` frames of PCM into out (channels * frames samples); the number written, 0 at
    // the end of the track, -1 when the file turns out to be undecodable.
    virtual long read(std::int16_t* out, long frames) = 0;
};

}  // namespace veltamar
