#pragma once

#include <cstdint>
#include <vector>

// Scaling a picture down by averaging: every new pixel is the mean of the part of the picture it
// covers, each old pixel weighted by how much of it lies inside. Pixels are rows of interleaved
// channels (1 to 4 bytes each), top row first, with no padding.

namespace veltamar {

std::vector<std::uint8_t> scalePixelsDown(const std::uint8_t* pixels, int width, int height, int channels,
                                          int newWidth, int newHeight);

}  // namespace veltamar
