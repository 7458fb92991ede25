#pragma once

// The sound output: SDL audio with SDL2_mixer, 44.1 kHz 16-bit stereo, with MP3 and WAV decoding.
// It is opened the first time something wants to play, on the user-interface thread. When there
// is no sound device, or it cannot be opened, sound is simply unavailable: nothing plays, nothing
// is reported, and every later request is a harmless no-op.

namespace veltamar {

// Opens the device on the first call; later calls give the same answer without trying again.
// True when sound can be played.
bool openAudioDevice();

// True when the device is open; never tries to open it.
bool audioDeviceIsOpen();

// Closes the device, so that the next openAudioDevice tries afresh (with whatever audio driver
// the environment names then). Every chunk and music must have been freed before.
void closeAudioDevice();

// Held by a thread other than the user-interface thread while it loads or lets go of a music file
// with the mixer. Such a thread may still be at it (blocked on a network share, say) when the
// program ends: the device is then left open for the end of the process to take down, rather than
// closed under it. Once the program has begun to end, no new use is granted: check with the bool.
class MusicDecoderUse {
  public:
    MusicDecoderUse();
    ~MusicDecoderUse();
    MusicDecoderUse(const MusicDecoderUse&) = delete;
    MusicDecoderUse& operator=(const MusicDecoderUse&) = delete;
    explicit operator bool() const { return granted; }

  private:
    bool granted = false;
};

}  // namespace veltamar
