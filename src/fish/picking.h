#pragma once

#include <functional>

#include "environment/tank_bounds.h"
#include "fish/fish_population.h"
#include "fish/pick_grids.h"
#include "fish/point3.h"

// The mouse tools find what is under the pointer with OpenGL's selection mode: the fish a touch or
// zoom acts on, and the world point (on the plane z = -70) where food drops and the swirl marker
// goes, found by picking against the thin invisible strips of the pick grids.

namespace veltamar {

// Size of the square pick regions, in pixels.
constexpr double FISH_PICK_BOX = 30.0;
constexpr double STRIP_PICK_BOX = 15.0;

// Picks objects drawn by `draw` (which names each one with glLoadName) in a box around the mouse
// (y counted from the top). Returns the lowest name that was hit, or -1. The projection is the
// frame's own, so what is picked is what is seen. The matrix stacks are left as they were.
int pickLowestName(int mouseX, int mouseY, double boxPixels, const std::function<void()>& draw);

// The x of the first column strip (in index order) under the mouse, or 0 when none is.
float pickWorldX(const PickColumns& columns, int mouseX, int mouseY);
// The y of the first row strip under the mouse, or 0 when none is.
float pickWorldY(const PickRows& rows, int mouseX, int mouseY);

// Sweep flags of the two grids; they keep their value between frames.
struct PickSweep {
    bool columns = false;
    bool rows = false;
};

// Moves every strip 0.1 back or forth so that over time the strips cover the gaps between them:
// each grid drifts about one unit around its start.
void sweepPickGrids(PickColumns& columns, PickRows& rows, PickSweep& sweep, const TankBounds& tank);

// What a click does to the fish it hits.
enum class FishTool { Touch, ZoomIn, ZoomOut, Swirl };

// Finds the fish under the mouse: the records of the population in index order, each drawn (and so
// also advanced a frame) in selection mode, the first one hit wins. Applies the tool to it and
// returns its index, or -1 when no fish was hit.
int pickFishUnderCursor(FishTable& fish, const SpeciesCounts& counts, int mouseX, int mouseY, FishTool tool);

// The tool's effect on one fish: a touch turns a fish in the shelf band a quarter and speeds it up
// to 0.15; the zooms change its size by 2 within 2..8; the swirl does nothing to it.
void applyFishTool(Fish& fish, FishTool tool);

}  // namespace veltamar
