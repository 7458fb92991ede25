#pragma once

#include <wx/dc.h>
#include <wx/settings.h>
#include <wx/window.h>

// Small drawing steps the owner-drawn controls share.

namespace veltamar {

inline wxColour systemColour(wxSystemColour index) {
    return wxSystemSettings::GetColour(index);
}

// The colour a control's surroundings are painted in: that of the nearest parent whose colour was
// set, or else of the dialog or frame (GTK paints plain panels in their top-level window's colour,
// whatever colour wx reports for them). Controls that draw "transparently" fill with it.
wxColour backgroundBehind(const wxWindow& control);

// A window that paints a picture behind its children (the toolbar's background) and lets the
// controls that draw "transparently" show the part of it that lies behind them.
class ChildBackgroundPainter {
  public:
    virtual ~ChildBackgroundPainter() = default;
    // Paints what lies behind child into dc, which covers the child's client area.
    virtual void paintBehind(wxDC& dc, const wxWindow& child) const = 0;
};

// Fills a control's client area with what is behind it: its parent's picture where the parent
// paints one, else backgroundBehind(control).
void paintBackgroundBehind(wxDC& dc, const wxWindow& control);

// The colour a share t (0..1) of the way from a to b.
wxColour blend(const wxColour& a, const wxColour& b, double t);

// A 1-pixel frame just inside rect: top and left edges in one colour, bottom and right in the
// other (a raised edge has the light colour first, a sunken one the dark colour).
void drawEdge(wxDC& dc, const wxRect& rect, const wxColour& topLeft, const wxColour& bottomRight);

// A line of text as a disabled control shows it, embossed: the 3-D highlight colour one pixel
// right and down, then the disabled text colour in place (the 3-D shadow colour of light GTK
// themes is too pale to read on their face colour).
void drawEmbossedLabel(wxDC& dc, const wxString& text, const wxRect& rect, int alignment, int accelIndex);

}  // namespace veltamar
