#include "ui/inverted_oval.h"

#include <algorithm>
#include <cstddef>

namespace veltamar {

bool insideOval(UiRect box, int x, int y) {
    if (box.width <= 0 || box.height <= 0) return false;
    const double rx = box.width / 2.0, ry = box.height / 2.0;
    const double dx = (x + 0.5 - (box.x + rx)) / rx, dy = (y + 0.5 - (box.y + ry)) / ry;
    return dx * dx + dy * dy <= 1.0;
}

void invertOval(std::uint8_t* rgb, int width, int height, UiRect box) {
    const int top = std::max(box.y, 0), bottom = std::min(box.bottom(), height);
    const int left = std::max(box.x, 0), right = std::min(box.right(), width);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            if (!insideOval(box, x, y)) continue;
            std::uint8_t* pixel = rgb + (static_cast<std::size_t>(y) * width + x) * 3;
            for (int c = 0; c < 3; ++c) pixel[c] = static_cast<std::uint8_t>(255 - pixel[c]);
        }
}

}  // namespace veltamar
