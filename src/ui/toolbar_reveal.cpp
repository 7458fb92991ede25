#include "ui/toolbar_reveal.h"

#include <algorithm>

namespace veltamar {

double ToolbarReveal::update(double nowMs, bool atTopEdge, bool overToolbar) {
    const double elapsed = started ? std::max(0.0, nowMs - lastMs) : 0.0;
    started = true;
    lastMs = nowMs;

    if (atTopEdge && !onEdge) edgeSinceMs = nowMs;
    onEdge = atTopEdge;
    const bool near = atTopEdge || (overToolbar && share > 0.0);
    if (near != !away) awaySinceMs = nowMs;
    away = !near;

    const bool wasWanted = target;
    if (!target) {
        if ((onEdge && nowMs - edgeSinceMs >= REST_MS) || (overToolbar && share > 0.0)) target = true;
    } else if (away && nowMs - awaySinceMs >= LEAVE_MS) {
        target = false;
    }

    // A slide starts now when the toolbar has just been wanted or unwanted.
    const double step = target == wasWanted ? elapsed / SLIDE_MS : 0.0;
    share = target ? std::min(1.0, share + step) : std::max(0.0, share - step);
    return share;
}

void ToolbarReveal::showNow() {
    target = true;
    share = 1.0;
    away = false;
    awaySinceMs = lastMs;
}

void ToolbarReveal::hideNow() {
    target = false;
    share = 0.0;
    onEdge = false;
}

}  // namespace veltamar
