#include "environment/own_backdrop.h"

namespace veltamar {

bool ownImageOn = false;
GLuint ownImageTexture = 0;

GLuint backdropPictureTexture(GLuint builtInTexture) {
    return ownImageOn && ownImageTexture != 0 ? ownImageTexture : builtInTexture;
}

void drawChosenBackdropPicture(const BackdropPatch& patch, GLuint builtInTexture) {
    const GLuint texture = backdropPictureTexture(builtInTexture);
    if (texture == builtInTexture) {
        drawBackdropPicture(patch, texture);
        return;
    }
    // s' = 1 - s
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(1.0f, 0.0f, 0.0f);
    glScalef(-1.0f, 1.0f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    drawBackdropPicture(patch, texture);
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace veltamar
