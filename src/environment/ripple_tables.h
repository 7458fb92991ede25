#pragma once

#include <array>

// Constant tables of the screen ripple.

namespace veltamar {

constexpr int RIPPLE_GRID = 32;

struct RippleVector {
    double dx;  // unit direction from a ripple centre, to six significant digits
    double dy;
    int r;  // whole-number distance, in units of 800 / 31 per grid step
};

// Entry [a][b]: the direction and distance of grid offset (a, b) from a ripple centre.
const std::array<std::array<RippleVector, RIPPLE_GRID>, RIPPLE_GRID>& rippleVectors();

// The ring's profile by how far it has travelled past a point: two crests fading out, zero at
// both ends.
const std::array<double, 256>& rippleAmplitudes();

}  // namespace veltamar
