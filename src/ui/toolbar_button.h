#pragma once

#include "ui/controls/owner_drawn_button.h"

// A button of the toolbar: a pane of glass over the toolbar's picture with its label in white. The
// glass brightens while the mouse is over it and darkens while it is pressed.

namespace veltamar {

class ToolbarButton : public OwnerDrawnButton {
  public:
    ToolbarButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                  const wxSize& size);

  protected:
    void drawButton(wxDC& dc, const wxRect& client) override;
};

}  // namespace veltamar
