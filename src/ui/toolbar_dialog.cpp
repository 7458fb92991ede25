#include "ui/toolbar_dialog.h"

#include <wx/dcbuffer.h>
#include <wx/stattext.h>

#include <vector>

#include "platform/product_info.h"
#include "ui/command_delivery.h"
#include "ui/controls/hyperlink_static.h"
#include "ui/led_clock.h"
#include "ui/toolbar_button.h"
#include "ui/ui_picture_ids.h"
#include "ui/ui_pictures.h"

namespace veltamar {

namespace {

constexpr int CLOCK_TIMER_ID = 1;
constexpr int REVEAL_TIMER_ID = 2;
constexpr int CLOCK_PERIOD_MS = 1000;
constexpr int REVEAL_PERIOD_MS = 30;
// Rows at the top of the screen that count as its edge, and the room below the toolbar in which
// the mouse still counts as over it.
constexpr int EDGE_ROWS = 2;
constexpr int TOOLBAR_MARGIN = 6;
constexpr int BUTTON_TEXT_PADDING = 6;

const wxColour LINK_COLOUR(255, 255, 255);
const wxColour LINK_VISITED_COLOUR(214, 226, 255);
const wxColour LINK_HOVER_COLOUR(150, 232, 255);

wxRect toWx(UiRect r) {
    return {r.x, r.y, r.width, r.height};
}

// The largest font (in pixels, from maxPixels down) in which every text fits its box less the
// padding; the smallest tried when none fits.
using TextBoxes = std::vector<std::pair<wxString, wxSize>>;
wxFont fittedFont(const wxWindow& window, const TextBoxes& texts, int maxPixels, bool bold, int padding) {
    constexpr int MIN_PIXELS = 8;
    wxFont font;
    for (int pixels = maxPixels; pixels >= MIN_PIXELS; --pixels) {
        font = wxFont(wxFontInfo(wxSize(0, pixels)).Family(wxFONTFAMILY_SWISS).Bold(bold));
        bool fits = true;
        for (const auto& [text, box] : texts) {
            int width = 0, height = 0;
            window.GetTextExtent(text, &width, &height, nullptr, nullptr, &font);
            if (width > box.x - padding || height > box.y) fits = false;
        }
        if (fits) break;
    }
    return font;
}

wxBitmap scaledBackground(wxSize size) {
    wxImage image = uiImage(TOOLBAR_BACKGROUND_PICTURE);
    if (!image.IsOk()) return {};
    if (image.GetSize() != size) image.Rescale(size.x, size.y, wxIMAGE_QUALITY_HIGH);
    return wxBitmap(image);
}

}  // namespace

ToolbarDialog::ToolbarDialog(wxWindow& view, const wxRect& screenRect, std::function<void()> runFishDialog)
    : wxPopupWindow(&view, wxBORDER_NONE),
      view(view),
      screen{screenRect.x, screenRect.y, screenRect.width, screenRect.height},
      unitScale(toolbarScale(screenRect.width)),
      runFishDialog(std::move(runFishDialog)),
      clockTimer(this, CLOCK_TIMER_ID),
      revealTimer(this, REVEAL_TIMER_ID),
      clockStart(std::chrono::steady_clock::now()) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(wxColour(14, 62, 112));
    const UiRect area = toolbarAreaShown(screen, unitScale, 0.0);
    SetSize(area.x, area.y, area.width, area.height);
    background = scaledBackground(GetClientSize());
    createControls();

    Bind(wxEVT_PAINT, &ToolbarDialog::onPaint, this);
    Bind(wxEVT_BUTTON, &ToolbarDialog::onButton, this);
    Bind(wxEVT_TIMER, &ToolbarDialog::onClockTimer, this, CLOCK_TIMER_ID);
    Bind(wxEVT_TIMER, &ToolbarDialog::onRevealTimer, this, REVEAL_TIMER_ID);
    showLocalTime(*ledClock);
    clockTimer.Start(CLOCK_PERIOD_MS);
    revealTimer.Start(REVEAL_PERIOD_MS);
}

void ToolbarDialog::createControls() {
    auto box = [this](const ToolbarControl& control) {
        return toWx(toolbarPixels(control.units, unitScale));
    };

    // One font for all buttons, the largest in which every label fits its button.
    TextBoxes labels;
    for (const ToolbarControl& control : toolbarControls())
        if (control.kind == ToolbarControlKind::Button)
            labels.push_back({control.text, box(control).GetSize()});
    const int buttonHeight = toolbarPixels({0, 0, 1, 15}, unitScale).height;
    const wxFont buttonFont = fittedFont(*this, labels, buttonHeight * 3 / 4, true, BUTTON_TEXT_PADDING);

    for (const ToolbarControl& control : toolbarControls()) {
        const wxRect r = box(control);
        switch (control.kind) {
            case ToolbarControlKind::Button: {
                auto* button =
                    new ToolbarButton(this, control.id, control.text, r.GetPosition(), r.GetSize());
                button->SetFont(buttonFont);
                break;
            }
            case ToolbarControlKind::Clock:
                ledClock = new LedClock(this, control.id, r.GetPosition(), r.GetSize());
                break;
            case ToolbarControlKind::Title: {
                auto* title = new wxStaticText(this, wxID_ANY, control.text, r.GetPosition(), r.GetSize(),
                                               wxST_NO_AUTORESIZE | wxALIGN_LEFT);
                title->SetFont(fittedFont(*this, {{control.text, r.GetSize()}}, r.height, true, 0));
                title->SetForegroundColour(*wxWHITE);
                break;
            }
            case ToolbarControlKind::Link: {
                // The link takes its font from the window it is created in.
                SetFont(fittedFont(*this,
                                   {{MAKER_WEB_ADDRESS, wxSize(GetClientSize().x - r.x, r.height + 2)}},
                                   r.height + 2, false, 0));
                HyperlinkOptions options;
                options.linkColour = LINK_COLOUR;
                options.visitedColour = LINK_VISITED_COLOUR;
                options.hoverColour = LINK_HOVER_COLOUR;
                new HyperlinkStatic(this, control.id, MAKER_WEB_ADDRESS, r.GetPosition(), r.GetSize(),
                                    wxALIGN_LEFT, options);
                break;
            }
        }
    }
}

double ToolbarDialog::nowMs() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - clockStart).count();
}

void ToolbarDialog::showNow() {
    revealState.showNow();
    place();
}

void ToolbarDialog::hideNow() {
    revealState.hideNow();
    place();
}

// Moves the toolbar to the share of it in view, and takes it off the screen when none is.
void ToolbarDialog::place() {
    const UiRect area = toolbarAreaShown(screen, unitScale, revealState.shown());
    if (GetPosition() != wxPoint(area.x, area.y)) Move(area.x, area.y);
    if (revealState.shown() > 0.0 && !IsShown()) Show();
    if (revealState.shown() <= 0.0 && IsShown()) Hide();
}

void ToolbarDialog::paintBehind(wxDC& dc, const wxWindow& child) const {
    const wxPoint at = child.GetPosition();
    if (background.IsOk()) {
        dc.DrawBitmap(background, -at.x, -at.y, false);
    } else {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(GetBackgroundColour()));
        dc.DrawRectangle(child.GetClientRect());
    }
}

void ToolbarDialog::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    if (background.IsOk()) {
        dc.DrawBitmap(background, 0, 0, false);
    } else {
        dc.SetBackground(wxBrush(GetBackgroundColour()));
        dc.Clear();
    }
}

void ToolbarDialog::onButton(wxCommandEvent& event) {
    const ToolbarControl* control = toolbarControl(event.GetId());
    if (!control) return;
    switch (control->action) {
        case ToolbarAction::RunFishDialog:
            if (runFishDialog) runFishDialog();
            break;
        case ToolbarAction::SelectCommand:
            selected = control->command;
            sendCommand(view, selected);
            break;
        case ToolbarAction::None:
            break;
    }
}

void ToolbarDialog::onClockTimer(wxTimerEvent&) {
    showLocalTime(*ledClock);
}

void ToolbarDialog::onRevealTimer(wxTimerEvent&) {
    const wxPoint mouse = wxGetMouseState().GetPosition();
    const UiRect full = toolbarArea(screen, unitScale);
    const bool atTopEdge =
        mouse.y >= screen.y && mouse.y < screen.y + EDGE_ROWS && mouse.x >= full.x && mouse.x < full.right();
    UiRect visible = toolbarAreaShown(screen, unitScale, revealState.shown());
    visible.height += TOOLBAR_MARGIN;
    const bool overToolbar = visible.contains({mouse.x, mouse.y});
    revealState.update(nowMs(), atTopEdge, overToolbar);
    place();
}

}  // namespace veltamar
