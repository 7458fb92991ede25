#pragma once

#include "ui/ui_geometry.h"

// How the popup menu follows the mouse and the keys while it is open, apart from any window.
// The entry under the mouse is highlighted; the arrow keys move the highlight (wrapping round);
// Enter, or a click on an entry, chooses it; Escape, or a press outside the menu, closes it
// without a choice. The release of the click that opened the menu chooses nothing unless the
// mouse has moved onto an entry since (press, drag, release chooses as in a desktop menu).
// Positions are in the menu window's pixels.

namespace veltamar {

enum class MenuKey { Up, Down, Home, End, Choose, Cancel, Other };

struct MenuStep {
    enum class Outcome { StillOpen, Chosen, Dismissed };
    Outcome outcome = Outcome::StillOpen;
    int chosenIndex = -1;  // the entry chosen, with Outcome::Chosen
    bool redraw = false;   // the highlight changed
};

class MenuTracking {
  public:
    // pointer: where the mouse was, in the menu window's pixels, when the menu opened.
    MenuTracking(int itemCount, UiPoint pointer);

    int highlighted() const { return highlight; }

    MenuStep pointerMoved(UiPoint p);
    MenuStep buttonPressed(UiPoint p);
    MenuStep buttonReleased(UiPoint p);
    MenuStep keyPressed(MenuKey key);

  private:
    MenuStep highlightEntry(int index);

    int count;
    UiPoint openedAt;
    UiRect window;
    int highlight = -1;
    bool moved = false;
    bool pressedInside = false;
};

}  // namespace veltamar
