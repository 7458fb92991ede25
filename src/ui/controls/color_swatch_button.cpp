#include "ui/controls/color_swatch_button.h"

#include <wx/dc.h>

#include "ui/wx_color.h"

namespace veltamar {

ColorSwatchButton::ColorSwatchButton(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : OwnerDrawnButton(parent, id, wxString(), pos, size, false) {
    SetInitialSize(size);  // again, with the swatch's own best size
}

void ColorSwatchButton::setColor(ColorRef color) {
    swatch = color;
    Refresh();
}

void ColorSwatchButton::drawButton(wxDC& dc, const wxRect& client) {
    dc.SetPen(*wxWHITE_PEN);
    dc.SetBrush(wxBrush(toWxColour(swatch)));
    dc.DrawRectangle(client);
}

}  // namespace veltamar
