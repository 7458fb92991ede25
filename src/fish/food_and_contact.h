#pragma once

#include <span>

#include "environment/food_pellet.h"
#include "fish/fish_population.h"

// Besides walls and wandering, two things steer a fish: food near its nose, and other fish it
// bumps into. Both act only through the fish's targets (turnHeading, turnPitch, approachSpeed).

namespace veltamar {

// Turns the fish toward food near its nose and slows it close to the food; only with the feed tool
// chosen. nearFood tells, for this frame, whether food was within reach.
void seekFood(Fish& fish, std::span<FoodPellet> pellets, bool feedToolChosen);

// Draws food near the mouth toward it and eats food that reaches it; with every tool.
void pullFood(Fish& fish, std::span<FoodPellet> pellets);

// Nudges fish i apart from every other shown fish whose contact box overlaps its own: apart in
// height, away from a fish crossing it, the smaller one about when they meet head-on, and speeds
// sorted when one swims behind the other.
void avoidFish(FishTable& fish, int i, int shownCount);

// The acute angle in degrees (0..90) between two lines given by their slopes, with the guards
// against vertical lines and perpendicular ones.
double acuteAngleBetween(double slope1, double slope2);

// Slope dz/dx (or dy/dx) of a line; a run of at most 0.0001 gives the rise times 10000.
double guardedSlope(double rise, double run);

// The bearing of food from a fish: the acute angle in the horizontal x-z plane between the fish's
// axis (position to nose) and the line from its position to the food.
double foodBearing(const Fish& fish, const Point3& food);

// The climb (positive) or dive from a fish's nose to food, in whole degrees. A fish pointing at food
// steers its target pitch to it. (Working it out from the food's place alone, whatever the fish,
// made fish aimed straight at food climb away from it and miss it.)
int pitchTowardFood(const Point3& nose, const Point3& food);

}  // namespace veltamar
