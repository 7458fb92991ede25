#include "assets/picture_texture.h"

#include <SOIL/SOIL.h>

namespace veltamar {

unsigned pictureTextureFlags() {
    return SOIL_FLAG_MIPMAPS | SOIL_FLAG_INVERT_Y | SOIL_FLAG_COMPRESS_TO_DXT | SOIL_FLAG_NTSC_SAFE_RGB;
}

GLuint loadPictureTexture(const std::string& path) {
    return SOIL_load_OGL_texture(path.c_str(), SOIL_LOAD_AUTO, SOIL_CREATE_NEW_ID, pictureTextureFlags());
}

void releasePictureTexture(GLuint texture) {
    if (texture != 0) glDeleteTextures(1, &texture);
}

}  // namespace veltamar
