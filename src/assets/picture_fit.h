#pragma once

// The size a user's picture is given before it becomes a texture. The texture maker gives its
// textures power-of-two sides (they carry mipmaps), rounding each side up. A picture that fits
// the bounds (the screen, and at most what the driver takes) is left as it is. A larger one is
// scaled down, keeping its aspect ratio, until it fits, and then to the power-of-two sides that
// hold it within the bounds, so that its texture is no larger than the screen and nothing is left
// for the texture maker to resample.

namespace veltamar {

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

PictureSize fittedPictureSize(PictureSize picture, PictureSize bounds);

}  // namespace veltamar
