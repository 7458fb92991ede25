#pragma once

#include <wx/bitmap.h>

#include "ui/color_ref.h"
#include "ui/controls/owner_drawn_button.h"
#include "ui/ui_geometry.h"

// A two-state button with a mark beside its text: either a pair of pictures (on and off) or a
// round coloured dot. Every click toggles it and then posts one wxEVT_BUTTON with the control's
// id to the parent, so the parent's handler already sees the new state. While the mouse is over
// it the face lights up with rounded corners.

namespace veltamar {

class IconCheckButton : public OwnerDrawnButton {
  public:
    // leftText puts the mark at the right of the text; textAlign places the text in its box.
    IconCheckButton(wxWindow* parent, wxWindowID id, const wxString& label,
                    const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                    bool leftText = false, TextAlign textAlign = TextAlign::Left);

    // On for any non-zero value.
    void setState(int value, bool redraw = true);
    int getState() const { return on; }

    // Check-box style access: getCheck() is the on state; setCheck() turns the button on for 1
    // and 2 and off for any other value.
    int getCheck() const { return on; }
    void setCheck(int value);

    // Pictures by built-in picture id; the mark then takes the on picture's width. A missing
    // picture is simply not drawn.
    void setIcons(int onIconId, int offIconId);
    // Colours of the dot when no pictures are set.
    void setColours(ColorRef onColour, ColorRef offColour);

    int markSize() const { return mark; }
    ColorRef onColour() const { return onDot; }
    ColorRef offColour() const { return offDot; }

  protected:
    void drawButton(wxDC& dc, const wxRect& client) override;
    void onClicked() override;
    wxSize DoGetBestClientSize() const override;

  private:
    void drawDot(wxDC& dc, const UiRect& box);

    int on = 0;
    int mark;
    bool leftText;
    TextAlign textAlign;
    ColorRef onDot;
    ColorRef offDot;
    wxBitmap onIcon;
    wxBitmap offIcon;
    bool iconsSet = false;
};

}  // namespace veltamar
