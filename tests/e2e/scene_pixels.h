#pragma once

#include <array>

#include "harness.h"

// What the end-to-end tests look for on screenshots of the aquarium: boxes of the screen, food
// pellets and the swirl marker.

namespace veltamar::e2e {

// A part of the screen, x0..x1 and y0..y1 (the ends excluded).
struct Box {
    int x0, y0, x1, y1;
};

// A food pellet is drawn unlit in its own cream colour.
bool pelletColour(const std::array<int, 3>& c);

// Pixels in the pellets' colour on the later picture that were not so on the earlier one: a few
// pixels of a fish skin or a bubble may share the colour, and they may move off as well as on.
int newPelletPixels(const Screenshot& before, const Screenshot& after, const Box& box);

// Near-black pixels (the swirl marker's wire lines, the help text).
int darkPixels(const Screenshot& shot, const Box& box);

}  // namespace veltamar::e2e
