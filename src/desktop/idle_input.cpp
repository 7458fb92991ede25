#include "desktop/idle_input.h"

#include <cmath>

namespace veltamar {

bool IdleInput::pointerAt(double x, double y) {
    if (!seen) {
        seen = true;
        firstX = x;
        firstY = y;
        return ended;
    }
    if (std::hypot(x - firstX, y - firstY) > STILL_DISTANCE) ended = true;
    return ended;
}

}  // namespace veltamar
