#include "settings/aquarium_keys.h"

#include <cstdio>

namespace veltamar {

double slotValue(const AquariumKey& key, const LiveSettings& settings) {
    return std::visit([&](auto member) { return static_cast<double>(settings.*member); }, key.slot);
}

void setSlotValue(const AquariumKey& key, LiveSettings& settings, double value) {
    std::visit(
        [&](auto member) {
            using Value = std::remove_reference_t<decltype(settings.*member)>;
            if constexpr (std::is_same_v<Value, std::uint32_t>)
                settings.*member = static_cast<std::uint32_t>(static_cast<std::int64_t>(value));
            else
                settings.*member = static_cast<Value>(value);
        },
        key.slot);
}

std::string formatKeyValue(const AquariumKey& key, const LiveSettings& settings) {
    char text[64];
    const double value = slotValue(key, settings);
    switch (key.format) {
        case KeyFormat::OnOff:
            return value == 1 ? "1" : "0";
        case KeyFormat::Colour:
            std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
            break;
        case KeyFormat::Angle:
            std::snprintf(text, sizeof text, "%f", value);
            break;
        case KeyFormat::Integer:
            std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
            break;
    }
    return text;
}

}  // namespace veltamar
