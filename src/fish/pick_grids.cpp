#include "fish/pick_grids.h"

namespace veltamar {

void buildPickGrids(PickColumns& columns, PickRows& rows, const TankBounds& tank) {
    for (int i = 0; i < PICK_COLUMN_COUNT; ++i)
        columns[i] = {static_cast<float>(tank.sceneLeft + i * 0.990099), 0.0f, -70.0f};
    const double dy = 0.02 * static_cast<int>(tank.sceneTop - tank.sceneBottom);
    for (int i = 0; i < PICK_ROW_COUNT; ++i)
        rows[i] = {0.0f, static_cast<float>(tank.sceneBottom + i * dy), -70.0f};
}

}  // namespace veltamar
