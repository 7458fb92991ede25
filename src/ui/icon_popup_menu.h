#pragma once

#include <wx/gdicmn.h>

#include <vector>

#include "ui/icon_menu_layout.h"

class wxWindow;

// The right-click menu: a small popup window of the program's own that measures and draws its
// entries itself (icon strip, label, highlight) and sends the chosen entry's id to its owner as a
// menu command. The mouse highlights the entry under it, the arrow keys move the highlight, a
// click or Enter chooses, Escape or a click elsewhere closes the menu without a command.

namespace veltamar {

class IconMenuWindow;

class IconPopupMenu {
  public:
    // Adds an entry; the record stays the caller's and must outlive track().
    void appendItem(int id, const IconMenuItem* record);
    int itemCount() const { return static_cast<int>(entries.size()); }

    // Shows the menu with its top-left corner at the screen point `at` (moved to stay on the
    // screen) and returns once it has closed: with the chosen entry's id, which has then been sent
    // to owner as a menu command, or with 0 when nothing was chosen.
    int track(wxWindow& owner, wxPoint at);

    // The menu's window while track() runs, else null.
    IconMenuWindow* window() const { return shown; }

  private:
    struct Entry {
        int id;
        const IconMenuItem* record;
    };
    std::vector<Entry> entries;
    IconMenuWindow* shown = nullptr;

};

}  // namespace veltamar
