#pragma once

#include <array>
#include <cstdint>

// The key of the packed resources. The build's packer subtracts key[p mod 50] from the byte at
// 1-based position p of every built-in file; the program adds it back when it unpacks one.

namespace veltamar {

constexpr std::array<std::int8_t, 50> SCRAMBLE_KEY = {
    37, -91, 12, 77, -5, 103, -66, 21, -118, 54,
    9, -33, 88, -127, 61, -14, 119, -72, 3, 46,
    -101, 95, -27, 70, -58, 33, -9, 112, -84, 25,
    -45, 81, -120, 7, 64, -19, 99, -63, 18, -110,
    52, -2, 126, -77, 40, -36, 85, -123, 11, 58,
};

// The byte at 1-based position p, unpacked and packed.
constexpr std::uint8_t unscrambleByte(std::uint8_t stored, std::uint64_t position) {
    return static_cast<std::uint8_t>(stored + static_cast<std::uint8_t>(SCRAMBLE_KEY[position % 50]));
}
constexpr std::uint8_t scrambleByte(std::uint8_t plain, std::uint64_t position) {
    return static_cast<std::uint8_t>(plain - static_cast<std::uint8_t>(SCRAMBLE_KEY[position % 50]));
}

}  // namespace veltamar
