#pragma once

#include <array>

#include "environment/tank_bounds.h"
#include "fish/point3.h"

// The two sets of thin invisible strips that the mouse picks against to find a world point on the
// plane z = -70: 101 vertical strips across the tank (pickColumns) and 51 horizontal ones up it
// (pickRows). Each point is where its strip stands.

namespace veltamar {

constexpr int PICK_COLUMN_COUNT = 101;
constexpr int PICK_ROW_COUNT = 51;

using PickColumns = std::array<Point3, PICK_COLUMN_COUNT>;
using PickRows = std::array<Point3, PICK_ROW_COUNT>;

// Start positions: columns from sceneLeft rightward 0.990099 apart (farther apart on a tank wider
// than 99 units, so that they reach sceneRight), rows from sceneBottom upward, 1/50 of the tank's
// whole-unit height apart; all at z = -70.
void buildPickGrids(PickColumns& columns, PickRows& rows, const TankBounds& tank);

}  // namespace veltamar
