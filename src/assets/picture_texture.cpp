#include "assets/picture_texture.h"

#include <SOIL/SOIL.h>

#include <algorithm>

namespace veltamar {

unsigned pictureTextureFlags() {
    return SOIL_FLAG_MIPMAPS | SOIL_FLAG_INVERT_Y | SOIL_FLAG_COMPRESS_TO_DXT | SOIL_FLAG_NTSC_SAFE_RGB;
}

PictureSize pictureTextureBounds(int screenWidth, int screenHeight) {
    GLint limit = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
    if (limit <= 0) limit = 1024;  // no context: what every driver takes
    return {std::clamp(screenWidth, 1, limit), std::clamp(screenHeight, 1, limit)};
}

// SOIL's texture maker, as its file loader uses it once it has decoded the file.
GLuint createPictureTexture(const DecodedPicture& picture) {
    if (!picture.ok()) return 0;
    return SOIL_create_OGL_texture(picture.pixels.data(), picture.width, picture.height, picture.channels,
                                   SOIL_CREATE_NEW_ID, pictureTextureFlags());
}

void releasePictureTexture(GLuint texture) {
    if (texture != 0) glDeleteTextures(1, &texture);
}

}  // namespace veltamar
