#pragma once

// Pixel points and rectangles of the dialogs' controls, free of any window library so that the
// layout rules can be checked without a display.

namespace veltamar {

struct UiPoint {
    int x = 0;
    int y = 0;
    bool operator==(const UiPoint&) const = default;
};

struct UiSize {
    int width = 0;
    int height = 0;
    bool operator==(const UiSize&) const = default;
};

// A rectangle given by its top-left corner and size; right() and bottom() are exclusive.
struct UiRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool contains(UiPoint p) const { return p.x >= x && p.x < right() && p.y >= y && p.y < bottom(); }
    bool operator==(const UiRect&) const = default;
};

// Horizontal placement of a line of text within its box.
enum class TextAlign { Left, Centre, Right };

}  // namespace veltamar
