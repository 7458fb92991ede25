#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "settings/play_mode.h"

// The settings-file sections of the two list dialogs: "Custom Settings" (the user's music list)
// and "Custom Images" (the user's background pictures). Both keep the three play-mode buttons,
// an on/off state, a count and one numbered key per list entry; the pictures also keep the
// slide-show interval as it was typed.

namespace veltamar {

struct MusicSection {
    PlayModeButtons modes;
    bool ownMusic = false;
    std::vector<std::string> paths;
    bool operator==(const MusicSection&) const = default;
};

struct ImagesSection {
    PlayModeButtons modes;
    bool ownImage = false;
    std::string intervalText;  // as typed; empty when the key is missing
    std::vector<std::string> paths;
    bool operator==(const ImagesSection&) const = default;
};

// Reads a section from the settings file. Each mode and on/off key is on exactly when its value
// is 1 (missing keys are off, so no mode button is on: the dialog then takes "Repeat One"). Of the
// count's entries ("MusicList0", "MusicList1", ...) at most maxPaths are taken, in index order;
// entries whose key is missing are skipped. Paths are read whole, however long.
MusicSection readMusicSection(const std::string& settingsFile,
                              std::size_t maxPaths = std::numeric_limits<std::size_t>::max());
ImagesSection readImagesSection(const std::string& settingsFile,
                                std::size_t maxPaths = std::numeric_limits<std::size_t>::max());

// Writes the whole section in its key order as one update of the file: the modes and on/off as
// "1" or "0", the count, and one key per entry. Keys of a longer earlier list stay in the file and
// are ignored by the count. False when the file could not be written.
bool writeMusicSection(const std::string& settingsFile, const MusicSection& section);
bool writeImagesSection(const std::string& settingsFile, const ImagesSection& section);

}  // namespace veltamar
