#include "assets/picture_fit.h"

#include <algorithm>
#include <cmath>

namespace veltamar {

namespace {

int powerOfTwoAtMost(int n) {
    int p = 1;
    while (p <= n / 2) p *= 2;
    return p;
}

}  // namespace

PictureSize fittedPictureSize(PictureSize picture, PictureSize bounds) {
    if (picture.width <= 0 || picture.height <= 0 || bounds.width <= 0 || bounds.height <= 0) return picture;
    if (picture.width <= bounds.width && picture.height <= bounds.height) return picture;
    const double scale = std::min(static_cast<double>(bounds.width) / picture.width,
                                  static_cast<double>(bounds.height) / picture.height);
    const int width = std::clamp(static_cast<int>(std::lround(picture.width * scale)), 1, bounds.width);
    const int height = std::clamp(static_cast<int>(std::lround(picture.height * scale)), 1, bounds.height);
    return {powerOfTwoAtMost(width), powerOfTwoAtMost(height)};
}

}  // namespace veltamar
