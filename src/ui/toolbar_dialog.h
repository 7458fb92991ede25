#pragma once

#include <wx/bitmap.h>
#include <wx/popupwin.h>
#include <wx/timer.h>

#include <chrono>
#include <functional>

#include "ui/controls/face_painting.h"
#include "ui/toolbar_layout.h"
#include "ui/toolbar_reveal.h"

// The toolbar: a strip along the top of the screen with the mouse tools, the dialogs, a clock, the
// program's title and its maker's web address, in white over a picture of deep water. It slides
// into view while the mouse rests on the top edge of the screen and away again when the mouse
// leaves it. A button's command goes to the aquarium view as a menu command; "Add Fish" runs the
// fish number dialog itself.

namespace veltamar {

class LedClock;

class ToolbarDialog : public wxPopupWindow, public ChildBackgroundPainter {
  public:
    // Commands go to view; screen is the display area the aquarium fills.
    ToolbarDialog(wxWindow& view, const wxRect& screen, std::function<void()> runFishDialog);

    // The command of the last button pressed (0 before any).
    int selectedCommand() const { return selected; }
    LedClock& clock() { return *ledClock; }
    const ToolbarReveal& reveal() const { return revealState; }
    double scale() const { return unitScale; }

    // At once, without sliding (the mouse then decides as usual).
    void showNow();
    void hideNow();

    void paintBehind(wxDC& dc, const wxWindow& child) const override;

  private:
    void createControls();
    void place();
    double nowMs() const;

    void onPaint(wxPaintEvent& event);
    void onButton(wxCommandEvent& event);
    void onClockTimer(wxTimerEvent& event);
    void onRevealTimer(wxTimerEvent& event);

    wxWindow& view;
    UiRect screen;
    double unitScale;
    std::function<void()> runFishDialog;
    wxBitmap background;
    LedClock* ledClock = nullptr;
    int selected = 0;

    wxTimer clockTimer;
    wxTimer revealTimer;
    ToolbarReveal revealState;
    std::chrono::steady_clock::time_point clockStart;
};

}  // namespace veltamar
