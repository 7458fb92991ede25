#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SOIL/SOIL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "assets/picture_decoder.h"
#include "assets/picture_texture.h"
#include "offscreen_context.h"
#include "picture_text_font.h"
#include "temp_config_home.h"

// The user's own pictures as people have them, made here by ImageMagick: every valid kind is read
// (SOIL's decoder, or the toolkit's where SOIL cannot) and becomes a texture; broken files do not.

using namespace veltamar;
using namespace veltamar::testsupport;

namespace {

constexpr PictureSize SCREEN{1024, 768};

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

bool soilReads(const std::string& path) {
    int w = 0, h = 0, c = 0;
    unsigned char* pixels = SOIL_load_image(path.c_str(), &w, &h, &c, SOIL_LOAD_AUTO);
    SOIL_free_image_data(pixels);
    return pixels != nullptr;
}

class PictureTextureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok());
        std::filesystem::create_directories(home.dataDirectory());
    }
    // A picture made by ImageMagick, written in the given format ("PNG48:"; empty: by the name).
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

TEST_F(PictureTextureTest, EveryValidKindOfPictureBecomesATexture) {
    const std::string colour = "-size 300x200 xc:'rgb(200,60,30)' -fill 'rgb(200,60,31)' -draw 'point 1,1'";
    const std::string gradient =
        "-size 300x200 gradient:'rgb(200,60,30)'-'rgb(20,160,230)' -colors 200 -type Palette";
    struct Kind {
        std::string path;
        bool soilCanRead;
        int channels;
        bool even = true;  // one colour all over (checked in the middle)
    };
    const std::vector<Kind> kinds{
        {picture("baseline.jpg", colour), true, 3},
        {picture("progressive.jpg", colour + " -interlace Plane"), false, 3},
        {picture("grey.jpg", colour + " -colorspace Gray"), true, 1, false},
        {picture("alpha.png", colour + " -alpha set -channel A -evaluate set 50% +channel", "PNG32:"), true,
         4},
        {picture("deep.png", colour, "PNG48:"), false, 3},
        {picture("true.bmp", colour + " -type TrueColor", "BMP3:"), true, 3},
        {picture("two-colour.bmp", colour + " -type Palette", "BMP3:"), false, 3},
        {picture("palette.bmp", gradient + " -compress None", "BMP3:"), true, 3, false},
        {picture("rle.bmp", gradient + " -compress RLE", "BMP3:"), false, 3, false},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.path);
        EXPECT_EQ(soilReads(kind.path), kind.soilCanRead) << "the file is of the kind meant";
        const DecodedPicture decoded = decodePicture(kind.path, SCREEN);
        ASSERT_TRUE(decoded.ok());
        EXPECT_EQ(decoded.width, 300);
        EXPECT_EQ(decoded.height, 200);
        EXPECT_EQ(decoded.channels, kind.channels);
        const std::size_t centre = (100 * 300 + 150) * static_cast<std::size_t>(decoded.channels);
        if (kind.even) {
            EXPECT_NEAR(decoded.pixels[centre], 200, 6);
            EXPECT_NEAR(decoded.pixels[centre + 1], 60, 6);
            EXPECT_NEAR(decoded.pixels[centre + 2], 30, 6);
        }
        if (kind.channels == 4) {
            EXPECT_NEAR(decoded.pixels[centre + 3], 128, 2);
        }

        const GLuint texture = createPictureTexture(decoded);
        ASSERT_NE(texture, 0u);
        const Size base = levelSize(texture);
        EXPECT_EQ(base.width, 512);
        EXPECT_EQ(base.height, 256);
        EXPECT_EQ(levelSize(texture, 8).width, 2) << "mipmaps down to the smallest level";
        releasePictureTexture(texture);
        EXPECT_FALSE(glIsTexture(texture));
    }
}

TEST_F(PictureTextureTest, ColoursAreKeptNtscSafe) {
    const DecodedPicture white =
        decodePicture(picture("white.png", "-size 64x64 xc:white -depth 8", "PNG24:"), SCREEN);
    const GLuint texture = createPictureTexture(white);
    ASSERT_NE(texture, 0u);
    std::vector<unsigned char> texels(64 * 64 * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_GE(texels[0], 230);
    EXPECT_LE(texels[0], 240);  // 235, give or take the lossy compression
    releasePictureTexture(texture);
}

TEST_F(PictureTextureTest, BrokenFilesGiveNoPicture) {
    const std::string whole = picture("whole.jpg", "-size 600x400 gradient:red-blue");
    std::ifstream in(whole, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::string truncated = home.dataDirectory() + "truncated.jpg";
    std::ofstream(truncated, std::ios::binary) << bytes.substr(0, bytes.size() * 2 / 3);
    std::string noise(20000, '\0');
    std::srand(7);
    for (char& c : noise) c = static_cast<char>(std::rand());
    const std::string random = home.dataDirectory() + "random.png";
    std::ofstream(random, std::ios::binary) << noise;

    EXPECT_TRUE(decodePicture(whole, SCREEN).ok());
    for (const std::string& broken : {truncated, random, home.dataDirectory() + "missing.jpg"}) {
        const DecodedPicture decoded = decodePicture(broken, SCREEN);
        EXPECT_FALSE(decoded.ok()) << broken;
        EXPECT_EQ(createPictureTexture(decoded), 0u) << broken;
    }
}

TEST_F(PictureTextureTest, PictureLargerThanTheScreenBecomesATextureNoLargerThanIt) {
    const std::string photo = picture(
        "photo.jpg", "-size 6000x4000 gradient:navy-gold -fill white -pointsize 400 " PICTURE_TEXT_FONT
                     "-annotate +300+2000 Veltamar");
    const DecodedPicture decoded = decodePicture(photo, SCREEN);
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(decoded.original, (PictureSize{6000, 4000}));
    EXPECT_EQ(decoded.width, 1024);
    EXPECT_EQ(decoded.height, 512);

    const auto start = std::chrono::steady_clock::now();
    const GLuint texture = createPictureTexture(decoded);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    ASSERT_NE(texture, 0u);
    const Size base = levelSize(texture);
    EXPECT_EQ(base.width, 1024);
    EXPECT_EQ(base.height, 512);
    std::printf("texture from a 6000 x 4000 photo: %d x %d in %.1f ms\n", base.width, base.height, ms);
    releasePictureTexture(texture);
}

TEST_F(PictureTextureTest, BoundsNeverExceedWhatTheDriverTakes) {
    GLint limit = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
    EXPECT_EQ(pictureTextureBounds(1024, 768), SCREEN);
    EXPECT_EQ(pictureTextureBounds(limit * 2, 600), (PictureSize{limit, 600}));
}
