#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/picture_fit.h"

// Reading the user's own pictures into pixels, away from the user-interface thread. A JPEG at
// least twice the size it will be shown at is decoded at a reduced scale; otherwise SOIL's decoder
// reads the file first; a picture it cannot read (progressive JPEG, run-length-encoded BMP, 16-bit
// PNG, ...) is read by the toolkit's image decoder. A picture larger than the bounds is scaled
// down on the way (see fittedPictureSize).

namespace veltamar {

struct DecodedPicture {
    int width = 0;
    int height = 0;
    int channels = 0;                  // 1 grey, 2 grey and alpha, 3 RGB, 4 RGBA
    std::vector<std::uint8_t> pixels;  // rows top first, no padding
    // The size of the file's picture before any scaling.
    PictureSize original;

    bool ok() const { return width > 0 && height > 0 && channels > 0; }
};

// Registers the toolkit's decoders; run once on the user-interface thread before any decoding.
void preparePictureDecoders();

// Reads the picture of a file; !ok() when no decoder can read it. Safe to run on any thread, one
// decode at a time.
DecodedPicture decodePicture(const std::string& path, PictureSize bounds);

}  // namespace veltamar
