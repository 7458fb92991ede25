#pragma once

// The application profile (outside the settings file): the starting volume of the user's own
// music, section "Settings", entry "Volume", default 1000. The program only reads it.

namespace veltamar {

int readProfileVolume();

}  // namespace veltamar
