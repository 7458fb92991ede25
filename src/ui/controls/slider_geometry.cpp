#include "ui/controls/slider_geometry.h"

#include <algorithm>
#include <cmath>

namespace veltamar {

SliderGeometry::SliderGeometry(int width, int height, bool vertical, bool marksTopLeft)
    : width(std::max(0, width)),
      height(std::max(0, height)),
      vertical(vertical),
      marksTopLeft(marksTopLeft),
      alongSize(vertical ? this->height : this->width),
      acrossSize(vertical ? this->width : this->height) {
    start = END_ROOM + 1 + THUMB_ALONG / 2;
    end = std::max(start, alongSize - 2 - END_ROOM - THUMB_ALONG / 2);
}

int SliderGeometry::pixelForValue(int value, int minimum, int maximum) const {
    if (maximum <= minimum) return start;
    value = std::clamp(value, minimum, maximum);
    const double fraction = (static_cast<double>(value) - minimum) / (static_cast<double>(maximum) - minimum);
    return start + static_cast<int>(std::lround(fraction * (end - start)));
}

int SliderGeometry::valueForPixel(int pixel, int minimum, int maximum) const {
    if (maximum <= minimum || end <= start) return minimum;
    pixel = std::clamp(pixel, start, end);
    const double fraction = static_cast<double>(pixel - start) / (end - start);
    const double value = minimum + fraction * (static_cast<double>(maximum) - minimum);
    return static_cast<int>(std::clamp<long long>(std::llround(value), minimum, maximum));
}

UiRect SliderGeometry::oriented(int alongPos, int acrossPos, int alongLength, int acrossLength) const {
    return vertical ? UiRect{acrossPos, alongPos, acrossLength, alongLength}
                    : UiRect{alongPos, acrossPos, alongLength, acrossLength};
}

UiRect SliderGeometry::thumbRect(int centre) const {
    const int breadth = std::clamp(acrossSize - 4, 1, THUMB_ACROSS_MAX);
    return oriented(centre - THUMB_ALONG / 2, (acrossSize - breadth) / 2, THUMB_ALONG, breadth);
}

UiRect SliderGeometry::channelRect() const {
    const int thickness = std::min(CHANNEL_THICKNESS, acrossSize);
    return oriented(start - 2, (acrossSize - thickness) / 2, end - start + 5, thickness);
}

// The circles keep one pixel from the window's edges, so their outline is never cut off.
UiRect SliderGeometry::startCircle() const {
    const int across = marksTopLeft ? 1 : acrossSize - END_CIRCLE - 1;
    return oriented(1, std::max(0, across), END_CIRCLE, END_CIRCLE);
}

UiRect SliderGeometry::endCircle() const {
    const int across = marksTopLeft ? 1 : acrossSize - END_CIRCLE - 1;
    return oriented(std::max(0, alongSize - END_CIRCLE - 1), std::max(0, across), END_CIRCLE, END_CIRCLE);
}

}  // namespace veltamar
