#pragma once

#include <cstdint>

// Colours as the settings file and the dialogs keep them: 0x00BBGGRR, red in the lowest byte.

namespace veltamar {

using ColorRef = std::uint32_t;

constexpr ColorRef rgbColor(int r, int g, int b) {
    return static_cast<ColorRef>(r & 0xff) | (static_cast<ColorRef>(g & 0xff) << 8) |
           (static_cast<ColorRef>(b & 0xff) << 16);
}
constexpr int redOf(ColorRef c) {
    return static_cast<int>(c & 0xff);
}
constexpr int greenOf(ColorRef c) {
    return static_cast<int>((c >> 8) & 0xff);
}
constexpr int blueOf(ColorRef c) {
    return static_cast<int>((c >> 16) & 0xff);
}

}  // namespace veltamar
