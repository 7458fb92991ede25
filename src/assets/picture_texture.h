#pragma once

#include <GL/gl.h>

#include <string>

// Textures of the user's own background pictures (JPEG, BMP, PNG), made by SOIL with mipmaps,
// rows turned so the picture stands upright, DXT compression where the driver offers it, and
// colours kept within the NTSC-safe range. A picture larger than the driver takes is scaled down.

namespace veltamar {

// The flags every picture texture is made with.
unsigned pictureTextureFlags();

// Reads the file and makes its texture (the OpenGL context must be current). 0 when the file
// cannot be read as a picture.
GLuint loadPictureTexture(const std::string& path);

// Lets go of a picture texture that is no longer shown.
void releasePictureTexture(GLuint texture);

}  // namespace veltamar
