#include "ui/clock_window.h"

#include "platform/no_activation.h"
#include "platform/product_info.h"

namespace veltamar {

namespace {

constexpr int TIMER_PERIOD_MS = 1000;

// The window and its controls in dialog units.
const wxSize WINDOW_SIZE{184, 106};
const wxRect CLOCK_RECT{7, 7, 117, 24};
const wxRect ADDRESS_RECT{7, 36, 170, 9};

}  // namespace

ClockWindow::ClockWindow(wxWindow* parent)
    : wxFrame(parent, wxID_ANY, PRODUCT_TITLE, wxDefaultPosition, wxDefaultSize,
              wxBORDER_NONE | wxFRAME_TOOL_WINDOW | wxFRAME_NO_TASKBAR),
      timer(this) {
    keepFromActivation(*this);
    SetBackgroundColour(*wxBLACK);
    SetClientSize(ConvertDialogToPixels(WINDOW_SIZE));

    auto pixels = [this](const wxRect& units) {
        return wxRect(ConvertDialogToPixels(units.GetPosition()), ConvertDialogToPixels(units.GetSize()));
    };
    const wxRect clockBox = pixels(CLOCK_RECT);
    ledClock = new LedClock(this, CLOCK_WINDOW_CLOCK_ID, clockBox.GetPosition(), clockBox.GetSize());

    // A label has no background of its own, so the black window shows around the white text.
    const wxRect addressBox = pixels(ADDRESS_RECT);
    webAddress = new wxStaticText(this, CLOCK_WINDOW_ADDRESS_ID, MAKER_WEB_ADDRESS, addressBox.GetPosition(),
                                  addressBox.GetSize(), wxST_NO_AUTORESIZE);
    webAddress->SetForegroundColour(*wxWHITE);

    showLocalTime(*ledClock);
    Bind(wxEVT_TIMER, &ClockWindow::onTimer, this);
    timer.Start(TIMER_PERIOD_MS);
}

void ClockWindow::onTimer(wxTimerEvent&) {
    showLocalTime(*ledClock);
}

}  // namespace veltamar
