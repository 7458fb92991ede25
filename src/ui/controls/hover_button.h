#pragma once

#include <wx/bitmap.h>

#include <array>

#include "ui/controls/owner_drawn_button.h"

// A push button with an optional picture that lights up while the mouse is over it. Flat buttons
// (the default) show a raised 1-pixel border and the active colours only while the mouse is over
// them, and a shadow frame while pressed; other buttons have the desktop's push-button face. A
// click sends wxEVT_BUTTON. A cursor of its own over the button is set with SetCursor().

namespace veltamar {

class HoverButton : public OwnerDrawnButton {
  public:
    enum ColourRole { NORMAL_BACKGROUND, NORMAL_TEXT, ACTIVE_BACKGROUND, ACTIVE_TEXT, COLOUR_ROLES };
    // Where the picture sits relative to the text.
    static constexpr int ICON_LEFT = 0;
    static constexpr int ICON_ABOVE = 1;

    HoverButton(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);

    // Pictures by built-in picture id: the normal one, and the one shown while the mouse is over
    // the button or it is pressed (0 for the same picture); width and height are the room the
    // picture takes in the layout. A missing picture leaves the button without one.
    void setIcons(int normalIconId, int hoverIconId, int width, int height);
    void setAlignment(int alignment);
    void setShowText(bool show);
    void setFlat(bool flat);
    void setDrawBorder(bool draw);
    void setDrawFlatFocus(bool draw);
    void setColour(ColourRole role, const wxColour& colour);
    // Every colour back to its default: the face colour of the dialog behind the button for the
    // backgrounds (a dialog and its buttons share one face colour) and the button text colour.
    void resetColours();

    bool isFlat() const { return flat; }
    // The colour in use for a role.
    wxColour colour(ColourRole role) const;

  protected:
    void drawButton(wxDC& dc, const wxRect& client) override;

  private:
    void drawPictureAndText(wxDC& dc, wxRect content, bool active);

    wxBitmap normalIcon;
    wxBitmap hoverIcon;
    int iconWidth = 0;
    int iconHeight = 0;
    int alignment = ICON_LEFT;
    bool showText = true;
    bool flat = true;
    bool drawBorder = true;
    bool drawFlatFocus = false;
    std::array<wxColour, COLOUR_ROLES> colours;  // not set: the default of the role
};

}  // namespace veltamar
