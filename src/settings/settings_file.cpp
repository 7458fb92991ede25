#include "settings/settings_file.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <optional>

#include "platform/crt_rand.h"
#include "platform/data_directory.h"
#include "platform/profile_file.h"
#include "settings/aquarium_keys.h"
#include "settings/live_settings.h"

namespace veltamar {

namespace {

// With read-only settings: the file as the first load read it, with that load's writes held here
// instead of on the disk, so that every later load of the process (a scene built anew) takes the
// same values, as it would have from the written file; a missing fish count is drawn once.
std::optional<ProfileDocument> readOnlyView;

}  // namespace

std::string settingsPath() {
    if (settingsReadOnly()) {
        const auto directory = dataDirectoryPath();
        return directory ? *directory + SETTINGS_FILE_NAME : std::string();
    }
    return dataDirectory() + SETTINGS_FILE_NAME;
}

void keepSettingsReadOnly() { forbidProfileWrites(); }

bool settingsReadOnly() { return profileWritesForbidden(); }

std::string fishKey(int species) { return "Fish" + std::to_string(species); }

int leadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL << 40);
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

double leadingDecimal(std::string_view text) {
    const std::string copy(text.substr(0, 64));
    return std::atof(copy.c_str());
}

void loadSettings() {
    const std::string path = settingsPath();
    removeUnfinishedSaves(path);
    ProfileWriteBatch file = readOnlyView ? ProfileWriteBatch(path, *readOnlyView) : ProfileWriteBatch(path);

    for (const AquariumKey& key : AQUARIUM_KEYS) {
        const std::string stored = file.read(SECTION_AQUARIUM, key.name);
        int value = leadingInteger(stored);
        const bool present = !stored.empty();
        const bool inRange = (!key.rangeMinimum || value >= *key.rangeMinimum) &&
                             (!key.rangeMaximum || value <= *key.rangeMaximum);
        if (!present || !inRange) {
            file.write(SECTION_AQUARIUM, key.name, key.startupDefault);
            value = leadingInteger(key.startupDefault);
        }
        setSlotValue(key, liveSettings, value);
        if (key.startupReset) {
            setSlotValue(key, liveSettings, *key.startupReset);
            file.write(SECTION_AQUARIUM, key.name, formatKeyValue(key, liveSettings));
        }
    }
    savedViewLeftRight = liveSettings.viewLeftRight;
    savedViewNearFar = liveSettings.viewNearFar;

    for (int s = 0; s < SPECIES_COUNT; ++s) {
        const std::string stored = file.read(SECTION_FISH, fishKey(s));
        int count = leadingInteger(stored);
        if (stored.empty()) {
            count = crtRand() % 6;
            file.write(SECTION_FISH, fishKey(s), std::to_string(count));
        }
        liveSettings.speciesCounts[s] = std::min(count, SPECIES_MAXIMUM);
    }

    if (settingsReadOnly()) readOnlyView = file.contents();
    file.commit();
}

}  // namespace veltamar
