#pragma once

// The tank's extent in world units, which follows the shape of the picture the aquarium is drawn
// into.

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

// Bounds for a screen or window of width x height pixels, widened by 20 on either side and 4 above
// and below. The screens the aquarium was tuned on have their own tank; on any other shape the
// backdrop picture reaches past every edge of the view. Depends on nothing but the two numbers.
TankBounds tankBoundsForScreen(int width, int height);

}  // namespace veltamar
