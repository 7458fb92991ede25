#pragma once

#include <cstdint>
#include <vector>

#include "assets/picture_fit.h"
#include "assets/pixel_scaling.h"

// A user's picture as its decoder hands it over, and the limits every decoder keeps to. Whatever
// a file claims, no decoder holds more than a few rows of the picture at its full size: each row
// is reduced to the size the picture is shown at as soon as it has been read (RowReducer), so
// memory follows what is shown, not what the file holds.

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

// A picture whose header claims more pixels than this (a gigapixel) is refused before decoding:
// no screen shows it, and a small file that claims it is a decompression bomb.
constexpr std::int64_t MAX_PICTURE_PIXELS = std::int64_t{1} << 30;
// Nor may either side be longer than this, which bounds the one full-width row a decoder holds.
constexpr std::int64_t MAX_PICTURE_SIDE = std::int64_t{1} << 20;
// Decoding that needs a whole picture at once (a small interlaced PNG, decoded with all its
// passes) takes pictures of up to this many pixels, which keeps it within a few tens of megabytes
// too.
constexpr std::int64_t WHOLE_PICTURE_PIXELS = std::int64_t{4} << 20;

// Whether a picture of these sides may be decoded at all.
bool pictureSizeAllowed(std::int64_t width, std::int64_t height);

// The reducer's picture, once every row has come; !ok() otherwise.
DecodedPicture reducedPicture(RowReducer& reducer, PictureSize original);

}  // namespace veltamar
