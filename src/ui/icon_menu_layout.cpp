#include "ui/icon_menu_layout.h"

#include <algorithm>

namespace veltamar {

namespace {

// One axis of the menu's placement: after the point when it fits, else before it, and never
// beyond the screen's edges.
int placeOnAxis(int at, int extent, int screenStart, int screenEnd) {
    int start = at + extent <= screenEnd ? at : at - extent;
    start = std::min(start, screenEnd - extent);
    return std::max(start, screenStart);
}

}  // namespace

MenuItemParts menuItemParts(UiRect item, bool highlighted) {
    MenuItemParts parts;
    parts.iconStrip = {item.x, item.y, MENU_ICON_STRIP_WIDTH, item.height};
    parts.labelArea = {item.x + MENU_ICON_STRIP_WIDTH, item.y, item.width - MENU_ICON_STRIP_WIDTH,
                       item.height};
    parts.frame = item;
    parts.fill = {item.x + 1, item.y + 1, item.width - 2, item.height - 2};
    const int shift = highlighted ? -1 : 0;
    parts.icon = {parts.iconStrip.x + MENU_ICON_INSET + shift, parts.iconStrip.y + MENU_ICON_INSET + shift};
    parts.text = {parts.labelArea.x + MENU_LABEL_INDENT, parts.labelArea.y,
                  parts.labelArea.width - MENU_LABEL_INDENT, parts.labelArea.height};
    return parts;
}

UiSize menuWindowSize(int itemCount) {
    return {MENU_ITEM_WIDTH + 2 * MENU_BORDER, std::max(itemCount, 0) * MENU_ITEM_HEIGHT + 2 * MENU_BORDER};
}

UiRect menuItemRect(int index) {
    return {MENU_BORDER, MENU_BORDER + index * MENU_ITEM_HEIGHT, MENU_ITEM_WIDTH, MENU_ITEM_HEIGHT};
}

int menuItemAt(UiPoint point, int itemCount) {
    for (int i = 0; i < itemCount; ++i)
        if (menuItemRect(i).contains(point)) return i;
    return -1;
}

UiPoint placeMenuWindow(UiPoint at, UiSize windowSize, UiRect screen) {
    return {placeOnAxis(at.x, windowSize.width, screen.x, screen.right()),
            placeOnAxis(at.y, windowSize.height, screen.y, screen.bottom())};
}

}  // namespace veltamar
