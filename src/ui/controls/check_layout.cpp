#include "ui/controls/check_layout.h"

#include <algorithm>

namespace veltamar {

namespace {

constexpr int EDGE_INSET = 2;  // from the face's edge to the mark
constexpr int TEXT_SPACING = 3;

}  // namespace

int onStateForCheck(int value) {
    return value == 1 || value == 2 ? 1 : 0;
}

CheckButtonLayout layoutCheckButton(UiRect client, int markSize, bool leftText) {
    CheckButtonLayout layout;
    const int top = client.y + (client.height - markSize) / 2 + 2;
    if (leftText) {
        layout.mark = {client.right() - EDGE_INSET - markSize, top, markSize, markSize};
        layout.text = {client.x + EDGE_INSET, client.y, 0, client.height};
        layout.text.width = std::max(0, layout.mark.x - TEXT_SPACING - layout.text.x);
    } else {
        layout.mark = {client.x + EDGE_INSET, top, markSize, markSize};
        layout.text = {layout.mark.right() + TEXT_SPACING, client.y, 0, client.height};
        layout.text.width = std::max(0, client.right() - EDGE_INSET - layout.text.x);
    }
    return layout;
}

}  // namespace veltamar
