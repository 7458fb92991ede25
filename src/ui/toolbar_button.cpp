#include "ui/toolbar_button.h"

#include <wx/graphics.h>

#include <memory>

#include "ui/controls/face_painting.h"

namespace veltamar {

namespace {

constexpr double CORNER_RADIUS = 3.0;

}  // namespace

ToolbarButton::ToolbarButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                             const wxSize& size)
    : OwnerDrawnButton(parent, id, label, pos, size, true) {}

void ToolbarButton::drawButton(wxDC& dc, const wxRect& client) {
    paintBackgroundBehind(dc, *this);

    const bool pressed = isPressed();
    const bool over = isMouseOver();
    wxColour glass = pressed ? wxColour(0, 12, 32, 110) : wxColour(255, 255, 255, over ? 78 : 34);
    wxColour rim = wxColour(255, 255, 255, over || pressed ? 200 : 110);
    if (std::unique_ptr<wxGraphicsContext> gc{wxGraphicsContext::CreateFromUnknownDC(dc)}) {
        gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
        gc->SetPen(wxPen(rim, 1));
        gc->SetBrush(wxBrush(glass));
        gc->DrawRoundedRectangle(client.x + 0.5, client.y + 0.5, client.width - 1.0, client.height - 1.0,
                                 CORNER_RADIUS);
    }

    int accel = -1;
    const wxString text = visibleLabel(&accel);
    wxRect box = client;
    if (pressed) box.Offset(1, 1);
    dc.SetFont(GetFont());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(IsEnabled() ? *wxWHITE : wxColour(150, 170, 190));
    dc.DrawLabel(text, box, wxALIGN_CENTER, accel);
}

}  // namespace veltamar
