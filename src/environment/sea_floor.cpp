#include "environment/sea_floor.h"

#include <algorithm>
#include <cmath>

#include "platform/message_box.h"

namespace veltamar {

namespace {

SeaFloorVertex seaFloorStorage[SEA_FLOOR_SIDE * SEA_FLOOR_SIDE];

}  // namespace

SeaFloorExtent seaFloorFillExtent(int widthCount, int depthCount) {
    return {std::clamp(widthCount, 0, SEA_FLOOR_SIDE), std::clamp(depthCount - 1, 0, SEA_FLOOR_SIDE)};
}

void buildSeaFloor(SeaFloorGrid& grid, int widthCount, int depthCount, int heightFactor) {
    grid.widthCount = widthCount;
    grid.depthCount = depthCount;
    grid.heightFactor = heightFactor;
    grid.scale =
        depthCount != 0 ? 2.0f * static_cast<float>(heightFactor) / static_cast<float>(depthCount) : 0.0f;

    if (static_cast<long long>(widthCount) * depthCount > SEA_FLOOR_CAPACITY) showMessage("MAP SIZE ERROR");

    // The last row of entries (j = D - 1) stays unfilled.
    const SeaFloorExtent extent = seaFloorFillExtent(widthCount, depthCount);
    const int halfWidth = widthCount / 2;
    for (int i = 0; i < extent.rows; ++i) {
        for (int j = 0; j < extent.entries; ++j) {
            SeaFloorVertex& p = seaFloorStorage[i * SEA_FLOOR_SIDE + j];
            p.x = static_cast<float>(i - halfWidth);
            const float angle = static_cast<float>(i + j) * 0.1f;
            p.y = static_cast<float>(std::cos(double{angle}) *
                                     (static_cast<float>(depthCount - j) * grid.scale));
            p.z = static_cast<float>(j - depthCount);
        }
    }
}

SeaFloorVertex seaFloorPoint(int i, int j) {
    if (i < 0 || j < 0 || i >= SEA_FLOOR_SIDE || j >= SEA_FLOOR_SIDE) return {};
    return seaFloorStorage[i * SEA_FLOOR_SIDE + j];
}

}  // namespace veltamar
