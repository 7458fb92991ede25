#include <gtest/gtest.h>

#include <GL/gl.h>

#include <filesystem>
#include <fstream>

#include "assets/texture_loader.h"
#include "bmp_builder.h"
#include "offscreen_context.h"
#include "platform/crt_rand.h"
#include "temp_config_home.h"

using namespace veltamar;
using namespace veltamar::testsupport;

namespace {

struct Level {
    GLint width = 0, height = 0, red = 0, alpha = 0;
};

Level levelOf(GLuint texture, int level = 0) {
    Level l;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &l.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &l.height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_RED_SIZE, &l.red);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_ALPHA_SIZE, &l.alpha);
    return l;
}

std::vector<std::uint8_t> texels(GLuint texture, GLenum format, int count) {
    std::vector<std::uint8_t> out(count);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, out.data());
    return out;
}

class TextureLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok());
        std::filesystem::create_directories(home.dataDirectory());
    }
    std::string file(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = home.dataDirectory() + name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return path;
    }
    gltest::OffscreenContext gl{64, 64};
    TempConfigHome home;
};

}  // namespace

TEST_F(TextureLoaderTest, PlainPicturesKeepPowerOfTwoSidesAndAreScaledOtherwise) {
    BmpLayout layout;
    layout.width = 64;
    layout.height = 64;
    layout.pixel = [](int x, int y) -> std::uint32_t { return x == 0 && y == 0 ? 0x102030 : 0xffffff; };
    GLuint texture = 0;
    loadPlainTexture(file("a.bmp", buildBmp(layout)), texture);
    EXPECT_NE(texture, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), texture) << "left bound";
    Level l = levelOf(texture);
    EXPECT_EQ(l.width, 64);
    EXPECT_EQ(l.height, 64);
    EXPECT_EQ(l.alpha, 0) << "three components";
    const auto rgb = texels(texture, GL_RGB, 64 * 64 * 3);
    EXPECT_EQ((std::vector<int>{rgb[0], rgb[1], rgb[2]}), (std::vector<int>{0x10, 0x20, 0x30}))
        << "blue-first pixels uploaded as they are, first row at t = 0";

    struct Case {
        int w, h, bits, expectW, expectH;
    };
    for (const Case& c : {Case{100, 60, 24, 128, 64}, Case{1024, 512, 24, 512, 512}, Case{1, 1, 24, 2, 2},
                          Case{3, 5, 24, 4, 8}, Case{64, 64, 32, 64, 64}, Case{33, 17, 32, 64, 32}}) {
        BmpLayout s;
        s.width = c.w;
        s.height = c.h;
        s.bitsPerPixel = c.bits;
        s.pixel = [](int, int) -> std::uint32_t { return 0x4080c0; };
        loadPlainTexture(file("s.bmp", buildBmp(s)), texture);
        l = levelOf(texture);
        EXPECT_EQ(l.width, c.expectW) << c.w << "x" << c.h;
        EXPECT_EQ(l.height, c.expectH) << c.w << "x" << c.h;
        EXPECT_EQ(l.alpha > 0, c.bits == 32);
        const auto px = texels(texture, GL_RGB, c.expectW * c.expectH * 3);
        EXPECT_EQ((std::vector<int>{px[0], px[1], px[2]}), (std::vector<int>{0x40, 0x80, 0xc0})) << c.w;
    }
}

TEST_F(TextureLoaderTest, EightBitPicturesAreAlwaysExpandedThroughThePalette) {
    BmpLayout layout;
    layout.width = 64;
    layout.height = 64;
    layout.bitsPerPixel = 8;
    layout.palette = {0x000000, 0x11aa44};
    layout.pixel = [](int, int) -> std::uint32_t { return 1; };
    GLuint texture = 0;
    loadPlainTexture(file("p.bmp", buildBmp(layout)), texture);
    const Level l = levelOf(texture);
    EXPECT_EQ(l.width, 64);
    EXPECT_EQ(l.alpha, 0);
    const auto rgb = texels(texture, GL_RGB, 64 * 64 * 3);
    EXPECT_EQ((std::vector<int>{rgb[0], rgb[1], rgb[2]}), (std::vector<int>{0x11, 0xaa, 0x44}));
}

TEST_F(TextureLoaderTest, BlackKeyedTexturesAreMipmappedWithExactlyBlackTransparent) {
    BmpLayout layout;
    layout.width = 8;
    layout.height = 4;
    layout.pixel = [](int x, int) -> std::uint32_t { return x < 4 ? 0x000000 : 0x000001; };
    GLuint texture = 0;
    loadBlackKeyedTexture(file("k.bmp", buildBmp(layout)), texture);
    const Level base = levelOf(texture);
    EXPECT_EQ(base.width, 8);
    EXPECT_GT(base.alpha, 0);
    EXPECT_EQ(levelOf(texture, 3).width, 1) << "mipmaps down to 1 x 1";
    const auto rgba = texels(texture, GL_RGBA, 8 * 4 * 4);
    EXPECT_EQ(rgba[3], 0) << "(0, 0, 0) transparent";
    EXPECT_EQ(rgba[4 * 4 + 3], 255) << "(0, 0, 1) opaque";
    EXPECT_EQ(rgba[4 * 4 + 2], 1);
    GLint minFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_NEAREST);
}

TEST_F(TextureLoaderTest, BrokenFilesGiveATextureWithoutImage) {
    BmpLayout layout;
    layout.width = 16;
    layout.height = 16;
    const auto good = buildBmp(layout);
    std::vector<std::vector<std::uint8_t>> broken = {
        {}, {'B', 'M'}, std::vector<std::uint8_t>(good.begin(), good.begin() + 14),
        std::vector<std::uint8_t>(good.begin(), good.begin() + 200)};
    auto lying = good;
    lying[22] = 0xff;  // height far beyond the data
    lying[23] = 0x7f;
    broken.push_back(lying);
    crtSrand(5);
    std::vector<std::uint8_t> noise(3000);
    for (auto& b : noise) b = static_cast<std::uint8_t>(crtRand());
    noise[0] = 'B';
    noise[1] = 'M';
    broken.push_back(noise);

    for (std::size_t i = 0; i < broken.size(); ++i) {
        GLuint plain = 0, keyed = 0;
        const std::string path = file("broken.bmp", broken[i]);
        loadPlainTexture(path, plain);
        loadBlackKeyedTexture(path, keyed);
        EXPECT_NE(plain, 0u) << "a name exists";
        EXPECT_EQ(levelOf(plain).width, 0) << "case " << i;
        EXPECT_EQ(levelOf(keyed).width, 0) << "case " << i;
    }
    GLuint missing = 0;
    loadPlainTexture(home.dataDirectory() + "missing.bmp", missing);
    EXPECT_EQ(levelOf(missing).width, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureLoaderTest, BlankTextureIsClearAndLinear) {
    const GLuint blank = createBlankTexture();
    const Level l = levelOf(blank);
    EXPECT_EQ(l.width, 128);
    EXPECT_EQ(l.height, 128);
    EXPECT_GT(l.alpha, 0);
    const auto rgba = texels(blank, GL_RGBA, 128 * 128 * 4);
    EXPECT_TRUE(std::all_of(rgba.begin(), rgba.end(), [](std::uint8_t v) { return v == 0; }));
}
