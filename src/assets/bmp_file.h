#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Reading Windows bitmap files, with every header field checked against the file's real size: a
// short, truncated or lying file is refused, never read past its end.

namespace veltamar {

// Bytes of one stored pixel row: ((bits x width + 31) / 32) x 4.
std::int64_t rowStride(int bitsPerPixel, int width);

// The parts of an uncompressed bitmap that the loaders use.
struct BmpFile {
    int width = 0;
    int height = 0;  // rows; the file stores them bottom row first
    int bitsPerPixel = 0;  // 8, 24 or 32
    std::span<const std::uint8_t> palette;  // 8-bit pictures: entries of blue, green, red, reserved
    std::span<const std::uint8_t> pixels;   // height rows of rowStride(bits, width) bytes, bottom first
};

// Largest side a loader accepts; anything larger is taken as a damaged header.
constexpr int BMP_MAX_SIDE = 16384;

// Parses a whole file. The pixel data starts at the file header's offset; 8-bit pictures take
// their palette from after the information header (colours-used entries, or 256 when 0).
// Refused: no "BM", an information header shorter than 40 bytes, compression, other depths than
// 8, 24 and 32, sides outside 1..BMP_MAX_SIDE, top-down pictures, and data past the file's end.
std::optional<BmpFile> parseBmp(std::span<const std::uint8_t> file);

// The picture as RGBA bytes, bottom row first, rows unpadded; pure black (0, 0, 0) gets alpha 0
// and every other colour alpha 255.
std::vector<std::uint8_t> blackKeyedRgba(const BmpFile& bmp);

// An 8-bit picture expanded to 24 bits (blue, green, red), rows padded to 4 bytes.
std::vector<std::uint8_t> expandPaletteToBgr(const BmpFile& bmp);

// Smallest power of two at least min(limit, side), and at least 2.
int powerOfTwoSide(int side, int limit);

}  // namespace veltamar
