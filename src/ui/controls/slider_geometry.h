#pragma once

#include "ui/ui_geometry.h"

// Where the parts of a colour slider sit in its window and how a value maps to the thumb's
// position. Along the axis (x for a horizontal slider, y for a vertical one, minimum at the left
// or top) the thumb's centre travels between trackStart() and trackEnd(), leaving room at both
// ends for the two end circles. Across the axis the channel and thumb are centred; the end
// circles sit at the marks side (bottom or right, or top or left with the top/left style).

namespace veltamar {

class SliderGeometry {
  public:
    static constexpr int THUMB_ALONG = 11;           // thumb length along the axis
    static constexpr int THUMB_ACROSS_MAX = 21;      // thumb breadth across the axis, at most
    static constexpr int CHANNEL_THICKNESS = 6;      // sunken edge, coloured frame and centre line
    static constexpr int END_CIRCLE = 7;             // diameter of the end circles
    static constexpr int END_ROOM = END_CIRCLE + 2;  // along-axis room kept for an end circle

    SliderGeometry(int width, int height, bool vertical, bool marksTopLeft);

    int trackStart() const { return start; }
    int trackEnd() const { return end; }

    // Along-axis pixel of the thumb's centre for a value of the range (values outside it are
    // limited to it).
    int pixelForValue(int value, int minimum, int maximum) const;
    // The value whose thumb centre is nearest to an along-axis pixel.
    int valueForPixel(int pixel, int minimum, int maximum) const;

    // The along-axis coordinate of a point in the window.
    int along(UiPoint p) const { return vertical ? p.y : p.x; }

    UiRect thumbRect(int centre) const;
    UiRect channelRect() const;
    // The circle at the minimum end and the one at the maximum end.
    UiRect startCircle() const;
    UiRect endCircle() const;

  private:
    UiRect oriented(int alongPos, int acrossPos, int alongSize, int acrossSize) const;

    int width;
    int height;
    bool vertical;
    bool marksTopLeft;
    int alongSize;
    int acrossSize;
    int start;
    int end;
};

}  // namespace veltamar
