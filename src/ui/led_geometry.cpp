#include "ui/led_geometry.h"

#include <algorithm>

namespace veltamar {

namespace {

// Tenths of a unit, truncated to whole pixels.
int tenths(int count, int unit) {
    return count * unit / 10;
}

struct TenthPoint {
    int x, y;
};

// Segment outlines in tenths of the unit, from the digit's left edge and the top margin. The
// vertical bars end in points toward the middle bar and are mitred against the top and bottom
// bars at their outer ends.
const std::vector<TenthPoint>& segmentOutline(LedSegment segment) {
    static const std::array<std::vector<TenthPoint>, SEGMENT_COUNT> outlines{{
        {{1, 0}, {9, 0}, {7, 2}, {3, 2}},                      // a
        {{10, 1}, {10, 8}, {9, 9}, {8, 8}, {8, 3}},            // b
        {{9, 11}, {10, 12}, {10, 19}, {8, 17}, {8, 12}},       // c
        {{3, 17}, {7, 17}, {9, 19}, {1, 19}},                  // d
        {{1, 11}, {2, 12}, {2, 17}, {0, 19}, {0, 12}},         // e
        {{0, 1}, {2, 3}, {2, 8}, {1, 9}, {0, 8}},              // f
        {{2, 10}, {3, 9}, {7, 9}, {8, 10}, {7, 11}, {3, 11}},  // g
    }};
    return outlines[segment];
}

// The two digits of a minute or second value placed from the pair's left edge: the tens and the
// units one gap and one unit further; values 10 to 19 move both digits two gaps to the left.
void placePair(int value, int left, const LedLayout& layout, PlacedDigit* out) {
    const int h = layout.unit;
    const int gap = layout.gap;
    if (value >= 10 && value <= 19) {
        out[0] = {left - 2 * gap, 1};
        out[1] = {left + h - gap, value % 10};
    } else {
        out[0] = {left, value / 10};
        out[1] = {left + gap + h, value % 10};
    }
}

}  // namespace

std::uint8_t litSegments(int digit) {
    //                                        gfedcba
    static constexpr std::array<std::uint8_t, 10> table{
        0b0111111,  // 0: a b c d e f
        0b0000110,  // 1: b c
        0b1011011,  // 2: a b d e g
        0b1001111,  // 3: a b c d g
        0b1100110,  // 4: b c f g
        0b1101101,  // 5: a c d f g
        0b1111101,  // 6: a c d e f g
        0b0000111,  // 7: a b c
        0b1111111,  // 8: all
        0b1101111,  // 9: a b c d f g
    };
    return digit >= 0 && digit <= 9 ? table[digit] : 0;
}

int ledMargin(int clientHeight) {
    return std::max(0, clientHeight / 10);
}

LedLayout computeLedLayout(int clientWidth, int clientHeight, int margin, int alignment, int gapSetting) {
    LedLayout layout;
    layout.margin = margin;
    layout.unit = std::max(0, (clientHeight - 2 * margin) / 2);
    const int h = layout.unit;
    if (gapSetting >= 0) {
        layout.gap = gapSetting;
    } else {
        layout.gap = tenths(4, h);
        const int room = clientWidth - 8 * h - 2 * margin;
        if (8 * h + 3 * layout.gap + 2 * margin > clientWidth) layout.gap = std::max(0, room / 3);
    }
    const int rowWidth = 8 * h + 3 * layout.gap;
    switch (alignment) {
        case LED_ALIGN_LEFT:
            layout.x0 = margin;
            break;
        case LED_ALIGN_RIGHT:
            layout.x0 = clientWidth - rowWidth - margin;
            break;
        default:
            layout.x0 = (clientWidth - rowWidth) / 2;
            break;
    }
    return layout;
}

LedTimeLayout layoutTime(const LedLayout& layout, int hour, int minute, int second) {
    hour = std::clamp(hour, 0, 99);
    minute = std::clamp(minute, 0, 99);
    second = std::clamp(second, 0, 99);
    const int h = layout.unit;
    const int gap = layout.gap;
    LedTimeLayout result;

    const int x = layout.x0;
    result.digits[0] = {x, hour / 10};
    result.digits[1] = {x + gap + h, hour % 10};
    result.colons[0] = x + gap + 2 * h;

    const int a = layout.x0 + 3 * h + gap;
    placePair(minute, a, layout, &result.digits[2]);
    result.colons[1] = a + gap + 2 * h;

    const int b = layout.x0 + 6 * h + 2 * gap;
    if (second <= 9) {
        result.digits[4] = {b, 0};
        result.digits[5] = {b + tenths(14, h), second};
    } else {
        placePair(second, b, layout, &result.digits[4]);
    }
    return result;
}

std::vector<UiPoint> segmentPolygon(LedSegment segment, int x, int margin, int unit) {
    std::vector<UiPoint> points;
    for (const TenthPoint& p : segmentOutline(segment))
        points.push_back({x + tenths(p.x, unit), margin + tenths(p.y, unit)});
    return points;
}

std::array<UiRect, 2> colonDots(int x, int margin, int unit) {
    const int left = x + tenths(3, unit);
    const int top = margin + tenths(4, unit);
    const int width = tenths(6, unit) - tenths(3, unit);
    const int height = tenths(7, unit) - tenths(4, unit);
    const UiRect upper{left, top, width, height};
    UiRect lower = upper;
    lower.y += margin + tenths(8, unit);
    return {upper, lower};
}

}  // namespace veltamar
