#include "assets/texture_loader.h"

#include <GL/glu.h>

#include <algorithm>
#include <vector>

#include "assets/bmp_file.h"
#include "platform/file_bytes.h"

#ifndef GL_BGR_EXT
#define GL_BGR_EXT 0x80E0
#endif
#ifndef GL_BGRA_EXT
#define GL_BGRA_EXT 0x80E1
#endif

namespace veltamar {

namespace {

std::vector<std::uint8_t> readWholeFile(const std::string& name) {
    const auto bytes = readFileBytes(name);
    if (!bytes) return {};
    return {bytes->begin(), bytes->end()};
}

GLuint newBoundTexture() {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    return name;
}

}  // namespace

OpaqueRows opaqueRowRun(const std::uint8_t* rgba, int width, int height) {
    OpaqueRows best{0, 0, height};
    int runStart = 0;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = rgba + static_cast<std::size_t>(y) * width * 4;
        bool opaque = true;
        for (int x = 0; x < width && opaque; ++x) opaque = row[x * 4 + 3] == 255;
        if (!opaque) {
            runStart = y + 1;
        } else if (y + 1 - runStart > best.count) {
            best.first = runStart;
            best.count = y + 1 - runStart;
        }
    }
    return best;
}

OpaqueRows loadBlackKeyedTexture(const std::string& fileName, GLuint& texture) {
    texture = newBoundTexture();
    const std::vector<std::uint8_t> file = readWholeFile(fileName);
    const auto bmp = parseBmp(file);
    if (!bmp) return {};
    const std::vector<std::uint8_t> rgba = blackKeyedRgba(*bmp);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, bmp->width, bmp->height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    return opaqueRowRun(rgba.data(), bmp->width, bmp->height);
}

void loadPlainTexture(const std::string& fileName, GLuint& texture) {
    texture = newBoundTexture();
    const std::vector<std::uint8_t> file = readWholeFile(fileName);
    if (file.size() < 15) return;
    const auto bmp = parseBmp(file);
    if (!bmp) return;

    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);

    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const int limit = std::min(maxSize > 0 ? maxSize : PLAIN_TEXTURE_LIMIT, PLAIN_TEXTURE_LIMIT);
    const int targetWidth = powerOfTwoSide(bmp->width, limit);
    const int targetHeight = powerOfTwoSide(bmp->height, limit);
    const bool fourChannels = bmp->bitsPerPixel == 32;
    const GLenum format = fourChannels ? GL_BGRA_EXT : GL_BGR_EXT;
    const GLint components = fourChannels ? 4 : 3;

    if (targetWidth == bmp->width && targetHeight == bmp->height && bmp->bitsPerPixel != 8) {
        glTexImage2D(GL_TEXTURE_2D, 0, components, bmp->width, bmp->height, 0, format, GL_UNSIGNED_BYTE,
                     bmp->pixels.data());
        return;
    }

    // Scaling treats the three channels alike, so the blue-first order survives being named RGB.
    std::vector<std::uint8_t> expanded;
    const std::uint8_t* source = bmp->pixels.data();
    if (bmp->bitsPerPixel == 8) {
        expanded = expandPaletteToBgr(*bmp);
        source = expanded.data();
    }
    const int targetBits = fourChannels ? 32 : 24;
    std::vector<std::uint8_t> scaled(static_cast<std::size_t>(rowStride(targetBits, targetWidth)) *
                                     targetHeight);
    if (gluScaleImage(fourChannels ? GL_BGRA_EXT : GL_RGB, bmp->width, bmp->height, GL_UNSIGNED_BYTE, source,
                      targetWidth, targetHeight, GL_UNSIGNED_BYTE, scaled.data()) != 0)
        return;
    glTexImage2D(GL_TEXTURE_2D, 0, components, targetWidth, targetHeight, 0, format, GL_UNSIGNED_BYTE,
                 scaled.data());
}

GLuint createBlankTexture(int width, int height) {
    const std::vector<std::uint8_t> zeros(static_cast<std::size_t>(width) * height * 4, 0);
    const GLuint name = newBoundTexture();
    glTexImage2D(GL_TEXTURE_2D, 0, 4, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, zeros.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

}  // namespace veltamar
