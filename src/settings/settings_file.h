#pragma once

#include <string>
#include <string_view>

// The settings file OrvessaSet.ini in the data directory, and the start-up load of the scene's
// settings from it.

namespace veltamar {

constexpr const char* SETTINGS_FILE_NAME = "OrvessaSet.ini";
constexpr const char* SECTION_AQUARIUM = "Aquarium Settings";
constexpr const char* SECTION_FISH = "Fish Number";
constexpr const char* SECTION_IMAGES = "Custom Images";
constexpr const char* SECTION_MUSIC = "Custom Settings";

// The data directory followed by OrvessaSet.ini; built afresh for every load or save sequence.
// Without a usable data directory "Error Find TempPath." is shown and the bare file name (the
// current directory) is used. Once the settings are read-only, the file's place in the data
// directory, found without creating anything or showing a message (empty when there is no home).
std::string settingsPath();

// From now on this process reads the settings file and never writes it (the screensaver): loading
// applies the start-up defaults, ranges and resets in memory only, and no save reaches the disk.
// A missing or damaged file means the defaults in memory.
void keepSettingsReadOnly();
bool settingsReadOnly();

// Reads "Aquarium Settings" and "Fish Number" into liveSettings: every missing key gets its
// start-up default written back, fog and light outside their ranges are replaced by their
// defaults, six keys are reset to fixed values, and a missing fish count gets a random 0..5
// written back. All writes of the load reach the file as one update. What saves of a killed
// earlier run left unfinished beside the file is cleared away first. With read-only settings the
// same values are taken and nothing is written or cleared away.
void loadSettings();

// "Fish" followed by the species index.
std::string fishKey(int species);

// Leading-integer conversion of a stored value, like atoi ("12abc" is 12, text without a leading
// number is 0), held within the 32-bit range.
int leadingInteger(std::string_view text);

// Leading decimal-number conversion, like atof (0 when there is none).
double leadingDecimal(std::string_view text);

}  // namespace veltamar
