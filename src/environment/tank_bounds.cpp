#include "environment/tank_bounds.h"

#include <algorithm>
#include <cmath>

namespace veltamar {

namespace {

// The table's tank before widening: 21 units above and below the middle, and a half-width tuned
// on each of these screens (a 4:3 screen shows a tank 58 units wide, a wider screen a wider one).
constexpr float TABLED_HALF_HEIGHT = 21.0f;

float tabledHalfWidth(int width, int height) {
    struct Entry {
        int width, height;
        float halfWidth;
    };
    static constexpr Entry TABLE[] = {
        {800, 600, 29},  {1024, 768, 29}, {1280, 960, 29},  {1280, 1024, 29},
        {1440, 900, 35}, {1600, 900, 38}, {1680, 1050, 34},
    };
    for (const Entry& entry : TABLE)
        if (entry.width == width && entry.height == height) return entry.halfWidth;
    return -1.0f;
}

constexpr float WIDEN_SIDES = 20.0f;
constexpr float WIDEN_TOP_BOTTOM = 4.0f;

// What the fixed camera sees at the backdrop picture: the picture stands at z = -90, 83 units in
// front of the eye, and the view opens 0.4 units per unit of distance to either side of the middle
// along the screen's shorter side (more along the longer side, by the aspect ratio).
constexpr double BACKDROP_DISTANCE = 83.0;
constexpr double VIEW_HALF_SLOPE = 0.4;
// The picture spans the tank's width, and reaches 38 units below the middle on a tank that reaches
// 25 above and below it (the table's, after widening); a higher tank stretches it by as much.
constexpr double PICTURE_DEPTH_PER_HALF_HEIGHT = 38.0 / 25.0;
// The picture reaches this far past the edge of the view, so that its sway and the filtering at
// its border never show the black behind it.
constexpr double EDGE_OVERLAP = 1.0;
// Shapes more extreme than this are treated as this (the sea floor and the picking grids need a
// tank of reasonable size).
constexpr double MAX_ASPECT = 8.0;

}  // namespace

// Screens the table does not list get a tank just wide enough (and, on screens taller than wide,
// just high enough) for the backdrop picture to reach past every edge of the view, but never
// smaller than the table's 4:3 tank. So every 4:3 screen gets the 4:3 tank, every 16:10 screen the
// tank of 1440 x 900, and a 16:9 or wider screen a tank a little wider than its view.
TankBounds tankBoundsForScreen(int width, int height) {
    float halfWidth = tabledHalfWidth(width, height);
    float halfHeight = TABLED_HALF_HEIGHT;
    if (halfWidth < 0) {
        const double aspect =
            width > 0 && height > 0 ? std::clamp(static_cast<double>(width) / height, 1.0 / MAX_ASPECT, MAX_ASPECT)
                                    : 4.0 / 3.0;
        const double shortReach = VIEW_HALF_SLOPE * BACKDROP_DISTANCE;
        const double reachX = shortReach * std::max(aspect, 1.0) + EDGE_OVERLAP;
        const double reachY = shortReach * std::max(1.0 / aspect, 1.0) + EDGE_OVERLAP;
        halfWidth = std::max(29.0f, static_cast<float>(std::ceil(reachX) - WIDEN_SIDES));
        const double tankHalfHeight = std::ceil(reachY / PICTURE_DEPTH_PER_HALF_HEIGHT);
        halfHeight = std::max(TABLED_HALF_HEIGHT, static_cast<float>(tankHalfHeight - WIDEN_TOP_BOTTOM));
    }

    TankBounds bounds;
    bounds.sceneLeft = -halfWidth - WIDEN_SIDES;
    bounds.sceneRight = halfWidth + WIDEN_SIDES;
    bounds.sceneTop = halfHeight + WIDEN_TOP_BOTTOM;
    bounds.sceneBottom = -halfHeight - WIDEN_TOP_BOTTOM;
    bounds.sceneBack = -50.0f;
    bounds.sceneSpare = 0.0f;
    return bounds;
}

}  // namespace veltamar
