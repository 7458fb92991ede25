#pragma once

#include <array>
#include <cstdint>

// The scene's settings at run time: one process-wide record of 47 32-bit slots, filled from the
// settings file at start-up and refreshed by the settings and fish number dialogs. The frame
// drawing and the effects read it every frame.

namespace veltamar {

constexpr int SPECIES_COUNT = 10;
constexpr int FISH_CAPACITY = 50;
constexpr int SPECIES_MAXIMUM = 50;

struct LiveSettings {
    std::int32_t showWater = 0;
    std::int32_t showLight = 0;
    std::int32_t showTerra = 0;
    std::int32_t frontFixed = 0;
    std::uint32_t frontColor = 0;  // COLORREF 0x00BBGGRR
    std::int32_t frontGradient = 0;
    std::uint32_t frontColor1 = 0;
    std::uint32_t frontColor2 = 0;
    std::int32_t frontAutoGradient = 0;
    std::int32_t frontLock = 0;
    float frontRotation = 0.0f;
    std::int32_t backFixed = 0;
    std::uint32_t backColor = 0;
    std::int32_t backGradient = 0;
    std::uint32_t backColor1 = 0;
    std::uint32_t backColor2 = 0;
    std::int32_t backAutoGradient = 0;
    std::int32_t backLock = 0;
    float backRotation = 0.0f;
    std::int32_t soundVolume = 0;      // 0..65535; the device volume is 65535 minus this
    std::int32_t bubbleSetting = 0;    // 0..110; each emitter shows 110 minus this
    std::int32_t backgroundIndex = 0;  // 0..3; 0 shows the backdrop picture
    std::array<std::int32_t, SPECIES_COUNT> speciesCounts{};
    std::int32_t fogSetting = 0;    // 0..25
    std::int32_t lightSetting = 0;  // 0..100; 0 is the full light
    std::array<std::int32_t, 10> reservedSlots{};
    std::int32_t autoViews = 0;
    std::int32_t viewLeftRight = 0;
    std::int32_t viewNearFar = 0;
};

static_assert(sizeof(LiveSettings) == 47 * 4, "47 slots of 32 bits");

extern LiveSettings liveSettings;

// Values kept beside the record for the settings dialog.
extern int savedViewLeftRight;
extern int savedViewNearFar;
extern float savedFrontRotation;
extern float savedBackRotation;

// Copies every slot of a full record except speciesCounts and reservedSlots into liveSettings.
void updateLiveSettings(const LiveSettings& values);

// Stores ten counts into liveSettings.speciesCounts, each above 50 replaced by 50.
void updateSpeciesCounts(const std::array<std::int32_t, SPECIES_COUNT>& counts);

// Values the scene's consumers can take: the bubble setting within 0..110 and the background
// index within 0..3, whatever a hand-edited file holds.
int bubbleSettingInRange();
int backgroundIndexInRange();

}  // namespace veltamar
