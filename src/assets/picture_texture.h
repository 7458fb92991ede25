#pragma once

#include <GL/gl.h>

#include "assets/decoded_picture.h"
#include "assets/picture_fit.h"

// Textures of the user's own background pictures, made by SOIL from decoded pixels with mipmaps,
// rows turned so the picture stands upright, DXT compression where the driver offers it, and
// colours kept within the NTSC-safe range. The OpenGL context must be current.

namespace veltamar {

// The flags every picture texture is made with.
unsigned pictureTextureFlags();

// The bounds pictures are fitted into before they become textures: the screen, and no more than
// the driver takes.
PictureSize pictureTextureBounds(int screenWidth, int screenHeight);

// The texture of a decoded picture; 0 when there is none.
GLuint createPictureTexture(const DecodedPicture& picture);

// Lets go of a picture texture that is no longer shown.
void releasePictureTexture(GLuint texture);

}  // namespace veltamar
