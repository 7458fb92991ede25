#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "assets/picture_texture.h"
#include "bmp_builder.h"
#include "offscreen_context.h"
#include "temp_config_home.h"

using namespace veltamar;
using namespace veltamar::testsupport;

namespace {

struct Size {
    GLint width = 0, height = 0;
};

Size levelSize(GLuint texture, int level = 0) {
    Size s;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &s.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &s.height);
    return s;
}

class PictureTextureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok());
        std::filesystem::create_directories(home.dataDirectory());
    }
    // A picture made by ImageMagick from the given arguments, written in the given format (for
    // example "PNG24:"; empty: by the file name).
    std::string picture(const std::string& name, const std::string& arguments,
                        const std::string& format = "") {
        const std::string path = home.dataDirectory() + name;
        const std::string command = "convert " + arguments + " " + format + "'" + path + "' 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return path;
    }
    gltest::OffscreenContext gl{64, 64};
    TempConfigHome home;
};

}  // namespace

TEST_F(PictureTextureTest, JpegPngAndBmpBecomeMipmappedPowerOfTwoTextures) {
    const std::vector<std::string> files{
        picture("a.jpg", "-size 300x200 xc:'rgb(255,255,255)'"),
        picture("b.png", "-size 300x200 xc:'rgb(255,255,255)' -depth 8", "PNG24:"),
        picture("c.bmp", "-size 300x200 xc:'rgb(255,255,255)' -type TrueColor", "BMP3:"),
    };
    for (const std::string& file : files) {
        const GLuint texture = loadPictureTexture(file);
        ASSERT_NE(texture, 0u) << file;
        const Size base = levelSize(texture);
        EXPECT_EQ(base.width, 512) << file;
        EXPECT_EQ(base.height, 256) << file;
        EXPECT_EQ(levelSize(texture, 8).width, 2) << "mipmaps down to the smallest level: " << file;
        // Colours are kept within 16..235: white reads back as at most 235.
        std::vector<unsigned char> texels(512 * 256 * 4);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        EXPECT_LE(texels[0], 240) << file;  // 235 after the lossy compression
        EXPECT_GE(texels[0], 230) << file;
        releasePictureTexture(texture);
        EXPECT_FALSE(glIsTexture(texture));
    }
}

TEST_F(PictureTextureTest, FilesThatAreNoPictureGiveNoTexture) {
    const std::string noise = home.dataDirectory() + "noise.png";
    std::ofstream(noise, std::ios::binary) << std::string(5000, '\x5a');
    EXPECT_EQ(loadPictureTexture(noise), 0u);
    EXPECT_EQ(loadPictureTexture(home.dataDirectory() + "missing.jpg"), 0u);
}

TEST_F(PictureTextureTest, PictureWiderThanTheDriverTakesIsScaledDown) {
    GLint limit = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
    BmpSpec spec;
    spec.width = limit + limit / 4;
    spec.height = 2;
    spec.pixel = [](int, int) -> std::uint32_t { return 0x808080; };
    const std::string wide = home.dataDirectory() + "wide.bmp";
    const std::vector<std::uint8_t> bytes = buildBmp(spec);
    std::ofstream(wide, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const GLuint texture = loadPictureTexture(wide);
    ASSERT_NE(texture, 0u);
    const Size base = levelSize(texture);
    EXPECT_EQ(base.width, limit);
    EXPECT_GE(base.height, 1);
    releasePictureTexture(texture);
}
