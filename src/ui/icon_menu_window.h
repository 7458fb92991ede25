#pragma once

#include <wx/popupwin.h>

#include <vector>

#include "ui/icon_menu_layout.h"
#include "ui/menu_tracking.h"
#include "ui/popup_session.h"

// The window of an open IconPopupMenu: draws the entries inside a 1-pixel frame and follows the
// mouse and keys through MenuTracking until an entry is chosen or the menu is dismissed.

namespace veltamar {

class IconMenuWindow : public wxPopupWindow {
  public:
    IconMenuWindow(wxWindow& owner, std::vector<const IconMenuItem*> items, wxPoint at);

    // Runs the menu; returns the index of the chosen entry, or -1.
    int run();

    int highlighted() const { return tracking.highlighted(); }
    // A choice was made or the menu dismissed; run() is about to return.
    bool closing() const { return session.ended(); }
    // Keys the menu understands, as the session hands them over.
    void onKey(wxKeyEvent& event);

  private:
    void apply(const MenuStep& step);
    UiPoint pointOf(const wxMouseEvent& event) const;

    void onPaint(wxPaintEvent& event);
    void onMotion(wxMouseEvent& event);
    void onPress(wxMouseEvent& event);
    void onRelease(wxMouseEvent& event);
    void onLeave(wxMouseEvent& event);

    std::vector<const IconMenuItem*> items;
    MenuTracking tracking;
    PopupSession session;
    int chosen = -1;
};

}  // namespace veltamar
