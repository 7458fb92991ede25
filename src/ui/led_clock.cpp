#include "ui/led_clock.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>

#include <ctime>

#include "ui/wx_color.h"

namespace veltamar {

LedClock::LedClock(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);  // the memory picture covers every pixel
    Create(parent, id, pos, size, wxBORDER_NONE);
    Bind(wxEVT_PAINT, &LedClock::onPaint, this);
}

void LedClock::setBackgroundColor(ColorRef color) {
    if (color == background) return;
    background = color;
    redraw();
}

void LedClock::setSegmentColor(ColorRef color) {
    if (color == segments) return;
    segments = color;
    redraw();
}

void LedClock::setTime(int hour, int minute, int second) {
    if (hour == hours && minute == minutes && second == seconds) return;
    hours = hour;
    minutes = minute;
    seconds = second;
    redraw();
}

void LedClock::setAlignment(int value) {
    if (value == alignment) return;
    alignment = value;
    redraw();
}

void LedClock::setGap(int gap) {
    if (gap == gapSetting) return;
    gapSetting = gap;
    redraw();
}

// Draws the current values into the memory picture and asks for the window to be repainted.
// Before the first paint there is no picture yet and nothing is drawn.
void LedClock::redraw() {
    if (!memory.IsOk()) return;
    const int width = memory.GetWidth(), height = memory.GetHeight();
    lastLayout = computeLedLayout(width, height, margin, alignment, gapSetting);
    const int h = lastLayout.unit;

    wxMemoryDC dc(memory);
    dc.SetBackground(wxBrush(toWxColour(background)));
    dc.Clear();
    dc.SetPen(wxPen(toWxColour(segments), 1));
    dc.SetBrush(wxBrush(toWxColour(segments)));

    const LedTimeLayout time = layoutTime(lastLayout, hours, minutes, seconds);
    for (const PlacedDigit& digit : time.digits) {
        const std::uint8_t lit = litSegments(digit.value);
        for (int s = 0; s < SEGMENT_COUNT; ++s) {
            if (!(lit & (1u << s))) continue;
            std::vector<wxPoint> points;
            for (const UiPoint& p : segmentPolygon(static_cast<LedSegment>(s), digit.x, margin, h))
                points.emplace_back(p.x, p.y);
            dc.DrawPolygon(static_cast<int>(points.size()), points.data());
        }
    }
    for (int colon : time.colons)
        for (const UiRect& dot : colonDots(colon, margin, h))
            dc.DrawEllipse(dot.x, dot.y, dot.width, dot.height);
    dc.SelectObject(wxNullBitmap);
    ++draws;
    Refresh(false);
}

void LedClock::onPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0) return;
    // The picture is made at the first paint, and made again only if the window changed size.
    if (!memory.IsOk() || memory.GetWidth() != size.x || memory.GetHeight() != size.y) {
        if (margin < 0 || memory.IsOk()) margin = ledMargin(size.y);
        memory = wxBitmap(size.x, size.y, 24);
        redraw();
    }
    dc.DrawBitmap(memory, 0, 0, false);
}

void showLocalTime(LedClock& clock) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    clock.setBackgroundColor(rgbColor(0, 0, 0));
    clock.setSegmentColor(rgbColor(0, 255, 0));
    clock.setTime(local.tm_hour, local.tm_min, local.tm_sec);
}

}  // namespace veltamar
