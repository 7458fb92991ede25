#pragma once

// The built-in background sound: the packed "Music" wave, looping on its own mixer channel for as
// long as the user's own music is off.

namespace veltamar {

// Unpacks the built-in music into the resource directory (locateResourceDirectory), sets the device volume from the sound
// volume setting ("YINLIANG"), starts it looping from its beginning and deletes both files at
// once (the sound is already held in memory). Any earlier built-in sound stops first. Without a
// sound device or a usable resource directory nothing happens and nothing is reported.
void startBuiltInSound();

// Stops the built-in sound, if it plays.
void stopBuiltInSound();

// Sets the device volume of the built-in sound: the low word of a wave-out volume, 0 (silent) to
// 65535 (full). Used by the sound start and by the settings dialog's volume slider; it takes
// effect at once and holds for every later start.
void setWaveOutVolume(int lowWord);
// The device volume last set (65535 until something sets it).
int waveOutVolume();

}  // namespace veltamar
