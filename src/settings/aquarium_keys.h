#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "settings/live_settings.h"

// The 27 keys of the "Aquarium Settings" section in the order the file keeps them, with the
// LiveSettings slot each one fills, its text format and its start-up rules.

namespace veltamar {

enum class KeyFormat {
    OnOff,    // "1" / "0"
    Colour,   // COLORREF as decimal ("%ld")
    Angle,    // "%f"
    Integer,  // "%d"
};

using SettingSlot = std::variant<std::int32_t LiveSettings::*, std::uint32_t LiveSettings::*, float LiveSettings::*>;

struct AquariumKey {
    const char* name;
    KeyFormat format;
    SettingSlot slot;
    const char* startupDefault;        // written when the key is missing
    std::optional<int> startupReset;   // applied (and written) at every start
    std::optional<int> rangeMinimum;   // values outside the range are replaced by the default
    std::optional<int> rangeMaximum;
};

inline const std::array<AquariumKey, 27> AQUARIUM_KEYS = {{
    {"Show Water", KeyFormat::OnOff, &LiveSettings::showWater, "1", 0, {}, {}},
    {"Show Light", KeyFormat::OnOff, &LiveSettings::showLight, "1", 0, {}, {}},
    {"Show Terra", KeyFormat::OnOff, &LiveSettings::showTerra, "1", 1, {}, {}},
    {"FRONT GUDING", KeyFormat::OnOff, &LiveSettings::frontFixed, "1", {}, {}, {}},
    {"FRONTCOLOR", KeyFormat::Colour, &LiveSettings::frontColor, "16777215", {}, {}, {}},
    {"FRONT MANJIANBIAN", KeyFormat::OnOff, &LiveSettings::frontGradient, "0", {}, {}, {}},
    {"FRONT COLOR1", KeyFormat::Colour, &LiveSettings::frontColor1, "16777215", {}, {}, {}},
    {"FRONT COLOR2", KeyFormat::Colour, &LiveSettings::frontColor2, "16777215", {}, {}, {}},
    {"FRONT AUTOJIANBIAN", KeyFormat::OnOff, &LiveSettings::frontAutoGradient, "0", {}, {}, {}},
    {"CHECK LOCKFORE", KeyFormat::OnOff, &LiveSettings::frontLock, "0", {}, {}, {}},
    {"LOCKFORE ROT", KeyFormat::Angle, &LiveSettings::frontRotation, "0", {}, {}, {}},
    {"BACK GUDING", KeyFormat::OnOff, &LiveSettings::backFixed, "0", 1, {}, {}},
    {"BACKCOLOR", KeyFormat::Colour, &LiveSettings::backColor, "0", 0, {}, {}},
    {"BACK MANJIANBIAN", KeyFormat::OnOff, &LiveSettings::backGradient, "0", {}, {}, {}},
    {"BACK COLOR1", KeyFormat::Colour, &LiveSettings::backColor1, "65280", {}, {}, {}},
    {"BACK COLOR2", KeyFormat::Colour, &LiveSettings::backColor2, "0", {}, {}, {}},
    {"BACK AUTOJIANBIAN", KeyFormat::OnOff, &LiveSettings::backAutoGradient, "1", 0, {}, {}},
    {"CHECK LOCKBACK", KeyFormat::OnOff, &LiveSettings::backLock, "0", {}, {}, {}},
    {"LOCKBACK ROT", KeyFormat::Angle, &LiveSettings::backRotation, "0", {}, {}, {}},
    {"YINLIANG", KeyFormat::Integer, &LiveSettings::soundVolume, "32767.5", {}, {}, {}},
    {"QIPAONUM", KeyFormat::Integer, &LiveSettings::bubbleSetting, "100", {}, {}, {}},
    {"BACKGROUND", KeyFormat::Integer, &LiveSettings::backgroundIndex, "0", {}, {}, {}},
    {"FOGNONGDU", KeyFormat::Integer, &LiveSettings::fogSetting, "25", {}, 0, 25},
    {"LIGHTQIANGDU", KeyFormat::Integer, &LiveSettings::lightSetting, "0", {}, 0, 100},
    {"CHECK VIEWS", KeyFormat::OnOff, &LiveSettings::autoViews, "1", {}, {}, {}},
    {"VIEWSLEFTRIGHT", KeyFormat::Integer, &LiveSettings::viewLeftRight, "0", {}, {}, {}},
    {"VIEWSNEARFAR", KeyFormat::Integer, &LiveSettings::viewNearFar, "0", {}, {}, {}},
}};

// The key's slot in a record, as a number.
double slotValue(const AquariumKey& key, const LiveSettings& settings);
void setSlotValue(const AquariumKey& key, LiveSettings& settings, double value);

// The text the file holds for a value of the key's slot ("1"/"0", "%ld", "%f" or "%d").
std::string formatKeyValue(const AquariumKey& key, const LiveSettings& settings);

}  // namespace veltamar
