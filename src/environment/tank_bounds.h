#pragma once

// The tank's extent in world units, fixed once from the screen resolution.

namespace veltamar {

struct TankBounds {
    float sceneLeft = 0.0f;
    float sceneRight = 0.0f;
    float sceneTop = 0.0f;
    float sceneBottom = 0.0f;
    float sceneBack = 0.0f;
    float sceneSpare = 0.0f;
    bool operator==(const TankBounds&) const = default;
};

// Bounds for a screen of width x height pixels, widened by 20 on either side and 4 above and below.
TankBounds tankBoundsForScreen(int width, int height);

}  // namespace veltamar
