#pragma once

#include <GL/gl.h>

#include <array>

#include "assets/texture_loader.h"
#include "environment/tank_bounds.h"

// The surface that carries the backdrop picture: a gently curved Bezier patch of degree 5 in both
// directions standing behind the tank, just in front of the colour plane. Its control points are
// computed once; it is evaluated on a coarse grid and drawn as textured triangle strips.

namespace veltamar {

struct BackdropPoint {
    double x = 0.0, y = 0.0, z = 0.0;
};

constexpr int BACKDROP_ORDER = 6;  // control points per row and per column
using BackdropCurve = std::array<BackdropPoint, BACKDROP_ORDER>;
// [row][column]: rows from top to bottom, columns from left to right.
using BackdropControlPoints = std::array<BackdropCurve, BACKDROP_ORDER>;

struct BackdropPatch {
    BackdropControlPoints backdropControlPoints{};
    int backdropDivisions = 0;  // parameter steps per direction
};

// The sway of the top two rows, and whether it is growing. Every build moves it one step while the
// backdrop picture (background style 0 or 2) is chosen.
extern float backdropSway;
extern bool backdropSwayRising;

// Moves the sway one step and computes the 36 control points from the tank's width and height.
void buildBackdropControlPoints(BackdropPatch& patch, const TankBounds& tank);
// Computes the control points for other tank bounds with the sway as it stands.
void fitBackdropControlPoints(BackdropPatch& patch, const TankBounds& tank);

// The degree-5 curve point of q0..q5 at parameter s: s = 0 gives q5, s = 1 gives q0.
BackdropPoint bezierPoint5(const BackdropCurve& q, float s);

// Receives the evaluated surface: strips of vertices, each with its texture coordinates.
class BackdropStripSink {
  public:
    virtual ~BackdropStripSink() = default;
    virtual void beginStrip() = 0;
    virtual void vertex(float s, float t, const BackdropPoint& point) = 0;
    virtual void endStrip() = 0;
};

// The most parameter steps the surface is evaluated with; the patch uses 2.
constexpr int MAX_BACKDROP_DIVISIONS = 64;

// Evaluates the surface on a (divisions + 1) x (divisions + 1) grid, strip by strip. Texture s
// runs from 0 at the right edge to 1 at the left, t from 0 at the bottom to 1 at the top. The first
// strip repeats the right edge and has no area. Nothing is produced for fewer than one division.
void traceBackdropSurface(const BackdropControlPoints& points, int divisions, BackdropStripSink& sink);

// Draws the surface as triangle strips with the currently bound texture and the current colour,
// normal and lighting; no normals or colours are sent.
void drawBackdropSurface(const BackdropControlPoints& points, int divisions);

// The backdrop picture as the frame shows it: binds the given picture texture (the built-in
// "BackGround0" or another picture), pushes the matrix, draws the surface and pops. The picture's
// transparent texels (pure black in a black-keyed picture) let the colour plane show through.
// Without a texture (no picture could be loaded) nothing is drawn.
//
// The pixels are the same as those of one blended, alpha-tested, lit and modulated draw, for less
// work: the rows of the screen that sample only the picture's opaque rows (opaqueRows; a texture
// without alpha is opaque throughout) are drawn without blending and alpha test, and when
// whiteLight says the surface's lit colour is white whatever its normal, the texels replace the
// colour instead of being multiplied by it.
void drawBackdropPicture(const BackdropPatch& patch, GLuint texture, const OpaqueRows& opaqueRows,
                         bool whiteLight);

// A band of window rows [first, end) of the viewport.
struct WindowRows {
    int first = 0;
    int end = 0;
    bool empty() const { return end <= first; }
};

// The widest band of window rows in which every pixel of the surface, as the current matrices and
// viewport show it, takes its texture coordinate t from tLow to tHigh (with a pixel to spare at
// each side of the band); empty when there is none.
WindowRows surfaceRowsWithin(const BackdropPatch& patch, double tLow, double tHigh);

// Texels of the bound picture per screen pixel across and down the surface, the larger of the two,
// under the current matrices and viewport.
double backdropTexelsPerPixel(const BackdropPatch& patch);

}  // namespace veltamar
