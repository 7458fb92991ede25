#pragma once

#include <wx/dc.h>
#include <wx/settings.h>

// Small drawing steps the owner-drawn controls share.

namespace veltamar {

inline wxColour systemColour(wxSystemColour index) { return wxSystemSettings::GetColour(index); }

// A 1-pixel frame just inside rect: top and left edges in one colour, bottom and right in the
// other (a raised edge has the light colour first, a sunken one the dark colour).
void drawEdge(wxDC& dc, const wxRect& rect, const wxColour& topLeft, const wxColour& bottomRight);

// A line of text as a disabled control shows it: the 3-D highlight colour one pixel right and
// down, then the shadow colour in place.
void drawEmbossedLabel(wxDC& dc, const wxString& text, const wxRect& rect, int alignment, int accelIndex);

}  // namespace veltamar
