#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <string>

// The three ways the program makes its built-in textures. Each loader creates a texture name,
// stores it in the caller's slot and leaves it bound; a file that cannot be read leaves the
// texture without an image.

namespace veltamar {

// A run of a picture's texel rows (counted from the bottom, as OpenGL counts them) in which every
// texel is fully opaque: a surface that samples only these rows looks the same drawn without
// blending.
struct OpaqueRows {
    int first = 0;   // the run's lowest row
    int count = 0;   // rows in the run; 0 when there is none
    int height = 0;  // rows of the whole picture
    bool whole() const { return count > 0 && count == height; }
};

// The longest run of rows of an RGBA picture (rows of width * 4 bytes) whose alpha is 255 throughout.
OpaqueRows opaqueRowRun(const std::uint8_t* rgba, int width, int height);

// Mipmapped RGBA texture in which exactly the pure black pixels are transparent (the backdrop
// picture). Wrap repeat, linear filtering, GL_LINEAR_MIPMAP_NEAREST minification. Returns the
// picture's longest run of rows without a transparent texel (none when it could not be read).
OpaqueRows loadBlackKeyedTexture(const std::string& fileName, GLuint& texture);

// Texture from an 8-, 24- or 32-bit picture, scaled to power-of-two sides of at most 512 when
// its sides are not already powers of two (8-bit pictures are always expanded and scaled).
void loadPlainTexture(const std::string& fileName, GLuint& texture);

// A blank RGBA texture of the given size for copies of the screen (128 x 128 unless asked
// otherwise).
GLuint createBlankTexture(int width = 128, int height = 128);

// The largest side the plain loader makes.
constexpr int PLAIN_TEXTURE_LIMIT = 512;

}  // namespace veltamar
