#pragma once

#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include "ui/led_clock.h"

// The small stand-alone clock: a window without caption, black all over, with the LED clock at the
// top and the maker's web address below it in white. Its own timer sets the local time every
// second. Clicking it does not take the focus from the window the user works in.

namespace veltamar {

constexpr int CLOCK_WINDOW_CLOCK_ID = 1034;
constexpr int CLOCK_WINDOW_ADDRESS_ID = 1037;

class ClockWindow : public wxFrame {
  public:
    explicit ClockWindow(wxWindow* parent = nullptr);

    LedClock& clock() { return *ledClock; }
    wxStaticText& address() { return *webAddress; }
    wxTimer& refreshTimer() { return timer; }

  private:
    void onTimer(wxTimerEvent& event);

    LedClock* ledClock;
    wxStaticText* webAddress;
    wxTimer timer;
};

}  // namespace veltamar
