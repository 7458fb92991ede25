#include "render/view_state.h"

#include "render/idle_counter.h"

namespace veltamar {

bool leftButtonDown(ViewState& state, int x, int y) {
    state.mouseX = x;
    state.mouseY = y;
    state.buttonHeld = true;
    switch (state.toolMode) {
        case TOOL_FEED:
            state.feedRequest = true;
            return false;
        case TOOL_POINT:
            state.pointRequest = true;
            return false;
        case TOOL_SWIRL:
            state.swirlRequest = true;
            return false;
        case TOOL_RIPPLE:
            return true;
        default:
            return false;
    }
}

void leftButtonUp(ViewState& state) {
    if (state.toolMode == TOOL_FEED || state.toolMode == TOOL_ZOOM_IN || state.toolMode == TOOL_ZOOM_OUT)
        state.buttonHeld = false;
}

void mouseMoved(ViewState& state, int x, int y) {
    state.mouseX = x;
    state.mouseY = y;
    idleCounter = 0;
}

void toggleHelpOverlay(ViewState& state) { state.helpOverlayOn = !state.helpOverlayOn; }

}  // namespace veltamar
