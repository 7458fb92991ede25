#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <optional>

#include <wx/panel.h>
#include "platform/product_info.h"

#include "test_frame.h"
#include "ui/clock_window.h"
#include "ui/led_clock.h"
#include "ui/wx_color.h"

using namespace veltamar;
using namespace veltamar::uitest;

namespace {

// The middle of each segment in tenths of the unit (a b c d e f g).
constexpr int SEGMENT_CENTRES[SEGMENT_COUNT][2] = {{5, 1},  {9, 5}, {9, 15}, {5, 18},
                                                   {1, 15}, {1, 5}, {5, 10}};

struct Picture {
    explicit Picture(const LedClock& clock) : image(clock.picture().ConvertToImage()) {}
    wxColour at(int x, int y) const {
        return {image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)};
    }
    wxImage image;
};

// Checks every segment of every digit and both colons of a time against the memory picture. A
// digit moved left by the teens rule may reach under a colon dot with the unlit left half of its
// cell; samples there belong to the colon.
void expectTimeShown(const LedClock& clock, int hour, int minute, int second, const wxColour& lit,
                     const wxColour& dark) {
    const Picture picture(clock);
    const LedLayout& l = clock.layout();
    const int h = l.unit;
    const LedTimeLayout time = layoutTime(l, hour, minute, second);
    auto underColon = [&](int x, int y) {
        for (int colon : time.colons)
            for (const UiRect& dot : colonDots(colon, l.margin, h))
                if (x >= dot.x - 1 && x <= dot.right() && y >= dot.y - 1 && y <= dot.bottom()) return true;
        return false;
    };
    for (int d = 0; d < 6; ++d) {
        const PlacedDigit digit = time.digits[d];
        for (int s = 0; s < SEGMENT_COUNT; ++s) {
            const int x = digit.x + SEGMENT_CENTRES[s][0] * h / 10;
            const int y = l.margin + SEGMENT_CENTRES[s][1] * h / 10;
            const bool on = litSegments(digit.value) & (1 << s);
            if (!on && underColon(x, y)) continue;
            EXPECT_EQ(picture.at(x, y), on ? lit : dark)
                << "digit " << d << " (" << digit.value << ") segment " << char('a' + s);
        }
    }
    for (int colon : time.colons)
        for (const UiRect& dot : colonDots(colon, l.margin, h))
            EXPECT_EQ(picture.at(dot.x + dot.width / 2, dot.y + dot.height / 2), lit) << "colon at " << colon;
}

// The rightmost column between two x positions holding a lit pixel.
std::optional<int> rightmostLit(const LedClock& clock, int from, int to, const wxColour& lit) {
    const Picture picture(clock);
    for (int x = to - 1; x >= from; --x)
        for (int y = 0; y < picture.image.GetHeight(); ++y)
            if (picture.at(x, y) == lit) return x;
    return std::nullopt;
}

}  // namespace

TEST(LedClock, ValuesSetBeforeTheFirstPaintWaitForIt) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "clock", wxPoint(0, 0), wxDefaultSize, wxBORDER_NONE);
    frame->SetClientSize(240, 60);
    auto* panel = new wxPanel(frame);
    auto* clock = new LedClock(panel, 1034, {20, 5}, {200, 50});
    clock->setSegmentColor(rgbColor(255, 0, 0));
    clock->setBackgroundColor(rgbColor(0, 0, 64));
    clock->setTime(1, 2, 3);
    EXPECT_FALSE(clock->picture().IsOk());
    EXPECT_EQ(clock->drawCount(), 0);

    frame->Show();
    pump(300);
    ASSERT_TRUE(clock->picture().IsOk());
    EXPECT_EQ(clock->picture().GetSize(), wxSize(200, 50));
    EXPECT_EQ(clock->drawCount(), 1);
    EXPECT_EQ(clock->layout().margin, 5);
    EXPECT_EQ(clock->layout().unit, 20);
    expectTimeShown(*clock, 1, 2, 3, *wxRED, wxColour(0, 0, 64));
    frame->Destroy();
    pump();
}

TEST(LedClock, LeadingZerosSegmentsAndOneDrawPerChange) {
    TestFrame frame({240, 60});
    auto* clock = new LedClock(frame, 1034, {20, 5}, {200, 50});
    pump(200);
    const int before = clock->drawCount();
    showLocalTime(*clock);
    clock->setTime(9, 5, 7);
    const int after = clock->drawCount();
    expectTimeShown(*clock, 9, 5, 7, *wxGREEN, *wxBLACK);

    clock->setTime(9, 5, 7);
    clock->setBackgroundColor(rgbColor(0, 0, 0));
    clock->setSegmentColor(rgbColor(0, 255, 0));
    EXPECT_EQ(clock->drawCount(), after) << "nothing changed, nothing drawn";
    EXPECT_LE(after - before, 2);

    // The window shows exactly the memory picture.
    const Screenshot shot = shoot("led-090507");
    const Picture picture(*clock);
    int differing = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 200; ++x) differing += pixelOf(shot, *clock, {x, y}) != picture.at(x, y);
    EXPECT_EQ(differing, 0);

    for (int digit = 0; digit <= 9; ++digit) {
        clock->setTime(digit * 11, digit, digit * 11);
        expectTimeShown(*clock, digit * 11, digit, digit * 11, *wxGREEN, *wxBLACK);
    }
}

TEST(LedClock, TeensDrawTheMinuteAndSecondPairsTwoGapsLeft) {
    TestFrame frame({240, 60});
    auto* clock = new LedClock(frame, 1034, {20, 5}, {200, 50});
    pump(200);
    const LedLayout& l = clock->layout();
    ASSERT_GT(l.gap, 0);
    const LedTimeLayout reference = layoutTime(l, 12, 25, 28);
    // Between the colons' dots (minutes) and right of the second colon (seconds).
    const int minutesFrom = reference.colons[0] + l.unit, minutesTo = reference.colons[1] + 3 * l.unit / 10;
    const int secondsFrom = reference.colons[1] + l.unit, secondsTo = clock->picture().GetWidth();

    clock->setTime(12, 25, 28);
    expectTimeShown(*clock, 12, 25, 28, *wxGREEN, *wxBLACK);
    const Picture twenties(*clock);
    const auto minutes25 = rightmostLit(*clock, minutesFrom, minutesTo, *wxGREEN);
    const auto seconds28 = rightmostLit(*clock, secondsFrom, secondsTo, *wxGREEN);

    clock->setTime(12, 15, 18);
    expectTimeShown(*clock, 12, 15, 18, *wxGREEN, *wxBLACK);
    const Picture teens(*clock);
    const auto minutes15 = rightmostLit(*clock, minutesFrom, minutesTo, *wxGREEN);
    const auto seconds18 = rightmostLit(*clock, secondsFrom, secondsTo, *wxGREEN);

    ASSERT_TRUE(minutes25 && minutes15 && seconds28 && seconds18);
    EXPECT_EQ(*minutes25 - *minutes15, 2 * l.gap) << "the units 5 drawn two gaps further left";
    EXPECT_EQ(*seconds28 - *seconds18, 2 * l.gap) << "the units 8 drawn two gaps further left";
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < reference.colons[0] + l.unit; ++x)
            ASSERT_EQ(teens.at(x, y), twenties.at(x, y))
                << "hours and first colon unchanged at " << x << "," << y;
}

TEST(ClockWindow, BlackWindowWithTheClockAndTheAddressThatTakesNoFocus) {
    auto* window = new ClockWindow();
    window->Move(0, 0);
    window->ShowWithoutActivating();
    pump(400);

    LedClock& clock = window->clock();
    EXPECT_EQ(clock.GetId(), 1034);
    EXPECT_EQ(clock.GetPosition(), window->ConvertDialogToPixels(wxPoint(7, 7)));
    EXPECT_EQ(clock.GetSize(), window->ConvertDialogToPixels(wxSize(117, 24)));
    EXPECT_EQ(window->GetClientSize(), window->ConvertDialogToPixels(wxSize(184, 106)));
    EXPECT_EQ(window->address().GetLabel(), MAKER_WEB_ADDRESS);
    EXPECT_TRUE(window->refreshTimer().IsRunning());
    EXPECT_EQ(window->refreshTimer().GetInterval(), 1000);

    // Its timer keeps the local time.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // Seconds apart, across the turn of an hour or a day.
    const int shown = clock.hour() * 3600 + clock.minute() * 60 + clock.second();
    const int apart = std::abs(shown - (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec));
    EXPECT_LE(std::min(apart, 86400 - apart), 2) << clock.hour() << ":" << clock.minute() << ":" << clock.second();
    EXPECT_EQ(clock.segmentColor(), rgbColor(0, 255, 0));
    EXPECT_EQ(clock.backgroundColor(), rgbColor(0, 0, 0));

    // The desktop is told not to give it the input focus.
    const auto ids = e2e::windowsNamed(PRODUCT_TITLE);
    ASSERT_EQ(ids.size(), 1u);
    const std::string hints = e2e::run("xprop -id " + ids[0] + " WM_HINTS").output;
    EXPECT_NE(hints.find("accepts input or input focus: False"), std::string::npos) << hints;

    window->refreshTimer().Stop();
    for (auto [h, m, s] : {std::array{9, 5, 7}, std::array{12, 15, 18}, std::array{12, 25, 28}}) {
        clock.setTime(h, m, s);
        char name[32];
        std::snprintf(name, sizeof name, "clock-window-%02d%02d%02d", h, m, s);
        const Screenshot shot = shoot(name);
        expectTimeShown(clock, h, m, s, *wxGREEN, *wxBLACK);
        EXPECT_EQ(pixelOf(shot, *window, {3, 3}), *wxBLACK);
        EXPECT_EQ(pixelOf(shot, *window, {window->GetClientSize().x - 3, window->GetClientSize().y - 3}),
                  *wxBLACK);
        int white = 0;
        const wxRect text = window->address().GetRect();
        for (int y = text.y; y < text.GetBottom(); ++y)
            for (int x = text.x; x < text.GetRight(); ++x)
                white += near(pixelOf(shot, *window, {x, y}), *wxWHITE, 40);
        EXPECT_GT(white, 20) << "the address is written in white";
    }
    window->Destroy();
    pump();
}
