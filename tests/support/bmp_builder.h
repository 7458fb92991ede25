#pragma once

#include <cstdint>
#include <vector>

// Builds Windows bitmap files for loader tests: 8-bit (with palette), 24-bit and 32-bit, with any
// header field overridable to make lying files.

namespace veltamar::testsupport {

struct BmpLayout {
    int width = 1;
    int height = 1;
    int bitsPerPixel = 24;
    // Pixel colour as 0x00RRGGBB for 24/32-bit pictures, or the palette index for 8-bit ones;
    // y = 0 is the bottom row, the first one stored.
    std::uint32_t (*pixel)(int x, int y) = nullptr;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB entries for 8-bit pictures
    std::uint32_t coloursUsedField = 0;  // written as the header's colours-used field
};

inline void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

inline std::vector<std::uint8_t> buildBmp(const BmpLayout& layout) {
    const int bytes = layout.bitsPerPixel / 8;
    const std::uint32_t stride = ((layout.bitsPerPixel * layout.width + 31) / 32) * 4;
    const std::uint32_t paletteBytes = static_cast<std::uint32_t>(layout.palette.size()) * 4;
    const std::uint32_t offset = 54 + paletteBytes;
    const std::uint32_t imageSize = stride * layout.height;
    std::vector<std::uint8_t> out{'B', 'M'};
    put32(out, offset + imageSize);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, layout.width);
    put32(out, layout.height);
    put16(out, 1);
    put16(out, layout.bitsPerPixel);
    put32(out, 0);
    put32(out, imageSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, layout.coloursUsedField);
    put32(out, 0);
    for (std::uint32_t c : layout.palette) put32(out, c);  // blue, green, red, reserved
    for (int y = 0; y < layout.height; ++y) {
        std::uint32_t written = 0;
        for (int x = 0; x < layout.width; ++x) {
            const std::uint32_t c = layout.pixel ? layout.pixel(x, y) : 0;
            if (bytes == 1) {
                out.push_back(static_cast<std::uint8_t>(c));
            } else {
                out.push_back(static_cast<std::uint8_t>(c));        // blue
                out.push_back(static_cast<std::uint8_t>(c >> 8));   // green
                out.push_back(static_cast<std::uint8_t>(c >> 16));  // red
                if (bytes == 4) out.push_back(255);
            }
            written += bytes;
        }
        for (; written < stride; ++written) out.push_back(0);
    }
    return out;
}

}  // namespace veltamar::testsupport
