#pragma once

// When the toolbar is on the screen. It slides down into view once the mouse has rested for a
// moment on the top edge of the screen, and slides back up once the mouse has been away from it
// for a moment; the mouse catching it while it slides away brings it back. The share of the
// toolbar in view follows from the time, so the slide takes as long however often it is asked.

namespace veltamar {

class ToolbarReveal {
  public:
    static constexpr double REST_MS = 250.0;   // resting on the edge before it comes
    static constexpr double LEAVE_MS = 400.0;  // away from it before it goes
    static constexpr double SLIDE_MS = 180.0;  // one slide, in or out

    // One look at the mouse at time now: on the top edge above the toolbar, and over the part of
    // the toolbar in view (or just below it). Returns the share of the toolbar in view, 0 to 1.
    double update(double nowMs, bool atTopEdge, bool overToolbar);

    double shown() const { return share; }
    bool wanted() const { return target; }
    bool sliding() const { return target ? share < 1.0 : share > 0.0; }

    // At once, without sliding.
    void showNow();
    void hideNow();

  private:
    double share = 0.0;
    bool target = false;
    bool started = false;
    double lastMs = 0.0;
    bool onEdge = false;
    double edgeSinceMs = 0.0;
    bool away = false;
    double awaySinceMs = 0.0;
};

}  // namespace veltamar
