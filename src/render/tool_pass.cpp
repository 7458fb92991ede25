#include "render/tool_pass.h"

namespace veltamar {

void offerPickedPoint(WorldPointCapture& capture, float x, float y, const TankBounds& tank) {
    if (!capture.xCaptured && tank.sceneLeft <= x && x <= tank.sceneRight) {
        capture.x = x;
        capture.xCaptured = true;
    }
    if (!capture.yCaptured && tank.sceneBottom <= y && y <= tank.sceneTop) {
        capture.y = y;
        capture.yCaptured = true;
    }
}

std::optional<WorldPoint> takeCapturedPoint(WorldPointCapture& capture) {
    if (!capture.xCaptured || !capture.yCaptured) return std::nullopt;
    capture.xCaptured = false;
    capture.yCaptured = false;
    return WorldPoint{capture.x, capture.y};
}

}  // namespace veltamar
