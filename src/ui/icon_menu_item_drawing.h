#pragma once

#include <wx/dc.h>

#include <vector>

#include "ui/icon_menu_layout.h"

// Draws one popup menu entry into its rectangle: a highlighted entry in a black frame filled with
// the highlight colour, a normal one as a grey icon strip beside a light label area; then the
// icon at 24 x 24 (one pixel up and left while highlighted) and the label, vertically centred, in
// the menu text colour and the given font.

namespace veltamar {

void drawIconMenuItem(wxDC& dc, const IconMenuItem& item, UiRect rect, bool highlighted, const wxFont& font);

// The desktop's menu font, made smaller where needed so that every label fits its entry on one line.
wxFont fittedMenuFont(const wxDC& dc, const std::vector<const IconMenuItem*>& items);

}  // namespace veltamar
