#pragma once

#include <optional>
#include <string>
#include <vector>

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

void mouseTo(int x, int y);
void clickAt(int x, int y, int button = 1);
// The mouse rests on the top edge until the toolbar is down; false if it never came.
bool revealToolbar();
void clickToolbarButton(ToolbarButton button);
// Opens the palette with a middle click at (x, y) (the palette opens there when it fits on the
// screen) and clicks one of its buttons.
void choosePaletteButton(int x, int y, PaletteButton button);
// Feed clicks (the feed tool chosen) at each x along the row y, on a desktop of the given scale.
// A pellet lands on the picking grid's cell nearest the mouse and shows as a dash of a few
// pixels; it then sinks, and the fish come to eat it, passing in front of it on the way. So each
// click is looked at a few times in the second after it, in the stretch of the row that is its
// own, for pellet pixels that the picture from before the clicks did not have. Gives how many
// clicks showed a pellet: a fish may hide or take one first, not most.
int feedClicksShowingAPellet(const Screenshot& unfed, const std::vector<int>& xs, int y, int scale,
                             const std::string& shotName);
// Moves the mouse in small steps along a line, taking about the given time.
void wander(int fromX, int fromY, int toX, int toY, double seconds);
// Holds the left button down while the mouse goes along a line.
void dragAcross(int fromX, int fromY, int toX, int toY, double seconds);

}  // namespace veltamar::e2e
