#pragma once

#include <wx/bitmap.h>
#include <wx/window.h>

#include "ui/color_ref.h"
#include "ui/led_geometry.h"

// A seven-segment LED display of the time of day (hh:mm:ss). The digits are drawn into a memory
// picture the size of the window, only when a shown value changes; painting copies that picture
// in one step. The picture and the top margin are made at the first paint, so values set before
// it are kept and drawn then.
//
// The row is centred by default and the gap between the digits of a pair is chosen by the clock
// (0.4 of the digit unit, narrower when the window is too short for it); both can be set.

namespace veltamar {

class LedClock : public wxWindow {
  public:
    LedClock(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
             const wxSize& size = wxDefaultSize);

    void setBackgroundColor(ColorRef color);
    void setSegmentColor(ColorRef color);
    void setTime(int hour, int minute, int second);
    // LED_ALIGN_LEFT, LED_ALIGN_CENTRE or LED_ALIGN_RIGHT.
    void setAlignment(int alignment);
    // Pixels between the digits of a pair, or LED_AUTOMATIC_GAP.
    void setGap(int gap);

    ColorRef backgroundColor() const { return background; }
    ColorRef segmentColor() const { return segments; }
    int hour() const { return hours; }
    int minute() const { return minutes; }
    int second() const { return seconds; }

    // The memory picture (not valid before the first paint) and the layout it was drawn with.
    const wxBitmap& picture() const { return memory; }
    const LedLayout& layout() const { return lastLayout; }
    // How many times the memory picture has been drawn.
    int drawCount() const { return draws; }

  private:
    void redraw();
    void onPaint(wxPaintEvent& event);

    ColorRef background = rgbColor(0, 0, 0);
    ColorRef segments = rgbColor(0, 255, 0);
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int alignment = LED_ALIGN_CENTRE;
    int gapSetting = LED_AUTOMATIC_GAP;

    int margin = -1;  // fixed at the first paint
    wxBitmap memory;
    LedLayout lastLayout;
    int draws = 0;
};

// What the toolbar's and the clock window's timers do each tick: black background, green
// segments and the current local time.
void showLocalTime(LedClock& clock);

}  // namespace veltamar
