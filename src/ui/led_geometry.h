#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "ui/ui_geometry.h"

// Geometry of the seven-segment LED clock: where the six digits and two colons of hh:mm:ss sit,
// which segments each digit lights and the polygon of every segment. A digit is one unit h wide
// and two units tall; every offset inside a digit is a whole number of tenths of h, truncated to
// pixels.

namespace veltamar {

// Placement of the digit row in the window.
constexpr int LED_ALIGN_LEFT = 0;
constexpr int LED_ALIGN_CENTRE = 1;
constexpr int LED_ALIGN_RIGHT = 2;

// Gap setting that lets the clock choose its own gap (see computeLedLayout).
constexpr int LED_AUTOMATIC_GAP = -1;

// The seven segments: a top, b upper right, c lower right, d bottom, e lower left, f upper left,
// g middle.
enum LedSegment {
    SEGMENT_A,
    SEGMENT_B,
    SEGMENT_C,
    SEGMENT_D,
    SEGMENT_E,
    SEGMENT_F,
    SEGMENT_G,
    SEGMENT_COUNT
};

// Bit s is set when digit (0..9) lights segment s.
std::uint8_t litSegments(int digit);

struct LedLayout {
    int margin = 0;  // top margin m, and the margin at the left or right edge
    int unit = 0;    // digit unit h
    int gap = 0;     // pixels between the digits of a pair
    int x0 = 0;      // left edge of the first digit
};

// The top margin: a tenth of the client height.
int ledMargin(int clientHeight);

// Unit, gap and first digit edge for a client area, a margin fixed earlier by ledMargin, an
// alignment and a gap in pixels. LED_AUTOMATIC_GAP makes the gap 0.4h, so a digit pair is as wide
// as the seconds' leading-zero pair (0 at b, the value at b + 1.4h), but never so wide that the
// row of eight units and three gaps would not fit between the margins.
LedLayout computeLedLayout(int clientWidth, int clientHeight, int margin, int alignment, int gapSetting);

struct PlacedDigit {
    int x = 0;      // left edge
    int value = 0;  // 0..9
    bool operator==(const PlacedDigit&) const = default;
};

// Everything drawn for one time: the six digits (hours, minutes, seconds, tens first) and the left
// edges of the two colon cells.
struct LedTimeLayout {
    std::array<PlacedDigit, 6> digits;
    std::array<int, 2> colons{};
};

// Values outside 0..99 are shown limited to that range.
LedTimeLayout layoutTime(const LedLayout& layout, int hour, int minute, int second);

// The filled polygon of one segment of the digit whose left edge is x.
std::vector<UiPoint> segmentPolygon(LedSegment segment, int x, int margin, int unit);

// The two colon dots of the colon cell at x, as the boxes their ellipses fill.
std::array<UiRect, 2> colonDots(int x, int margin, int unit);

}  // namespace veltamar
