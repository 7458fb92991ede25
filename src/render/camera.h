#pragma once

// The fixed camera of the aquarium: the eye stands at (0, 0, -7) and looks toward -z; the frustum
// is 0.8 high at the near plane (1.0) and follows the screen's aspect ratio.

namespace veltamar {

struct Frustum {
    double left, right, bottom, top, zNear, zFar;
};

constexpr double FRUSTUM_HALF_HEIGHT = 0.4;
constexpr double FRUSTUM_NEAR = 1.0;
constexpr double FRUSTUM_FAR = 1000.0;

// The frustum for the stored screen size: a wide screen widens it, a tall one makes it taller.
Frustum frameFrustum(int screenWidth, int screenHeight);

// Loads the projection (frameFrustum) and the camera (gluLookAt from the eye toward (0, 0, -500))
// and leaves the model-view matrix selected. eyeZOffset is the scene's -5, putting the eye at -7.
void applyFrameCamera(int screenWidth, int screenHeight, float eyeZOffset);

}  // namespace veltamar
