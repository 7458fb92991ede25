#pragma once

#include <GL/gl.h>

#include "environment/backdrop_surface.h"

// The user's own background picture as the background images dialog publishes it: whether
// "Use your own image" is on (copied by the dialog's timer) and the texture of the picture on
// show (0 for none). While both are set, the backdrop picture surface carries that picture in
// place of the built-in one.

namespace veltamar {

extern bool ownImageOn;
extern GLuint ownImageTexture;

// The picture the backdrop surface carries this frame: the user's picture on show, or else the
// built-in picture.
GLuint backdropPictureTexture(GLuint builtInTexture);

// Draws the backdrop picture surface with that picture (builtInOpaqueRows: those of the built-in
// picture; whiteLight as drawBackdropPicture takes it). The surface's texture coordinates run
// from right to left, which suits the built-in picture; a user's picture is drawn the right way
// round, as it looks in any picture viewer.
void drawChosenBackdropPicture(const BackdropPatch& patch, GLuint builtInTexture,
                               const OpaqueRows& builtInOpaqueRows, bool whiteLight);

}  // namespace veltamar
