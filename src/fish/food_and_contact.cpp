#include "fish/food_and_contact.h"

#include <algorithm>
#include <cmath>

namespace veltamar {

namespace {

constexpr double GUARD = 0.0001;
constexpr double DEGREES_PER_RADIAN = 180.0 / 3.14159265358979323846;

bool foodAheadAlongX(const Fish& fish, const Point3& nose, const Point3& food) {
    return (fish.headingSideFlags.headingTowardMinusX && nose.x > food.x) ||
           (fish.headingSideFlags.headingTowardPlusX && nose.x < food.x);
}

bool foodBehindAlongX(const Fish& fish, const Point3& nose, const Point3& food) {
    return (fish.headingSideFlags.headingTowardMinusX && nose.x < food.x) ||
           (fish.headingSideFlags.headingTowardPlusX && nose.x > food.x);
}

Point3 worldPositionOf(const FoodPellet& pellet) {
    return {pellet.worldPosition[0], pellet.worldPosition[1], pellet.worldPosition[2]};
}

// The angle between two fishes' axes in one plane: `rise` picks y (vertical) or z (horizontal).
double axisAngle(const Fish& a, const Fish& b, float Point3::*rise) {
    const double slopeA = guardedSlope(a.noseTip.*rise - a.position.*rise, a.noseTip.x - a.position.x);
    const double slopeB = guardedSlope(b.noseTip.*rise - b.position.*rise, b.noseTip.x - b.position.x);
    return acuteAngleBetween(slopeA, slopeB);
}

bool oppositeAlongX(const Fish& a, const Fish& b) {
    return (a.headingSideFlags.targetTowardMinusX && b.headingSideFlags.targetTowardPlusX) ||
           (a.headingSideFlags.targetTowardPlusX && b.headingSideFlags.targetTowardMinusX);
}

bool behind(const Fish& a, const Fish& b) {
    return (a.headingSideFlags.targetTowardMinusX && a.position.x > b.position.x) ||
           (a.headingSideFlags.targetTowardPlusX && a.position.x < b.position.x);
}

}  // namespace

double guardedSlope(double rise, double run) { return std::fabs(run) <= GUARD ? rise * 10000.0 : rise / run; }

double acuteAngleBetween(double slope1, double slope2) {
    const double denominator = 1.0 + slope1 * slope2;
    const double q = std::fabs(denominator) <= GUARD ? std::fabs((slope2 - slope1) * 10000.0)
                                                      : std::fabs((slope2 - slope1) / denominator);
    return std::atan(q) * DEGREES_PER_RADIAN;
}

double foodBearing(const Fish& fish, const Point3& food) {
    const Point3& p = fish.position;
    const double axis = guardedSlope(fish.noseTip.z - p.z, fish.noseTip.x - p.x);
    const double toFood = guardedSlope(p.z - food.z, p.x - food.x);
    return acuteAngleBetween(axis, toFood);
}

int pitchTowardFood(const Point3& nose, const Point3& food) {
    const double across = std::hypot(food.x - nose.x, food.z - nose.z);
    return static_cast<int>(std::trunc(std::atan2(food.y - nose.y, across) * DEGREES_PER_RADIAN));
}

void seekFood(Fish& fish, std::span<FoodPellet> pellets, bool feedToolChosen) {
    // Food near the nose counts for one frame only, whichever tool is chosen: a fish must not keep
    // believing it is near food (and so never wander) after the feed tool is put away.
    fish.nearFood = false;
    if (!feedToolChosen) return;

    const Point3& nose = fish.noseTip;
    for (const FoodPellet& pellet : pellets) {
        if (!pellet.active) continue;
        const Point3 food = worldPositionOf(pellet);
        const float dx = std::fabs(nose.x - food.x), dy = std::fabs(nose.y - food.y);
        if (dx < 10.0f && dy < 10.0f) {
            fish.nearFood = true;
            fish.approachSpeed(0.1f, 0.1f);
            const double bearing = foodBearing(fish, food);
            if (bearing < 1.0) {
                // Pointing at the food: the target pitch becomes the climb or dive from the nose
                // to the food, in whole degrees.
                // A pitch change is refused when its mirror image would pass +-90, so from a steep
                // pitch a change larger than 90 - |pitch| is taken in two frames instead of never.
                const auto wanted = static_cast<float>(pitchTowardFood(nose, food));
                const float change = std::fabs(wanted - fish.targetPitch);
                const float allowed = 90.0f - std::fabs(fish.targetPitch);
                fish.turnPitch(std::min(change, allowed), wanted >= fish.targetPitch, PITCH_BY);
            } else if (foodAheadAlongX(fish, nose, food)) {
                fish.turnHeading(static_cast<float>(bearing), nose.z > food.z, TURN_BY);
            } else if (foodBehindAlongX(fish, nose, food)) {
                fish.turnHeading(static_cast<float>(180.0 - bearing), true, TURN_BY);
            }
        }
        if (dx < 3.0f && dy < 3.0f) fish.approachSpeed(0.1f, 0.05f);
    }
}

void pullFood(Fish& fish, std::span<FoodPellet> pellets) {
    for (FoodPellet& pellet : pellets) {
        if (!pellet.active) continue;
        const float dx = fish.noseTip.x - pellet.worldPosition[0];
        const float dy = fish.noseTip.y - pellet.worldPosition[1];
        const float dz = fish.noseTip.z - pellet.worldPosition[2];
        if (std::fabs(dx) < 5.0f && std::fabs(dy) < 5.0f && std::fabs(dz) < 15.0f) {
            nudgeFoodPellet(pellet, dx * 0.005f, dy * 0.005f, 0.0f);
            if (std::fabs(dx) < 2.0f && std::fabs(dy) < 2.0f && std::fabs(dz) < 5.0f && pellet.alive > 0.0f)
                eatFoodPellet(pellet);
        }
    }
}

void avoidFish(FishTable& table, int i, int shownCount) {
    Fish& a = table[i];
    for (int j = 0; j < shownCount; ++j) {
        if (j == i) continue;
        Fish& b = table[j];
        a.inContact = false;
        if (!a.contactBox.overlaps(b.contactBox)) continue;
        a.inContact = b.inContact = true;

        const double vertical = axisAngle(a, b, &Point3::y);
        const double horizontal = axisAngle(a, b, &Point3::z);

        const bool aHigher = a.position.y > b.position.y;
        a.turnPitch(0.0f, aHigher, PITCH_NUDGE);
        b.turnPitch(0.0f, !aHigher, PITCH_NUDGE);

        if (vertical > 50.0 || horizontal > 50.0) {
            const bool aNearer = a.position.z > b.position.z;
            a.turnHeading(0.0f, aNearer, TURN_NUDGE);
            b.turnHeading(0.0f, !aNearer, TURN_NUDGE);
        } else if (oppositeAlongX(a, b)) {
            (a.size < b.size ? a : b).turnHeading(0.0f, true, TURN_ABOUT);
        } else if (behind(a, b)) {
            b.approachSpeed(0.1f, a.speed + 0.1f);
            a.approachSpeed(0.1f, b.speed - 0.1f);
        } else {
            a.approachSpeed(0.1f, b.speed + 0.1f);
            b.approachSpeed(0.1f, a.speed - 0.1f);
        }
    }
}

}  // namespace veltamar
