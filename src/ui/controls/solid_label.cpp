#include "ui/controls/solid_label.h"

#include <wx/dcbuffer.h>

namespace veltamar {

SolidLabel::SolidLabel(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                       const wxSize& size, const wxColour& textColour, const wxColour& backgroundColour)
    : text(textColour), background(backgroundColour) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, id, pos, size, wxBORDER_NONE);
    wxControl::SetLabel(label);
    Bind(wxEVT_PAINT, &SolidLabel::onPaint, this);
}

void SolidLabel::SetLabel(const wxString& label) {
    if (label == GetLabel()) return;
    wxControl::SetLabel(label);
    Refresh();
}

// The text sits at the left, vertically centred, like a static control's.
void SolidLabel::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetBackground(wxBrush(background));
    dc.Clear();
    dc.SetFont(GetFont());
    dc.SetTextForeground(text);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.DrawLabel(GetLabel(), wxRect(0, 0, size.x, size.y), wxALIGN_LEFT | wxALIGN_CENTRE_VERTICAL);
}

}  // namespace veltamar
