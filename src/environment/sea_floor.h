#pragma once

// The sea floor: a regular grid of points whose heights follow a cosine ripple that flattens
// toward the back of the tank. It is not drawn; the bubble emitters stand on it.

namespace veltamar {

struct SeaFloorVertex {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

// The build's arguments and the height scale. The points themselves live in one static table of
// SEA_FLOOR_SIDE x SEA_FLOOR_SIDE points for the whole process.
struct SeaFloorGrid {
    int widthCount = 0;
    int depthCount = 0;
    int heightFactor = 0;
    float scale = 0.0f;
};

constexpr int SEA_FLOOR_SIDE = 1000;
constexpr long long SEA_FLOOR_CAPACITY = static_cast<long long>(SEA_FLOOR_SIDE) * SEA_FLOOR_SIDE;

// How much of a build of width W and depth D is filled: rows i < rows and entries j < entries. A
// build asks for W rows of D - 1 entries; whatever would not fit the table is left out.
struct SeaFloorExtent {
    int rows = 0;
    int entries = 0;
};
SeaFloorExtent seaFloorFillExtent(int widthCount, int depthCount);

// Fills the grid for a tank widthCount wide and depthCount deep with heights scaled by
// heightFactor. A size beyond the table's capacity shows "MAP SIZE ERROR" and fills what fits.
void buildSeaFloor(SeaFloorGrid& grid, int widthCount, int depthCount, int heightFactor);

// The stored point (i, j): row i, entry j. Indexes outside the table give the origin.
SeaFloorVertex seaFloorPoint(int i, int j);

}  // namespace veltamar
