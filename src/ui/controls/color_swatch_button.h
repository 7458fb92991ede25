#pragma once

#include "ui/color_ref.h"
#include "ui/controls/owner_drawn_button.h"

// A button that shows nothing but its colour inside a 1-pixel white border; a click sends
// wxEVT_BUTTON (the dialogs open a colour chooser on it).

namespace veltamar {

class ColorSwatchButton : public OwnerDrawnButton {
  public:
    ColorSwatchButton(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                      const wxSize& size = wxDefaultSize);

    void setColor(ColorRef color);
    ColorRef getColor() const { return swatch; }

  protected:
    void drawButton(wxDC& dc, const wxRect& client) override;
    wxSize DoGetBestClientSize() const override { return {24, 16}; }

  private:
    ColorRef swatch = 0;
};

}  // namespace veltamar
