#pragma once

// The swirl tool's marker: a spinning wire cone that glides after the clicked point.

namespace veltamar {

struct SwirlMarker {
    float spawn[3] = {0.0f, 0.0f, 0.0f};
    float target[3] = {0.0f, 0.0f, 0.0f};
    float current[3] = {0.0f, 0.0f, 0.0f};
};

// Degrees the cone has turned; advances 0.1 per draw and starts again after 360.
extern float swirlAngle;

// Puts the marker at a point (spawn, current and target) and draws it once.
void placeSwirlMarker(SwirlMarker& marker, float x, float y, float z);
void setSwirlTarget(SwirlMarker& marker, float x, float y, float z);

// Draws the cone at the marker's current point, turned by swirlAngle.
void drawSwirlMarker(SwirlMarker& marker);

// Draws the marker once more and moves it 1.5 toward its target on every axis where it is more
// than 1.5 away.
void stepSwirlMarker(SwirlMarker& marker);

// The move of stepSwirlMarker without drawing.
void moveSwirlMarker(SwirlMarker& marker);

}  // namespace veltamar
