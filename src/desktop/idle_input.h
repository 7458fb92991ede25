#pragma once

// When the idle screen ends: at the first key or button, or when the pointer really moves. A
// surface that appears under the pointer is told where the pointer is, and a mouse on a desk or a
// compositor settling its cursor then sends a small motion of its own; so the first position seen
// is only noted, and the screen ends once the pointer is more than a few pixels from it.

namespace veltamar {

class IdleInput {
  public:
    // Logical pixels the pointer may stray from where it was first seen.
    static constexpr double STILL_DISTANCE = 8.0;

    // Each returns true when the idle screen is to end.
    bool key() { return ended = true; }
    bool button() { return ended = true; }
    bool pointerAt(double x, double y);

    bool hasEnded() const { return ended; }

  private:
    bool seen = false;
    double firstX = 0.0;
    double firstY = 0.0;
    bool ended = false;
};

}  // namespace veltamar
