#include "ui/menu_tracking.h"

#include "ui/icon_menu_layout.h"

namespace veltamar {

MenuTracking::MenuTracking(int itemCount, UiPoint pointer) : count(itemCount), openedAt(pointer) {
    const UiSize size = menuWindowSize(itemCount);
    window = {0, 0, size.width, size.height};
}

MenuStep MenuTracking::highlightEntry(int index) {
    MenuStep step;
    step.redraw = index != highlight;
    highlight = index;
    return step;
}

MenuStep MenuTracking::pointerMoved(UiPoint p) {
    if (!(p == openedAt)) moved = true;
    return highlightEntry(menuItemAt(p, count));
}

MenuStep MenuTracking::buttonPressed(UiPoint p) {
    if (!window.contains(p)) return {MenuStep::Outcome::Dismissed, -1, false};
    pressedInside = true;
    return highlightEntry(menuItemAt(p, count));
}

MenuStep MenuTracking::buttonReleased(UiPoint p) {
    const int index = menuItemAt(p, count);
    MenuStep step = highlightEntry(index);
    if (index >= 0 && (pressedInside || moved)) {
        step.outcome = MenuStep::Outcome::Chosen;
        step.chosenIndex = index;
    }
    return step;
}

MenuStep MenuTracking::keyPressed(MenuKey key) {
    if (count <= 0)
        return key == MenuKey::Cancel ? MenuStep{MenuStep::Outcome::Dismissed, -1, false} : MenuStep{};
    switch (key) {
        case MenuKey::Down:
            return highlightEntry((highlight + 1) % count);
        case MenuKey::Up:
            return highlightEntry(highlight <= 0 ? count - 1 : highlight - 1);
        case MenuKey::Home:
            return highlightEntry(0);
        case MenuKey::End:
            return highlightEntry(count - 1);
        case MenuKey::Choose:
            if (highlight < 0) return {};
            return {MenuStep::Outcome::Chosen, highlight, false};
        case MenuKey::Cancel:
            return {MenuStep::Outcome::Dismissed, -1, false};
        case MenuKey::Other:
            break;
    }
    return {};
}

}  // namespace veltamar
