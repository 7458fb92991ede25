#include <gtest/gtest.h>

#include <GL/gl.h>

#include "gl_test_kit.h"
#include "offscreen_context.h"
#include "render/frame_renderer.h"
#include "render/idle_counter.h"
#include "render/scene_init.h"

using namespace veltamar;

namespace {

GLint stackDepth(GLenum which) {
    GLint depth = 0;
    glGetIntegerv(which, &depth);
    return depth;
}

}  // namespace

TEST(Frame, LeavesMatrixStacksBalancedAndPresentsOnce) {
    gltest::OffscreenContext gl(1024, 768);
    ASSERT_TRUE(gl.ok());
    SceneState scene;
    ViewState view;
    initialiseScene(scene, view, 1024, 768);
    gltest::NullFrameHost host;
    for (int mode : {TOOL_NONE, TOOL_FEED, TOOL_SWIRL, TOOL_POINT, TOOL_TOUCH, TOOL_RIPPLE}) {
        view.toolMode = mode;
        const GLint modelview = stackDepth(GL_MODELVIEW_STACK_DEPTH);
        const GLint projection = stackDepth(GL_PROJECTION_STACK_DEPTH);
        drawFrame(scene, view, host);
        EXPECT_EQ(stackDepth(GL_MODELVIEW_STACK_DEPTH), modelview) << mode;
        EXPECT_EQ(stackDepth(GL_PROJECTION_STACK_DEPTH), projection) << mode;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << mode;
    }
    EXPECT_EQ(host.swaps, 6);
}

TEST(Frame, SetsProjectionFromTheStoredScreenSizeAndRevealsOneFishPerFrame) {
    gltest::OffscreenContext gl(640, 480);
    ASSERT_TRUE(gl.ok());
    SceneState scene;
    ViewState view;
    initialiseScene(scene, view, 768, 1024);  // a portrait screen
    gltest::NullFrameHost host;
    drawFrame(scene, view, host);
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    // glFrustum: m[0] = 2n / (r - l), m[5] = 2n / (t - b).
    EXPECT_NEAR(m[0], 2.0 / 0.8, 1e-5);
    EXPECT_NEAR(m[5], 2.0 / (0.8 * 1024 / 768), 1e-5);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 768) << "the stored screen size, not the window's";
    EXPECT_EQ(viewport[3], 1024);
    EXPECT_EQ(scene.fishRevealCount, 1);
    for (int i = 0; i < 80; ++i) drawFrame(scene, view, host);
    EXPECT_EQ(scene.fishRevealCount, 50);

    // End-of-frame state: lighting, fog and blending off, depth test and texturing on.
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST(Frame, HidesTheCursorAfterAHundredStillFrames) {
    gltest::OffscreenContext gl(320, 240);
    ASSERT_TRUE(gl.ok());
    SceneState scene;
    ViewState view;
    initialiseScene(scene, view, 320, 240);
    gltest::NullFrameHost host;
    idleCounter = 0;
    for (int i = 0; i < 99; ++i) drawFrame(scene, view, host);
    EXPECT_EQ(host.cursorHides, 0);
    drawFrame(scene, view, host);
    EXPECT_EQ(host.cursorHides, 1);
}

TEST(Frame, WithoutAContextNothingIsDrawn) {
    SceneState scene;
    ViewState view;
    gltest::NullFrameHost host;
    drawFrame(scene, view, host);
    EXPECT_EQ(host.swaps, 0);
    EXPECT_EQ(scene.fishRevealCount, 0);
}
