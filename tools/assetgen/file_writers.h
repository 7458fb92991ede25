#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "images.h"

// Encoders of the generator's output files.

namespace veltamar::assetgen {

// Windows bitmap, 24 bits per pixel, bottom row first, rows padded to 4 bytes.
std::vector<std::uint8_t> encodeBmp24(const RgbImage& image);

// RIFF WAVE, 16-bit PCM.
std::vector<std::uint8_t> encodeWav(const Sound& sound);

// Raw RGBA, top row first, no header (the size goes into the manifest).
std::vector<std::uint8_t> encodeRgba(const RgbaImage& image);

// PNG, 8-bit RGBA, each row filtered the way that suits it, compressed with deflate's fixed codes.
std::vector<std::uint8_t> encodePng(const RgbaImage& image);

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace veltamar::assetgen
