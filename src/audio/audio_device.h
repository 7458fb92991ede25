#pragma once

// The sound output: SDL audio with SDL2_mixer, 44.1 kHz 16-bit stereo. It mixes the built-in sound
// with the user's music, which comes as PCM from a decoding helper (the mixer decodes none of the
// user's files). It is opened the first time something wants to play, on the user-interface
// thread. When there
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

}  // namespace veltamar
