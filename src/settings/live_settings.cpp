#include "settings/live_settings.h"

#include <algorithm>

namespace veltamar {

LiveSettings liveSettings;
int savedViewLeftRight = 0;
int savedViewNearFar = 0;
float savedFrontRotation = 0.0f;
float savedBackRotation = 0.0f;

void updateLiveSettings(const LiveSettings& values) {
    const auto counts = liveSettings.speciesCounts;
    const auto reserved = liveSettings.reservedSlots;
    liveSettings = values;
    liveSettings.speciesCounts = counts;
    liveSettings.reservedSlots = reserved;
}

void updateSpeciesCounts(const std::array<std::int32_t, SPECIES_COUNT>& counts) {
    for (int s = 0; s < SPECIES_COUNT; ++s) liveSettings.speciesCounts[s] = std::min(counts[s], SPECIES_MAXIMUM);
}

int bubbleSettingInRange() { return std::clamp(liveSettings.bubbleSetting, 0, 110); }

int backgroundIndexInRange() { return std::clamp(liveSettings.backgroundIndex, 0, 3); }

}  // namespace veltamar
