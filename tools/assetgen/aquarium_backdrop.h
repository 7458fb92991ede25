#pragma once

#include "images.h"

// The built-in backdrop picture, 1024 x 512: the aquarium's back wall under water, pure black
// above the water line. The fish number dialog's picture shows a faded copy of its sea floor.

namespace veltamar::assetgen {

constexpr int BACKDROP_WIDTH = 1024;
constexpr int BACKDROP_HEIGHT = 512;

RgbImage paintBackdrop();

}  // namespace veltamar::assetgen
