#include "render/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace veltamar {

Frustum frameFrustum(int w, int h) {
    if (w <= 0) w = 1;
    if (h <= 0) h = 1;
    if (w > h) {
        const double x = FRUSTUM_HALF_HEIGHT * w / h;
        return {-x, x, -FRUSTUM_HALF_HEIGHT, FRUSTUM_HALF_HEIGHT, FRUSTUM_NEAR, FRUSTUM_FAR};
    }
    const double y = FRUSTUM_HALF_HEIGHT * h / w;
    return {-FRUSTUM_HALF_HEIGHT, FRUSTUM_HALF_HEIGHT, -y, y, FRUSTUM_NEAR, FRUSTUM_FAR};
}

void applyFrameCamera(int screenWidth, int screenHeight, float eyeZOffset) {
    const Frustum f = frameFrustum(screenWidth, screenHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(f.left, f.right, f.bottom, f.top, f.zNear, f.zFar);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const double eyeZ = 0.0 + eyeZOffset - 2.0;
    gluLookAt(0.0, 0.0, eyeZ, 0.0, 0.0, -500.0, 0.0, 1.0, 0.0);
}

}  // namespace veltamar
