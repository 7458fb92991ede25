#pragma once

#include <optional>

#include "render/scene_state.h"

// The clicked world point of the feed, point and swirl tools. Picking returns x and y separately
// and either may miss the tank in a frame; each is kept once it lies inside the tank, and the point
// is used when both are held.

namespace veltamar {

struct WorldPoint {
    float x;
    float y;
};

// Keeps x when none is held yet and sceneLeft <= x <= sceneRight, and y likewise within
// sceneBottom..sceneTop.
void offerPickedPoint(WorldPointCapture& capture, float x, float y, const TankBounds& tank);

// When both coordinates are held: forgets them and returns the point.
std::optional<WorldPoint> takeCapturedPoint(WorldPointCapture& capture);

}  // namespace veltamar
