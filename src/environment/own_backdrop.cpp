#include "environment/own_backdrop.h"

namespace veltamar {

bool ownImageOn = false;
GLuint ownImageTexture = 0;

GLuint backdropPictureTexture(GLuint builtInTexture) {
    return ownImageOn && ownImageTexture != 0 ? ownImageTexture : builtInTexture;
}

void drawChosenBackdropPicture(const BackdropPatch& patch, GLuint builtInTexture,
                               const OpaqueRows& builtInOpaqueRows, bool whiteLight) {
    const GLuint texture = backdropPictureTexture(builtInTexture);
    if (texture == builtInTexture) {
        drawBackdropPicture(patch, texture, builtInOpaqueRows, whiteLight);
        return;
    }
    // s' = 1 - s
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(1.0f, 0.0f, 0.0f);
    glScalef(-1.0f, 1.0f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    // A user's picture is opaque throughout when its texture has no alpha; its rows are not known.
    drawBackdropPicture(patch, texture, OpaqueRows{}, whiteLight);
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace veltamar
