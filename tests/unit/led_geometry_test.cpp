#include <gtest/gtest.h>

#include <bitset>

#include "ui/led_geometry.h"

using namespace veltamar;

namespace {

// A 200 x 50 clock: margin 5, unit 20, automatic gap 8.
LedLayout standardLayout(int alignment = LED_ALIGN_CENTRE) {
    return computeLedLayout(200, 50, ledMargin(50), alignment, LED_AUTOMATIC_GAP);
}

bool insidePolygon(const std::vector<UiPoint>& polygon, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const UiPoint a = polygon[j], b = polygon[i];
        if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / double(b.y - a.y)) inside = !inside;
    }
    return inside;
}

}  // namespace

TEST(LedLayout, MarginUnitGapAndTheThreeAlignments) {
    const LedLayout centred = standardLayout();
    EXPECT_EQ(centred.margin, 5);
    EXPECT_EQ(centred.unit, 20);
    EXPECT_EQ(centred.gap, 8);
    EXPECT_EQ(centred.x0, (200 - 160 - 24) / 2);
    EXPECT_EQ(standardLayout(LED_ALIGN_LEFT).x0, 5);
    EXPECT_EQ(standardLayout(LED_ALIGN_RIGHT).x0, 200 - 160 - 24 - 5);

    const LedLayout explicitGap = computeLedLayout(200, 50, 5, LED_ALIGN_LEFT, 3);
    EXPECT_EQ(explicitGap.gap, 3);
    EXPECT_EQ(computeLedLayout(200, 50, 5, LED_ALIGN_RIGHT, 3).x0, 200 - 160 - 9 - 5);

    // Too short for 0.4h gaps: the automatic gap shrinks so the row still fits between margins.
    const LedLayout narrow = computeLedLayout(180, 50, 5, LED_ALIGN_LEFT, LED_AUTOMATIC_GAP);
    EXPECT_EQ(narrow.gap, (180 - 160 - 10) / 3);
    EXPECT_LE(narrow.x0 + 8 * narrow.unit + 3 * narrow.gap, 180 - 5);
    EXPECT_EQ(computeLedLayout(150, 45, 4, LED_ALIGN_LEFT, LED_AUTOMATIC_GAP).gap, 0);

    EXPECT_EQ(ledMargin(49), 4) << "a tenth of the height, truncated";
    EXPECT_EQ(computeLedLayout(100, 49, 4, LED_ALIGN_LEFT, 0).unit, 20) << "(49 - 8) / 2";
}

TEST(LedLayout, LeadingZerosAndPositionsOf090507) {
    const LedLayout l = standardLayout();
    const int h = l.unit, g = l.gap, x = l.x0;
    const LedTimeLayout t = layoutTime(l, 9, 5, 7);
    const int a = x + 3 * h + g, b = x + 6 * h + 2 * g;
    const std::array<PlacedDigit, 6> expected{
        {{x, 0}, {x + g + h, 9}, {a, 0}, {a + g + h, 5}, {b, 0}, {b + 28, 7}}};
    EXPECT_EQ(t.digits, expected);
    EXPECT_EQ(t.colons[0], x + g + 2 * h);
    EXPECT_EQ(t.colons[1], a + g + 2 * h);
}

TEST(LedLayout, TeensMoveTheMinuteAndSecondPairsTwoGapsLeft) {
    const LedLayout l = standardLayout();
    const LedTimeLayout teens = layoutTime(l, 12, 15, 18);
    const LedTimeLayout twenties = layoutTime(l, 12, 25, 28);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(teens.digits[i], twenties.digits[i]) << "hours do not move";
    for (int i = 2; i < 6; ++i) EXPECT_EQ(teens.digits[i].x, twenties.digits[i].x - 2 * l.gap) << i;
    EXPECT_EQ(teens.colons, twenties.colons);
    EXPECT_EQ(teens.digits[2].value, 1);
    EXPECT_EQ(teens.digits[3].value, 5);
    EXPECT_EQ(teens.digits[5].value, 8);

    // 10 and 19 are the edges of the shifted range; 9 and 20 are not shifted.
    const int a = l.x0 + 3 * l.unit + l.gap;
    EXPECT_EQ(layoutTime(l, 0, 10, 0).digits[2].x, a - 2 * l.gap);
    EXPECT_EQ(layoutTime(l, 0, 19, 0).digits[3].x, a + l.unit - l.gap);
    EXPECT_EQ(layoutTime(l, 0, 9, 0).digits[2].x, a);
    EXPECT_EQ(layoutTime(l, 0, 20, 0).digits[3].x, a + l.gap + l.unit);
}

TEST(LedLayout, SecondsBelowTenUseOnePointFourUnitsTruncated) {
    // 1.4 x 45 is 63; multiplied in floating point it comes out just below and would truncate to 62.
    const LedLayout l45 = computeLedLayout(600, 112, ledMargin(112), LED_ALIGN_LEFT, 2);
    ASSERT_EQ(l45.unit, 45);
    const LedTimeLayout t = layoutTime(l45, 0, 0, 3);
    EXPECT_EQ(t.digits[5].x - t.digits[4].x, 63);
    EXPECT_EQ(t.digits[4].x, l45.x0 + 6 * 45 + 2 * 2);
    const LedLayout l16 = computeLedLayout(300, 40, 4, LED_ALIGN_LEFT, 2);
    ASSERT_EQ(l16.unit, 16);
    EXPECT_EQ(layoutTime(l16, 0, 0, 9).digits[5].x - layoutTime(l16, 0, 0, 9).digits[4].x, 22);
}

TEST(LedLayout, ValuesOutsideTwoDigitsAreLimited) {
    const LedTimeLayout t = layoutTime(standardLayout(), -3, 140, 99);
    EXPECT_EQ(t.digits[0].value, 0);
    EXPECT_EQ(t.digits[1].value, 0);
    EXPECT_EQ(t.digits[2].value, 9);
    EXPECT_EQ(t.digits[3].value, 9);
}

TEST(LedSegments, SevenSegmentTable) {
    const std::array<const char*, 10> expected{"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                               "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    for (int digit = 0; digit <= 9; ++digit) {
        std::string lit;
        for (int s = 0; s < SEGMENT_COUNT; ++s)
            if (litSegments(digit) & (1 << s)) lit += static_cast<char>('a' + s);
        EXPECT_EQ(lit, expected[digit]) << digit;
    }
    EXPECT_EQ(litSegments(10), 0);
}

TEST(LedSegments, PolygonsStayInTheirCellAndNeverOverlap) {
    for (int h : {8, 15, 20, 37}) {
        const int x = 11, m = 3;
        std::vector<int> owners(static_cast<std::size_t>(h) * 2 * h, 0);
        for (int s = 0; s < SEGMENT_COUNT; ++s) {
            const auto polygon = segmentPolygon(static_cast<LedSegment>(s), x, m, h);
            for (const UiPoint& p : polygon) {
                EXPECT_GE(p.x, x);
                EXPECT_LE(p.x, x + h);
                EXPECT_GE(p.y, m);
                EXPECT_LE(p.y, m + 2 * h);
            }
            for (int py = 0; py < 2 * h; ++py)
                for (int px = 0; px < h; ++px)
                    if (insidePolygon(polygon, x + px + 0.5, m + py + 0.5)) ++owners[py * h + px];
        }
        for (int count : owners) ASSERT_LE(count, 1) << "segments overlap at unit " << h;
    }

    // The top bar is exactly the trapezoid of the drawing rule; the middle bar spans .2h to .8h.
    const auto top = segmentPolygon(SEGMENT_A, 100, 5, 20);
    EXPECT_EQ(top, (std::vector<UiPoint>{{102, 5}, {118, 5}, {114, 9}, {106, 9}}));
    const auto middle = segmentPolygon(SEGMENT_G, 100, 5, 20);
    int left = 1000, right = 0, highest = 1000, lowest = 0;
    for (const UiPoint& p : middle) {
        left = std::min(left, p.x), right = std::max(right, p.x);
        highest = std::min(highest, p.y), lowest = std::max(lowest, p.y);
    }
    EXPECT_EQ(middle.size(), 6u);
    EXPECT_EQ(left, 104);
    EXPECT_EQ(right, 116);
    EXPECT_EQ(highest, 5 + 18);
    EXPECT_EQ(lowest, 5 + 22);
    EXPECT_EQ(segmentPolygon(SEGMENT_F, 100, 5, 20).size(), 5u) << "vertical bars are pentagons";
}

TEST(LedSegments, ColonDotsAreTheTwoBoxesOfTheRule) {
    const auto dots = colonDots(50, 5, 20);
    EXPECT_EQ(dots[0], (UiRect{56, 13, 6, 6}));
    EXPECT_EQ(dots[1], (UiRect{56, 13 + 5 + 16, 6, 6})) << "moved down by m + 0.8h";
}
