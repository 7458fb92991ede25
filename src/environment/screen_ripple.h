#pragma once

#include <GL/gl.h>

#include "environment/ripple_tables.h"

// The ripple tool: the finished frame is copied into a texture and drawn again over the whole view
// through a 32 x 32 grid whose texture coordinates are pushed around by up to 100 expanding rings.

namespace veltamar {

constexpr int RIPPLE_SLOTS = 100;

struct RippleVertex {
    float x, y;    // grid position, -1..1 across the view
    float s, t;    // texture coordinates this frame
    float s0, t0;  // texture coordinates at rest, 0..1 across the copied screen
};

class RippleMesh {
public:
    RippleMesh() = default;
    virtual ~RippleMesh() = default;

    RippleVertex vertices[RIPPLE_GRID][RIPPLE_GRID] = {};  // [column i][row j]
    int centreX[RIPPLE_SLOTS] = {};
    int centreY[RIPPLE_SLOTS] = {};
    int age[RIPPLE_SLOTS] = {};
    int maxAge[RIPPLE_SLOTS] = {};
    int diagonal = 0;
    int width = 0;  // size of the view in pixels
    int height = 0;
};

// Stores the view's size, finishes every ripple and lays the grid over the whole view.
void resizeRippleMesh(RippleMesh& mesh, int width, int height);

// Starts a ripple at a mouse position in pixels (my measured from the bottom of the view) in the
// first finished slot; ignored when all 100 are running.
void addRipple(RippleMesh& mesh, int mx, int my);

// Frames a ripple started at grid point (gx, gy) runs before its slot is free again, times five.
int rippleMaxAge(const RippleMesh& mesh, int gx, int gy);

// Ages every ripple by one frame and recomputes the grid's texture coordinates.
void advanceRipples(RippleMesh& mesh);

// The texture the frame is copied into, sized to hold the whole view.
struct ScreenCopy {
    GLuint texture = 0;
    int textureWidth = 0;
    int textureHeight = 0;
};

// Makes the screen-copy texture large enough for width x height pixels: exactly that size where
// the driver takes any size, else the next power-of-two sides.
void fitScreenCopy(ScreenCopy& copy, int width, int height);

// Copies the frame into the texture, draws the rippled copy over the whole view and advances the
// ripples. Leaves the matrices, lighting, depth test and blending as it found them.
void drawScreenRipple(RippleMesh& mesh, ScreenCopy& copy);

}  // namespace veltamar
