#include "environment/backdrop_colour_plane.h"

#include <GL/gl.h>

#include <cmath>

#include "settings/live_settings.h"

namespace veltamar {

float colourPhase = 0.0f;
bool colourPhaseSeeded = false;

namespace {

constexpr float PHASE_STEP = 0.2f;
constexpr float PHASE_WRAP = 10000.0f;

// Corners in the order they are always sent: bottom-left, bottom-right, top-right, top-left.
struct PlaneCorners {
    float left, right, bottom, top, z;
};

PlaneCorners planeCorners(const TankBounds& tank) {
    return {2.0f * tank.sceneLeft, 2.0f * tank.sceneRight, 3.0f * tank.sceneBottom, 3.0f * tank.sceneTop,
            3.0f * tank.sceneBack};
}

void beginPlane() {
    glShadeModel(GL_SMOOTH);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
}

void endPlane() {
    glEnd();
    glColor3ub(255, 255, 255);
    glEnable(GL_TEXTURE_2D);
}

void colour(const PlaneColour& c) {
    glColor3f(c.r, c.g, c.b);
}

PlaneColour unitColour(std::uint32_t colorref) {
    const ColourBytes b = colourBytes(colorref);
    return {b.r / 255.0f, b.g / 255.0f, b.b / 255.0f};
}

void drawFixed(const PlaneCorners& q, std::uint32_t colorref) {
    const ColourBytes c = colourBytes(colorref);
    beginPlane();
    glColor3ub(c.r, c.g, c.b);
    glVertex3f(q.left, q.bottom, q.z);
    glVertex3f(q.right, q.bottom, q.z);
    glVertex3f(q.right, q.top, q.z);
    glVertex3f(q.left, q.top, q.z);
    endPlane();
}

void drawGradient(const PlaneCorners& q, std::uint32_t topColour, std::uint32_t bottomColour) {
    const PlaneColour top = unitColour(topColour);
    const PlaneColour bottom = unitColour(bottomColour);
    beginPlane();
    colour(bottom);
    glVertex3f(q.left, q.bottom, q.z);
    glVertex3f(q.right, q.bottom, q.z);
    colour(top);
    glVertex3f(q.right, q.top, q.z);
    glVertex3f(q.left, q.top, q.z);
    endPlane();
}

void drawAutoGradient(const PlaneCorners& q) {
    const AutoGradientColours c = autoGradientColours(stepColourPhase());
    beginPlane();
    colour(c.bottom);
    glVertex3f(q.left, q.bottom, q.z);
    glVertex3f(q.right, q.bottom, q.z);
    colour(c.topRight);
    glVertex3f(q.right, q.top, q.z);
    colour(c.topLeft);
    glVertex3f(q.left, q.top, q.z);
    endPlane();
}

}  // namespace

ColourBytes colourBytes(std::uint32_t colorref) {
    return {static_cast<std::uint8_t>(colorref & 0xff), static_cast<std::uint8_t>((colorref >> 8) & 0xff),
            static_cast<std::uint8_t>((colorref >> 16) & 0xff)};
}

AutoGradientColours autoGradientColours(float phase) {
    // The three channels cycle with different periods (about 942, 785 and 534 frames).
    const float a = phase * 0.033333335f;
    const float b = phase * 0.04f;
    const float c = phase * 0.05882353f;
    const float sinA = static_cast<float>(std::sin(double{a})),
                cosA = static_cast<float>(std::cos(double{a}));
    const float sinB = static_cast<float>(std::sin(double{b})),
                cosB = static_cast<float>(std::cos(double{b}));
    const float sinC = static_cast<float>(std::sin(double{c})),
                cosC = static_cast<float>(std::cos(double{c}));
    return {{1.0f - cosA, 1.0f - sinB, 1.0f - cosC}, {sinA, cosB, sinC}, {sinA, 1.0f - cosB, sinC}};
}

float stepColourPhase() {
    if (!colourPhaseSeeded) {
        colourPhase = liveSettings.backRotation;
        colourPhaseSeeded = true;
    }
    if (liveSettings.backLock == 0) {
        colourPhase += PHASE_STEP;
        if (colourPhase >= PHASE_WRAP) colourPhase = 0.0f;
        savedBackRotation = colourPhase;
    }
    return colourPhase;
}

void drawBackdropColourPlane(const TankBounds& tank) {
    // A plane of one colour that is the frame's clear colour (black, the setting every start
    // resets to) would change no pixel: it stands behind everything else, and fog, which would
    // tint it, is on in the first frame only. Drawing it anyway costs a full-screen fill.
    const bool onlyTheClearColour = liveSettings.backFixed != 0 && liveSettings.backGradient == 0 &&
                                    liveSettings.backAutoGradient == 0 &&
                                    (liveSettings.backColor & 0xffffff) == 0;
    if (onlyTheClearColour && !glIsEnabled(GL_FOG)) return;

    const PlaneCorners corners = planeCorners(tank);
    if (liveSettings.backFixed != 0) drawFixed(corners, liveSettings.backColor);
    if (liveSettings.backGradient != 0)
        drawGradient(corners, liveSettings.backColor1, liveSettings.backColor2);
    if (liveSettings.backAutoGradient != 0) drawAutoGradient(corners);
}

}  // namespace veltamar
