#pragma once

#include <optional>
#include <string>

#include "harness.h"

// Using the aquarium as a person does on the 1024 x 768 test screen: the toolbar that slides in at
// the top edge, the tool palette that a middle click opens at the mouse, the tank's tools, and the
// mouse wandering about.

namespace veltamar::e2e {

// The toolbar spans the screen at 1024 / 948 pixels a dialog unit; its buttons sit on the row
// y = 19 at these x.
enum ToolbarButton {
    TOOLBAR_FEED = 37,
    TOOLBAR_TOUCH = 97,
    TOOLBAR_ZOOM_IN = 160,
    TOOLBAR_ZOOM_OUT = 229,
    TOOLBAR_ADD_FISH = 296,
    TOOLBAR_MUSIC = 362,
    TOOLBAR_IMAGE = 433,
    TOOLBAR_EXIT = 499,
};

// The palette's buttons: the x of their middles, from the palette's left edge.
enum PaletteButton {
    PALETTE_FEED = 22,
    PALETTE_TOUCH = 66,
    PALETTE_FISH_DIALOG = 108,
    PALETTE_PLAIN = 153,
    PALETTE_RIPPLE = 197,
    PALETTE_SETTINGS_DIALOG = 241,
    PALETTE_SWIRL = 325,
    PALETTE_POINT = 373,
};

constexpr const char* FISH_DIALOG_TITLE = "Fish Settings - Free Veltamar Screensaver 1.0";
constexpr const char* SETTINGS_DIALOG_TITLE = "Aquarium Settings - Free Veltamar Screensaver 1.0";
constexpr int CMD_SETTINGS_DIALOG = 1040;

constexpr int TOOLBAR_WIDTH = 1024, TOOLBAR_HEIGHT = 28;
constexpr int PALETTE_WIDTH = 405, PALETTE_HEIGHT = 40;

// The program's popup window of this size on the screen (the menu, the toolbar, the palette).
std::optional<Geometry> popupOfSize(int width, int height);
// Waits for one, at the given top edge unless that is negative (the toolbar slides in from above).
std::optional<Geometry> waitForPopup(int width, int height, int y, double seconds);

// A part of the screen, x0..x1 and y0..y1 (the ends excluded).
struct Box {
    int x0, y0, x1, y1;
};

// Pixels in the food pellets' cream colour on the later picture that were not so on the earlier
// one: a few pixels of a fish skin or a bubble may share the colour, and they may move off as well
// as on.
int newPelletPixels(const Screenshot& before, const Screenshot& after, const Box& box);

void mouseTo(int x, int y);
void clickAt(int x, int y, int button = 1);
// The mouse rests on the top edge until the toolbar is down; false if it never came.
bool revealToolbar();
void clickToolbarButton(ToolbarButton button);
// Opens the palette with a middle click at (x, y) (the palette opens there when it fits on the
// screen) and clicks one of its buttons.
void choosePaletteButton(int x, int y, PaletteButton button);
// Moves the mouse in small steps along a line, taking about the given time.
void wander(int fromX, int fromY, int toX, int toY, double seconds);
// Holds the left button down while the mouse goes along a line.
void dragAcross(int fromX, int fromY, int toX, int toY, double seconds);

}  // namespace veltamar::e2e
