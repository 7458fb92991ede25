#include "fish/fish.h"

#include <cmath>

#include "platform/crt_rand.h"

namespace veltamar {

Fish::Fish() {
    size = crtRand() % 7 + 2;
    speed = 0.1f;
    targetPitch = static_cast<float>(crtRand() % 45);
    targetHeading = static_cast<float>(crtRand() % 180);
    pitch = 0.0f;
    position = {};
    heading = 0.0f;
    headingTick = 0;
    turnDone = bendDone = false;
    segmentYaw.fill(0);
    lastTargetHeading = 0.0f;
    crtRand();
    crtRand();
    pectoralWave = PECTORAL_WAVE_START;
    tailWave = TAIL_WAVE_START;
    wanderTimer = crtRand() % 200;
    nearFood = false;
}

void Fish::setPartTransform(float yawDegrees) {
    const double radians = yawDegrees * 0.017453292519943295;
    const float c = static_cast<float>(std::cos(radians));
    const float s = static_cast<float>(std::sin(radians));
    partTransform = {c, s, 0.0f, 0.0f, -s, c, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
}

}  // namespace veltamar
