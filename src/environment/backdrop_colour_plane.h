#pragma once

#include <cstdint>

#include "environment/tank_bounds.h"

// The colour plane far behind the tank: the scene's background colour wherever the backdrop
// picture does not cover it. It shows one fixed colour, a vertical two-colour gradient, or an
// automatic gradient whose colours cycle slowly and can be frozen, each mode switched by its own
// live setting.

namespace veltamar {

// Running phase of the automatic gradient, and whether it has been seeded from the stored
// backRotation (the first time the automatic mode is drawn in the process).
extern float colourPhase;
extern bool colourPhaseSeeded;

struct ColourBytes {
    std::uint8_t r, g, b;
};

// The red, green and blue bytes of a Windows colour value 0x00BBGGRR.
ColourBytes colourBytes(std::uint32_t colorref);

struct PlaneColour {
    float r, g, b;
};

// Corner colours of the automatic gradient at a phase. Components may fall outside 0..1; the
// colour pipeline clamps them, so parts of the cycle show black channels.
struct AutoGradientColours {
    PlaneColour bottom;  // both bottom corners
    PlaneColour topRight;
    PlaneColour topLeft;
};
AutoGradientColours autoGradientColours(float phase);

// One frame of the automatic gradient's clock: seeds the phase from backRotation the first time,
// advances it by 0.2 (wrapping at 10000) unless backLock is set, and publishes it as
// savedBackRotation. Returns the phase to draw with.
float stepColourPhase();

// Draws the plane at three times the tank's depth, twice its width and three times its height,
// once for every mode that is switched on. Leaves texturing on and the colour white after each
// mode it draws.
void drawBackdropColourPlane(const TankBounds& tank);

}  // namespace veltamar
