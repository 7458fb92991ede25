#include "ui/controls/face_painting.h"

namespace veltamar {

wxColour backgroundBehind(const wxWindow& control) {
    for (const wxWindow* w = control.GetParent(); w; w = w->GetParent())
        if (w->UseBgCol() || w->IsTopLevel()) return w->GetBackgroundColour();
    return systemColour(wxSYS_COLOUR_BTNFACE);
}

void paintBackgroundBehind(wxDC& dc, const wxWindow& control) {
    if (const auto* painter = dynamic_cast<const ChildBackgroundPainter*>(control.GetParent())) {
        painter->paintBehind(dc, control);
        return;
    }
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(backgroundBehind(control)));
    dc.DrawRectangle(control.GetClientRect());
}

wxColour blend(const wxColour& a, const wxColour& b, double t) {
    auto channel = [t](int from, int to) { return static_cast<unsigned char>(from + (to - from) * t + 0.5); };
    return {channel(a.Red(), b.Red()), channel(a.Green(), b.Green()), channel(a.Blue(), b.Blue())};
}

void drawEdge(wxDC& dc, const wxRect& rect, const wxColour& topLeft, const wxColour& bottomRight) {
    if (rect.width <= 0 || rect.height <= 0) return;
    const int left = rect.x, top = rect.y, right = rect.x + rect.width - 1, bottom = rect.y + rect.height - 1;
    dc.SetPen(wxPen(topLeft));
    dc.DrawLine(left, bottom, left, top);
    dc.DrawLine(left, top, right, top);
    dc.SetPen(wxPen(bottomRight));
    dc.DrawLine(right, top, right, bottom);
    dc.DrawLine(right, bottom, left - 1, bottom);
}

void drawEmbossedLabel(wxDC& dc, const wxString& text, const wxRect& rect, int alignment, int accelIndex) {
    dc.SetTextForeground(systemColour(wxSYS_COLOUR_BTNHIGHLIGHT));
    dc.DrawLabel(text, wxRect(rect.x + 1, rect.y + 1, rect.width, rect.height), alignment, accelIndex);
    dc.SetTextForeground(systemColour(wxSYS_COLOUR_GRAYTEXT));
    dc.DrawLabel(text, rect, alignment, accelIndex);
}

}  // namespace veltamar
