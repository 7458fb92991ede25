#include "fish/pick_grids.h"

#include <algorithm>

namespace veltamar {

namespace {

constexpr double COLUMN_SPACING = 0.990099;

}  // namespace

void buildPickGrids(PickColumns& columns, PickRows& rows, const TankBounds& tank) {
    // On a tank wider than the columns reach at their usual spacing, they spread out to its right
    // edge: a click on the right of a wide screen would otherwise hit no column and drop the food in
    // the middle. The strips are one unit wide, and the sweep covers the gaps between them.
    const double width = tank.sceneRight - tank.sceneLeft;
    const double spacing = std::max(COLUMN_SPACING, width / (PICK_COLUMN_COUNT - 1));
    for (int i = 0; i < PICK_COLUMN_COUNT; ++i)
        columns[i] = {static_cast<float>(tank.sceneLeft + i * spacing), 0.0f, -70.0f};
    const double dy = 0.02 * static_cast<int>(tank.sceneTop - tank.sceneBottom);
    for (int i = 0; i < PICK_ROW_COUNT; ++i)
        rows[i] = {0.0f, static_cast<float>(tank.sceneBottom + i * dy), -70.0f};
}

}  // namespace veltamar
