#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "assets/texture_loader.h"
#include "bmp_builder.h"
#include "environment/backdrop_surface.h"
#include "environment/tank_bounds.h"
#include "gl_test_kit.h"
#include "offscreen_context.h"
#include "render/camera.h"
#include "render/egl_pbuffer.h"
#include "temp_config_home.h"

using namespace veltamar;
using namespace veltamar::testsupport;

namespace {

// Pictures with their pure black (transparent) texels in different places, 128 x 64.
std::uint32_t keyedAboveWaves(int x, int y) {  // like the built-in picture: black above a wavy line
    return y > 50 + static_cast<int>(4 * std::sin(x * 0.2)) ? 0x000000 : 0x204080 + (x << 8) + y;
}
std::uint32_t keyedBand(int x, int y) {
    return y >= 20 && y < 24 ? 0x000000 : 0x808000 + x + (y << 16);
}
std::uint32_t keyedNowhere(int x, int y) {
    return 0x010101 + (x << 16) + (y << 8);
}
std::uint32_t keyedDots(int x, int y) {
    return (x * 7 + y * 3) % 41 == 0 ? 0x000000 : 0x30c030 + x;
}

struct Case {
    const char* name;
    std::uint32_t (*pixel)(int, int);
    int width, height;  // of the screen
    float sway;
    int lightSetting;  // the scene light's setting; 0 lights the white surface white
};

class BackdropPictureTest : public ::testing::TestWithParam<Case> {
  protected:
    void SetUp() override { std::filesystem::create_directories(home.dataDirectory()); }
    TempConfigHome home;
};

// The scene's light and camera as a frame has them when the backdrop is drawn, a nearer square in
// front of part of it (a fish), and the clear colour showing through the transparent texels.
void prepareFrame(const Case& c) {
    applyFrameCamera(c.width, c.height, -5.0f);
    glViewport(0, 0, c.width, c.height);
    glClearColor(0.8f, 0.1f, 0.6f, 0.5f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHT1);
    const GLfloat v = static_cast<GLfloat>((100 - c.lightSetting) * 0.01);
    const GLfloat light[] = {v, v, v, 1.0f};
    const GLfloat position[] = {1000.0f, -1000.0f, 1000.0f, 1.0f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, light);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, light);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 0.0f);
    glNormal3f(0.3f, -0.5f, 0.8f);
    glBegin(GL_QUADS);
    glVertex3f(-10, -10, -70);
    glVertex3f(5, -10, -70);
    glVertex3f(5, 8, -70);
    glVertex3f(-10, 8, -70);
    glEnd();
    glEnable(GL_TEXTURE_2D);
}

// The picture as one draw with blending, alpha test, lighting and modulation, which the cheaper
// draw must match pixel for pixel.
void drawAllBlended(const BackdropPatch& patch, GLuint texture) {
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT);
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_COLOR, current);
    glColor4f(current[0], current[1], current[2], 1.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    drawBackdropSurface(patch.backdropControlPoints, patch.backdropDivisions);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glPopAttrib();
}

}  // namespace

TEST_P(BackdropPictureTest, CheaperDrawGivesThePixelsOfTheFullyBlendedOne) {
    const Case c = GetParam();
    gltest::OffscreenContext gl(c.width, c.height);
    ASSERT_TRUE(gl.ok());
    BmpLayout layout;
    layout.width = 128;
    layout.height = 64;
    layout.pixel = c.pixel;
    const std::string path = home.dataDirectory() + "picture.bmp";
    const auto bytes = buildBmp(layout);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    GLuint texture = 0;
    const OpaqueRows rows = loadBlackKeyedTexture(path, texture);

    backdropSway = c.sway;
    BackdropPatch patch;
    fitBackdropControlPoints(patch, tankBoundsForScreen(c.width, c.height));
    patch.backdropDivisions = 2;

    prepareFrame(c);
    drawAllBlended(patch, texture);
    const gltest::FramebufferImage expected = gltest::readFramebuffer(c.width, c.height);

    prepareFrame(c);
    GLfloat white[4];
    glGetFloatv(GL_CURRENT_COLOR, white);
    drawBackdropPicture(patch, texture, rows, c.lightSetting == 0);
    const gltest::FramebufferImage drawn = gltest::readFramebuffer(c.width, c.height);
    gltest::keepPicture(drawn, std::string("backdrop-") + c.name);

    int differing = 0;
    for (std::size_t i = 0; i < drawn.rgb.size(); ++i) differing += drawn.rgb[i] != expected.rgb[i];
    EXPECT_EQ(differing, 0) << c.name;

    // What the draw leaves behind: its texture bound, blending off, modulation, the colour's alpha.
    GLint bound = 0, environment = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
    EXPECT_EQ(static_cast<GLuint>(bound), texture);
    EXPECT_EQ(environment, GL_MODULATE);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    GLfloat after[4];
    glGetFloatv(GL_CURRENT_COLOR, after);
    EXPECT_EQ(after[3], white[3]);
    glDeleteTextures(1, &texture);
}

INSTANTIATE_TEST_SUITE_P(Pictures, BackdropPictureTest,
                         ::testing::Values(Case{"waves", keyedAboveWaves, 320, 240, 0.0f, 0},
                                           Case{"waves_swayed", keyedAboveWaves, 320, 240, 1.0f, 0},
                                           Case{"waves_dim_light", keyedAboveWaves, 320, 240, 0.5f, 60},
                                           Case{"waves_wide", keyedAboveWaves, 480, 200, -0.5f, 0},
                                           Case{"waves_tall", keyedAboveWaves, 200, 320, 0.3f, 0},
                                           Case{"band", keyedBand, 320, 240, 0.7f, 0},
                                           Case{"nowhere", keyedNowhere, 320, 240, 0.2f, 0},
                                           Case{"nowhere_dim", keyedNowhere, 320, 240, 0.2f, 40},
                                           Case{"dots", keyedDots, 320, 240, 0.0f, 0}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

TEST(BackdropSurfaceRows, BandLiesWhereTheSurfaceTakesTheAskedTextureRows) {
    gltest::OffscreenContext gl(320, 240);
    ASSERT_TRUE(gl.ok());
    applyFrameCamera(320, 240, -5.0f);
    glViewport(0, 0, 320, 240);
    backdropSway = 0.0f;
    BackdropPatch patch;
    fitBackdropControlPoints(patch, tankBoundsForScreen(320, 240));
    patch.backdropDivisions = 2;

    const struct {
        double tLow, tHigh;
        bool empty;
    } cases[] = {
        {0.0, 1.0, false}, {0.2, 0.8, false}, {0.6, 0.4, true}, {0.5, 0.5001, true}, {-1.0, 2.0, false}};
    for (const auto& c : cases) {
        const WindowRows rows = surfaceRowsWithin(patch, c.tLow, c.tHigh);
        EXPECT_EQ(rows.empty(), c.empty) << c.tLow << ".." << c.tHigh;
        EXPECT_GE(rows.first, 0);
        EXPECT_LE(rows.end, 240);
    }
    // t runs from the bottom of the picture up: a band of the lower rows lies below one of the upper.
    const WindowRows lower = surfaceRowsWithin(patch, 0.0, 0.45);
    const WindowRows upper = surfaceRowsWithin(patch, 0.55, 1.0);
    EXPECT_LT(lower.end, upper.first);
    EXPECT_EQ(surfaceRowsWithin(patch, -1.0, 2.0).end - surfaceRowsWithin(patch, -1.0, 2.0).first, 240)
        << "the whole surface: every row";
}

TEST(EglPbuffer, EachPlatformGivesAnEightBitContextThatDrawsAndKeepsItsSize) {
    const struct {
        EglPbuffer::Platform platform;
        const char* made;  // here, without a GPU: Mesa's software device or surfaceless platform
    } cases[] = {{EglPbuffer::Platform::Any, "surfaceless"},
                 {EglPbuffer::Platform::Device, "device"},
                 {EglPbuffer::Platform::Surfaceless, "surfaceless"}};
    for (const auto& c : cases) {
        std::string problem;
        const auto pbuffer = EglPbuffer::create(96, 40, c.platform, problem);
        ASSERT_TRUE(pbuffer) << problem;
        EXPECT_EQ(pbuffer->platformName(), c.made);
        EXPECT_EQ(pbuffer->width(), 96);
        GLint red = 0, alpha = 0, depth = 0, viewport[4] = {};
        glGetIntegerv(GL_RED_BITS, &red);
        glGetIntegerv(GL_ALPHA_BITS, &alpha);
        glGetIntegerv(GL_DEPTH_BITS, &depth);
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(red, 8) << "as the benchmark's window: deeper colour would round differently";
        EXPECT_EQ(alpha, 0);
        EXPECT_GE(depth, 24);
        EXPECT_EQ(viewport[2], 96);
        EXPECT_EQ(viewport[3], 40);
        glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        pbuffer->swapBuffers();
        const gltest::FramebufferImage image = gltest::readFramebuffer(96, 40);
        EXPECT_EQ(image.at(95, 39)[1], 255);
        EXPECT_EQ(image.at(0, 0)[0], 0);
    }
}
