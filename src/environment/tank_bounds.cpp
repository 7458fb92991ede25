#include "environment/tank_bounds.h"

#include <cmath>

namespace veltamar {

namespace {

// Half-width of the tank before widening. The aquarium was tuned on these screens; a 4:3 screen
// shows a tank 58 units wide, a wider screen a wider one.
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

// Screens the table does not list get a tank that grows with the aspect ratio the way the table's
// wide screens do: 29 units up to 4:3 (narrower and portrait screens included, whose frustum only
// grows in height), and beyond that 29 scaled by aspect / (4/3), truncated. This reproduces the
// table's 1600 x 900 (38) and 1680 x 1050 (34).
float halfWidthFromAspect(int width, int height) {
    const double aspect = height > 0 ? static_cast<double>(width) / height : 4.0 / 3.0;
    if (aspect <= 4.0 / 3.0) return 29.0f;
    return static_cast<float>(std::floor(29.0 * aspect * 0.75));
}

}  // namespace

TankBounds tankBoundsForScreen(int width, int height) {
    float halfWidth = tabledHalfWidth(width, height);
    if (halfWidth < 0) halfWidth = halfWidthFromAspect(width, height);

    TankBounds bounds;
    bounds.sceneLeft = -halfWidth - 20.0f;
    bounds.sceneRight = halfWidth + 20.0f;
    bounds.sceneTop = 21.0f + 4.0f;
    bounds.sceneBottom = -21.0f - 4.0f;
    bounds.sceneBack = -50.0f;
    bounds.sceneSpare = 0.0f;
    return bounds;
}

}  // namespace veltamar
