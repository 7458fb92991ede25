// How a fish turns, climbs, changes speed, moves and stays inside its box. Whole degrees
// throughout: every change to a heading or pitch is a whole number of degrees.

#include <algorithm>
#include <cmath>

#include "fish/fish.h"
#include "platform/crt_rand.h"

namespace veltamar {

namespace {

constexpr double RADIANS_PER_DEGREE = 0.017453292;
constexpr double BOX_RADIANS_PER_DEGREE = 0.017453291681077746;
constexpr float HEADING_STEP = 2.0f;

bool towardMinusX(float angle) {
    return (angle >= 0 && angle <= 90) || (angle >= 270 && angle <= 360) || (angle >= -90 && angle <= 0) ||
           (angle >= -360 && angle <= -270);
}

bool towardPlusZ(float angle) {
    return (angle >= 0 && angle <= 180) || (angle >= -360 && angle <= -180);
}

bool atSideWall(WallContact contact) {
    return contact == WallContact::Left || contact == WallContact::Right;
}

}  // namespace

bool Fish::inShelfBand() const {
    return position.z > -90.0f && position.z < -60.0f && position.z != -75.0f;
}

// The speed moves one step toward the target and stops there, within 0.05..0.15. Adding the step
// and then taking it back when it passes the target would leave a fish below its target exactly
// where it was: a touch, meant to startle a fish to full speed with approachSpeed(0.4, 0.15),
// would not speed it up at all.
void Fish::approachSpeed(float step, float target) {
    if (speed < target)
        speed = std::min(speed + step, target);
    else if (speed > target)
        speed = std::max(speed - step, target);
    speed = std::clamp(speed, 0.05f, 0.15f);
}

void Fish::turnPitch(float amount, bool side, PitchTurn kind) {
    switch (kind) {
        case PITCH_BY: {
            const float up = targetPitch + amount;
            const float down = targetPitch - amount;
            if (up > 90.0f || down < -90.0f) return;
            targetPitch = side ? up : down;
            break;
        }
        case PITCH_FLIP: {
            const int d = crtRand() % 15 + 15;
            targetPitch = targetPitch > 0 ? targetPitch - d : targetPitch + d;
            break;
        }
        case PITCH_MIRROR:
            targetPitch = -targetPitch;
            break;
        case PITCH_NUDGE:
            targetPitch += side ? 1.0f : -1.0f;
            break;
    }
    targetPitch = std::clamp(targetPitch, -45.0f, 45.0f);
}

void Fish::turnHeading(float amount, bool side, HeadingTurn kind) {
    // A turn in progress is never retargeted, and then no random number is drawn either.
    if (std::fabs(heading - targetHeading) > 0.1f) return;

    // "By side": the change is subtracted when side equals the heading-toward--x flag, else added.
    const bool towardMinus = headingSideFlags.headingTowardMinusX;
    auto bySide = [&](float degrees) { targetHeading += (side == towardMinus) ? -degrees : degrees; };

    switch (kind) {
        case TURN_RANDOM: {
            crtRand();
            const int d = crtRand() % 170;
            targetHeading += targetHeading > 180.0f ? -d : d;
            break;
        }
        case TURN_REVERSE:
            targetHeading += targetHeading > 180.0f ? -180.0f : 180.0f;
            break;
        case TURN_SLIDE:
            bySide(static_cast<float>(crtRand() % 15));
            break;
        case TURN_QUARTER:
            if (!inShelfBand()) break;
            if ((targetHeading > 0.0f && targetHeading <= 180.0f) || targetHeading < -180.0f)
                targetHeading += 90.0f;
            else
                targetHeading -= 90.0f;
            break;
        case TURN_NUDGE:
            bySide(static_cast<float>(crtRand() % 10 + 10));
            break;
        case TURN_ABOUT:
            bySide(180.0f);
            break;
        case TURN_BY:
            bySide(std::trunc(std::fabs(amount)));
            break;
    }
    targetHeading = std::clamp(targetHeading, -360.0f, 360.0f);
}

SegmentYaws Fish::updateTurn() {
    crtRand();

    if (std::fabs(lastTargetHeading - targetHeading) > 0.01f) {
        turnDone = bendDone = false;
        lastTargetHeading = targetHeading;
    }

    const int old = headingTick;
    headingTick = old + 1;
    if (old > 1) {
        if (!turnDone) {
            if (heading < targetHeading)
                heading = std::min(heading + HEADING_STEP, targetHeading);
            else if (heading > targetHeading)
                heading = std::max(heading - HEADING_STEP, targetHeading);
        }
        if (std::trunc(heading - targetHeading) == 0.0f) turnDone = true;
        headingTick = 0;
    }

    SegmentYaws yaws{};
    if (!turnDone) {
        // Bending: the head has the current heading, each further segment lags one step behind.
        if (atSideWall(wallContact)) {
            // At a side wall the fish turns back at once.
            for (int i = 0; i < FISH_SEGMENTS; ++i) {
                yaws[i] = targetHeading;
                segmentYaw[i] = static_cast<std::int32_t>(targetHeading);
            }
            heading = targetHeading;
            return yaws;
        }
        const float d = std::min(std::fabs(heading - lastTargetHeading) / 14.0f, 1.0f);
        for (int i = 0; i < FISH_SEGMENTS; ++i) {
            if (heading < targetHeading)
                yaws[i] = heading - i * d;
            else if (heading > targetHeading)
                yaws[i] = heading + i * d;
            else
                yaws[i] = heading;
            segmentYaw[i] = static_cast<std::int32_t>(yaws[i]);
        }
        return yaws;
    }

    // Settling: the segments creep onto the target by 1 to 1.89 degrees per frame.
    if (!bendDone) {
        const float s = static_cast<float>(crtRand() % 90) * 0.01f + 1.0f;
        const auto target = static_cast<std::int32_t>(targetHeading);
        bool moved = false;
        for (std::int32_t& yaw : segmentYaw) {
            const std::int32_t before = yaw;
            if (static_cast<float>(yaw) < targetHeading)
                yaw = std::min(static_cast<std::int32_t>(static_cast<float>(yaw) + s), target);
            else if (static_cast<float>(yaw) > targetHeading)
                yaw = std::max(static_cast<std::int32_t>(static_cast<float>(yaw) - s), target);
            moved = moved || yaw != before;
        }
        if (!moved) bendDone = true;
    }
    for (int i = 0; i < FISH_SEGMENTS; ++i) yaws[i] = static_cast<float>(segmentYaw[i]);
    return yaws;
}

void Fish::updatePitch() {
    if (pitch < targetPitch) pitch += 1.0f;
    if (pitch > targetPitch) pitch -= 1.0f;
}

void Fish::wanderStep() {
    if (inContact || nearFood) return;
    const int old = wanderTimer;
    wanderTimer = old + 1;
    if (old <= 400) return;

    wanderTimer = crtRand() % 200;
    const float target = static_cast<float>((crtRand() % 4 + 1) * 0.1);
    approachSpeed(0.05f, target);
    if (std::fabs(heading - targetHeading) < 0.01f) {
        if (inShelfBand()) turnHeading(0.0f, false, TURN_RANDOM);
        turnPitch(0.0f, false, PITCH_FLIP);
    }
    crtRand();
}

void Fish::updateSideFlags() {
    HeadingSideFlags& f = headingSideFlags;
    f.headingTowardMinusX = towardMinusX(heading);
    f.headingTowardPlusX = !f.headingTowardMinusX;
    f.pitchUp = pitch > 0.0f;
    f.headingTowardPlusZ = towardPlusZ(heading);
    f.headingTowardMinusZ = !f.headingTowardPlusZ;
    f.targetTowardMinusX = towardMinusX(targetHeading);
    f.targetTowardPlusX = !f.targetTowardMinusX;
    f.targetTowardPlusZ = towardPlusZ(targetHeading);
    f.targetTowardMinusZ = !f.targetTowardPlusZ;
}

void Fish::stepFish() {
    updateSideFlags();
    // Swinging round at a side wall: the fish waits for its heading before it moves on.
    if (std::fabs(heading - targetHeading) > 15.0f && atSideWall(wallContact)) return;

    const double h = heading * RADIANS_PER_DEGREE;
    const double p = targetPitch * RADIANS_PER_DEGREE;
    const double dx = std::fabs(std::cos(h) * speed);
    const double dz = std::fabs(std::sin(h) * speed);
    if (headingSideFlags.headingTowardMinusX) {
        if (wallContact != WallContact::Left) position.x = static_cast<float>(position.x - dx);
    } else if (wallContact != WallContact::Right) {
        position.x = static_cast<float>(position.x + dx);
    }
    if (headingSideFlags.headingTowardPlusZ) {
        if (wallContact != WallContact::Front) position.z = static_cast<float>(position.z + dz);
    } else if (wallContact != WallContact::Back) {
        position.z = static_cast<float>(position.z - dz);
    }
    position.y = static_cast<float>(position.y + std::sin(p) * speed);

    checkBounds();
}

void Fish::checkBounds() {
    const HeadingSideFlags& f = headingSideFlags;
    wallContact = WallContact::None;
    if (position.x < bounds.xMin && f.targetTowardMinusX) {
        turnHeading(0.0f, false, TURN_REVERSE);
        position.x = bounds.xMin + 2.0f;
        wallContact = WallContact::Left;
    }
    if (position.x > bounds.xMax && f.targetTowardPlusX) {
        turnHeading(0.0f, false, TURN_REVERSE);
        position.x = bounds.xMax - 2.0f;
        wallContact = WallContact::Right;
    }
    if (position.z < bounds.back + 2.0f) approachSpeed(0.01f, 0.1f);
    if (position.z < bounds.back && f.targetTowardMinusZ) {
        turnHeading(0.0f, false, TURN_SLIDE);
        position.z = bounds.back;
        wallContact = WallContact::Back;
    }
    if (position.z > bounds.front - 2.0f) approachSpeed(0.01f, 0.1f);
    if (position.z > bounds.front && f.targetTowardPlusZ) {
        turnHeading(0.0f, true, TURN_SLIDE);
        position.z = bounds.front;
        wallContact = WallContact::Front;
    }
    // A fish whose target already points away from the back or front wall still swims into it
    // while its heading comes round (up to 90 frames): it is held on the wall meanwhile, instead of
    // passing through the back wall and vanishing behind the backdrop picture.
    position.z = std::clamp(position.z, bounds.back, bounds.front);
    if (position.y >= bounds.top) {
        turnPitch(0.0f, false, PITCH_MIRROR);
        position.y = bounds.top;
        wallContact = WallContact::Top;
        approachSpeed(0.1f, 0.05f);
    }
    if (position.y <= bounds.bottom) {
        turnPitch(0.0f, true, PITCH_MIRROR);
        position.y = bounds.bottom;
        wallContact = WallContact::Bottom;
        approachSpeed(0.1f, 0.05f);
    }
}

void Fish::updateBoxes() {
    const double s = size;
    const double hL = s * lengthFactor / 2.0;
    const double H = s * heightFactor;
    const double W = s * widthFactor;
    const double T = targetHeading * BOX_RADIANS_PER_DEGREE;
    const double P = targetPitch * BOX_RADIANS_PER_DEGREE;

    const double ex = hL * std::fabs(std::cos(T) * std::cos(P));
    const double ey = hL * std::fabs(std::sin(P));
    const double ez = hL * std::fabs(std::sin(T));
    const double ay = H / 2.0 * std::fabs(std::cos(P));
    const double az = W / 2.0 * std::fabs(std::cos(T));

    const HeadingSideFlags& f = headingSideFlags;
    const double x = position.x, y = position.y, z = position.z;
    const double sx = f.headingTowardMinusX ? -ex : ex;
    const double sy = f.pitchUp ? ey : -ey;
    const double sz = f.headingTowardMinusZ ? -ez : ez;
    noseTip = {static_cast<float>(x + sx), static_cast<float>(y + sy), static_cast<float>(z + sz)};
    tailTip = {static_cast<float>(x - sx), static_cast<float>(y - sy), static_cast<float>(z - sz)};

    const double halfY = std::max(ey, ay), halfZ = std::max(ez, az);
    bodyBox = {static_cast<float>(x + ex),    static_cast<float>(x - ex),    static_cast<float>(y + halfY),
               static_cast<float>(y - halfY), static_cast<float>(z + halfZ), static_cast<float>(z - halfZ)};
    contactBox = {static_cast<float>(bodyBox.xMax + hL),      static_cast<float>(bodyBox.xMin - hL),
                  static_cast<float>(bodyBox.yMax + H / 4.0), static_cast<float>(bodyBox.yMin - H / 4.0),
                  static_cast<float>(bodyBox.zMax + W / 4.0), static_cast<float>(bodyBox.zMin - W / 4.0)};
}

}  // namespace veltamar
