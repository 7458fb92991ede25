#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "assets/picture_fit.h"

// Large photos are decoded at a reduced scale straight from the JPEG data (1/2, 1/4 or 1/8 of
// their size, whichever still leaves at least the size they will be shown at), so a 24-megapixel
// photo never lies in memory at full size: it takes a few megabytes instead of a hundred.

namespace veltamar {

struct JpegHeader {
    int width = 0;
    int height = 0;
};

// The picture size a JPEG declares, or nothing when the bytes are not a readable JPEG.
std::optional<JpegHeader> readJpegHeader(std::span<const std::uint8_t> file);

// The largest of 8, 4, 2 and 1 that divides the picture down to no less than the target size.
int jpegScaleDenominator(PictureSize picture, PictureSize target);

struct ScaledJpeg {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // rows top first, no padding
};

// Decodes the JPEG at 1/denominator of its size as RGB (grey pictures too); nothing when the data
// is damaged.
std::optional<ScaledJpeg> decodeJpegScaled(std::span<const std::uint8_t> file, int denominator);

}  // namespace veltamar
