#pragma once

#include <wx/control.h>

// A line of link text that opens a web address in the desktop's browser. It is drawn in the link
// colour, in the visited colour once a page has been opened from it, and in the hover colour while
// the mouse is over it, on its parent's background; it shows the hand cursor and a tooltip with
// the address. When the page cannot be opened it beeps and says why in a message box.

namespace veltamar {

struct HyperlinkOptions {
    wxString url;  // empty: the text is the address
    wxColour linkColour{0, 0, 238};
    wxColour visitedColour{85, 26, 139};
    wxColour hoverColour;  // not set: the system's highlight colour
    bool underline = true;
    bool adjustToFit = true;  // shrink or grow the control to its text
};

class HyperlinkStatic : public wxControl {
  public:
    // style: wxALIGN_LEFT (default), wxALIGN_CENTRE_HORIZONTAL or wxALIGN_RIGHT for the text,
    // which is also the edge (or centre) kept when the control is fitted to its text.
    HyperlinkStatic(wxWindow* parent, wxWindowID id, const wxString& text,
                    const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                    long style = wxALIGN_LEFT, HyperlinkOptions options = {});

    const wxString& url() const { return options.url; }
    bool isVisited() const { return visited; }
    bool isHovering() const { return hovering; }
    // The colour the text is drawn in now.
    wxColour textColour() const;

    // Opens the address as a click does: marks the link visited when the page opened, otherwise
    // beeps and shows the reason. Returns the result code (above 32 when opened).
    int followLink();

  protected:
    wxSize DoGetBestClientSize() const override;

  private:
    void onPaint(wxPaintEvent& event);
    void onEnter(wxMouseEvent& event);
    void onLeave(wxMouseEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onLeftUp(wxMouseEvent& event);

    HyperlinkOptions options;
    long alignment;
    bool hovering = false;
    bool visited = false;
    bool pressed = false;
};

}  // namespace veltamar
