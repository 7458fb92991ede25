#pragma once

// Frame pacing of the view's timer. The aquarium's per-frame amounts were tuned for a timer that
// fires on the system tick of 15.625 ms (64 per second): the view draws at most one frame per
// tick, a slow frame lowers the rate, and missed ticks are never caught up.

namespace veltamar {

class FramePacer {
public:
    static constexpr double TICK_MS = 15.625;

    // Starts the tick grid at the given time (milliseconds on a monotonic clock).
    explicit FramePacer(double startMs = 0.0) : epochMs(startMs) {}

    // Milliseconds from nowMs until the next tick boundary strictly after nowMs: the moment the
    // next frame may be drawn. Never more than one tick.
    double delayUntilNextTick(double nowMs) const;

    // Whole milliseconds to ask of a timer whose resolution is one millisecond, rounded up so the
    // timer never fires before the boundary.
    int timerDelayMs(double nowMs) const;

private:
    double epochMs;
};

}  // namespace veltamar
