#include "scene_pixels.h"

#include <cstdlib>

namespace veltamar::e2e {

bool pelletColour(const std::array<int, 3>& c) {
    return std::abs(c[0] - 243) <= 6 && std::abs(c[1] - 225) <= 6 && std::abs(c[2] - 159) <= 6;
}

int newPelletPixels(const Screenshot& before, const Screenshot& after, const Box& box) {
    int count = 0;
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x)
            if (pelletColour(after.at(x, y)) && !pelletColour(before.at(x, y))) ++count;
    return count;
}

int darkPixels(const Screenshot& shot, const Box& box) {
    int count = 0;
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x) {
            const auto [r, g, b] = shot.at(x, y);
            if (r < 50 && g < 50 && b < 60) ++count;
        }
    return count;
}

}  // namespace veltamar::e2e
