#pragma once

#include <string>

#include "harness.h"

// Judging what the screensaver draws: whether the aquarium fills a box of the screen (a window
// handed to the saver), and whether the screen outside it was left alone.

namespace veltamar::e2e {

struct ScreenBox {
    int x = 0, y = 0, width = 0, height = 0;
    bool contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
};

// A test window's own colour before anything is drawn in it.
constexpr unsigned long UNDRAWN_COLOUR = 0xff00ff;

// Pixels of the box still in the undrawn colour.
int undrawnPixels(const Screenshot& shot, const ScreenBox& box);

// How the water looks: in the aquarium's light (clearly blue over red), or with the light turned
// all the way down (blue and green a little over red, all of it dark).
enum class Light { Normal, Dark };

// The tank's water reaches across the box: in the band from 30% to 60% of its height, each of
// twelve strips of its width is mostly water. A grey or black window, a window of one colour and a
// failed screenshot have none.
bool waterAcross(const Screenshot& shot, const ScreenBox& box, Light light = Light::Normal);

// The aquarium fills the box: nothing of it is left undrawn and the water reaches across it.
bool aquariumFills(const Screenshot& shot, const ScreenBox& box);

// Pixels outside the box that differ between the two screenshots.
int changedOutside(const Screenshot& before, const Screenshot& after, const ScreenBox& box);

// Takes screenshots named <name> until the aquarium fills the box; false when it does not within
// the time. The last screenshot is left in `shot`.
bool waitUntilFilled(const std::string& name, const ScreenBox& box, Screenshot& shot, double seconds = 30.0);

// Mean brightness of the box, 0 to 255.
double meanBrightness(const Screenshot& shot, const ScreenBox& box);

// The part of a screenshot inside the box.
Screenshot within(const Screenshot& shot, const ScreenBox& box);

// Keeps the box of the screenshot <name> (taken before) as <name>-window.png among the artifacts.
void keepBoxOf(const std::string& name, const ScreenBox& box);

}  // namespace veltamar::e2e
