#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "environment/backdrop_colour_plane.h"
#include "environment/bubble_emitters.h"
#include "environment/particle_system.h"
#include "environment/sea_floor.h"
#include "gl_test_kit.h"
#include "offscreen_context.h"
#include "platform/crt_rand.h"
#include "render/frame_renderer.h"
#include "render/scene_init.h"
#include "settings/live_settings.h"

using namespace veltamar;

namespace {

using Pixel = std::array<std::uint8_t, 3>;

const TankBounds TANK_1024{-49, 49, 25, -25, -50, 0};

// Looks straight at the colour plane so that it fills the whole viewport.
void lookAtWholePlane(const TankBounds& tank) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(2 * tank.sceneLeft, 2 * tank.sceneRight, 3 * tank.sceneBottom, 3 * tank.sceneTop, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void expectPixel(const Pixel& p, int r, int g, int b, int tolerance, const char* where) {
    EXPECT_NEAR(p[0], r, tolerance) << where;
    EXPECT_NEAR(p[1], g, tolerance) << where;
    EXPECT_NEAR(p[2], b, tolerance) << where;
}

std::string scratchDirectory() {
    const auto dir = std::filesystem::temp_directory_path() / "veltamar-gl-environment";
    std::filesystem::create_directories(dir);
    return dir.string() + "/";
}

int polygonsDrawn(const std::function<void()>& draw) {
    const gltest::FeedbackCount count = gltest::countFeedbackPolygons(draw);
    EXPECT_FALSE(count.overflow) << "feedback buffer overflow";
    return count.polygons;
}

void lookAtBubbles() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-300, 300, -300, 300, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace

TEST(ColourPlane, FixedColourAndTwoColourGradient) {
    gltest::OffscreenContext gl(64, 64);
    ASSERT_TRUE(gl.ok());
    liveSettings = LiveSettings{};

    lookAtWholePlane(TANK_1024);
    drawBackdropColourPlane(TANK_1024);
    expectPixel(gl.pixel(32, 32), 64, 128, 191, 1, "all modes off: the clear colour");

    liveSettings.backFixed = 1;
    liveSettings.backColor = 16777215;
    drawBackdropColourPlane(TANK_1024);
    expectPixel(gl.pixel(5, 60), 255, 255, 255, 0, "white");
    liveSettings.backColor = 65280;
    drawBackdropColourPlane(TANK_1024);
    expectPixel(gl.pixel(32, 32), 0, 255, 0, 0, "pure green");

    // After a block: texturing on and the colour white.
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0] + colour[1] + colour[2], 3.0f);

    liveSettings = LiveSettings{};
    liveSettings.backGradient = 1;
    liveSettings.backColor1 = 255;  // red on top
    liveSettings.backColor2 = 0;    // black below
    drawBackdropColourPlane(TANK_1024);
    expectPixel(gl.pixel(32, 0), 0, 0, 0, 4, "black at the bottom");
    expectPixel(gl.pixel(32, 32), 128, 0, 0, 6, "half way");
    expectPixel(gl.pixel(32, 63), 255, 0, 0, 4, "red at the top");

    liveSettings.backColor1 = 64;
    drawBackdropColourPlane(TANK_1024);
    EXPECT_NEAR(gl.pixel(32, 63)[0], 64, 3) << "a dark top colour stays dark";
    liveSettings = LiveSettings{};
}

TEST(ColourPlane, AutomaticGradientLockedAtPhaseZero) {
    gltest::OffscreenContext gl(256, 256);
    ASSERT_TRUE(gl.ok());
    liveSettings = LiveSettings{};
    liveSettings.backAutoGradient = 1;
    liveSettings.backLock = 1;
    liveSettings.backRotation = 0.0f;
    colourPhaseSeeded = false;
    lookAtWholePlane(TANK_1024);
    for (int frame = 0; frame < 5; ++frame) drawBackdropColourPlane(TANK_1024);
    EXPECT_FLOAT_EQ(colourPhase, 0.0f) << "locked";
    expectPixel(gl.pixel(1, 1), 0, 255, 0, 6, "bottom green");
    expectPixel(gl.pixel(254, 254), 0, 255, 0, 6, "top-right green");
    expectPixel(gl.pixel(1, 254), 0, 0, 0, 4, "top-left black");
    liveSettings = LiveSettings{};
    colourPhaseSeeded = false;
}

TEST(SceneBackground, FogOnlyInTheFirstFrameThenThePlaneShowsAboveThePicture) {
    gltest::OffscreenContext gl(1024, 768);
    ASSERT_TRUE(gl.ok());
    SceneState scene;
    ViewState view;
    initialiseScene(scene, view, 1024, 768);
    ASSERT_NE(scene.backgroundTexture, 0u);
    liveSettings = LiveSettings{};
    liveSettings.backFixed = 1;
    liveSettings.backColor = 255;      // red
    liveSettings.bubbleSetting = 110;  // no bubbles over the pixels looked at
    liveSettings.showTerra = 1;
    view.helpOverlayOn = false;
    gltest::NullFrameHost host;
    drawFrame(scene, view, host);
    expectPixel(gl.pixel(300, 500), 255, 255, 255, 2, "fog whitens the whole first frame");
    drawFrame(scene, view, host);
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    expectPixel(gl.pixel(512, 768 - 30), 255, 0, 0, 0, "above the water line the plane shows");
    const Pixel water = gl.pixel(300, 500);
    EXPECT_GT(water[2], water[0]) << "below it the picture's blue water covers the plane";
    EXPECT_LT(water[0], 150);

    liveSettings.backgroundIndex = 1;  // another background style: no picture
    drawFrame(scene, view, host);
    expectPixel(gl.pixel(300, 500), 255, 0, 0, 0, "the plane fills the background");
    liveSettings.backgroundIndex = 0;
    liveSettings.showTerra = 0;
    drawFrame(scene, view, host);
    expectPixel(gl.pixel(300, 500), 255, 0, 0, 0, "terrain off: no picture either");
    liveSettings.showTerra = 1;
    scene.backgroundTexture = 0;
    drawFrame(scene, view, host);
    expectPixel(gl.pixel(300, 500), 255, 0, 0, 0, "no picture loaded: no blank surface over the plane");
    liveSettings = LiveSettings{};
}

// The scene is built once and refitted to each shape in turn, as a window that is resized would
// be. With the colour plane pure red and no fish or bubbles, any red at the sides or the bottom
// below the water line is a place the picture does not reach.
TEST(SceneBackground, OnEveryShapeThePictureCoversBothSidesAndTheBottom) {
    gltest::OffscreenContext gl(3440, 1920);
    ASSERT_TRUE(gl.ok());
    SceneState scene;
    ViewState view;
    initialiseScene(scene, view, 1366, 768);
    ASSERT_NE(scene.backgroundTexture, 0u);
    liveSettings = LiveSettings{};
    liveSettings.backFixed = 1;
    liveSettings.backColor = 255;
    liveSettings.bubbleSetting = 110;
    liveSettings.speciesCounts = {};
    liveSettings.showTerra = 1;
    view.helpOverlayOn = false;
    gltest::NullFrameHost host;
    drawFrame(scene, view, host);  // the first frame is fogged
    auto isRed = [](const unsigned char* p) { return p[0] > 200 && p[1] < 60 && p[2] < 60; };
    for (auto [w, h] : {std::pair{1366, 768}, std::pair{2560, 1080}, std::pair{3440, 1440}, std::pair{1080, 1920},
                        std::pair{320, 240}}) {
        fitSceneToSize(scene, view, w, h);
        drawFrame(scene, view, host);
        const gltest::FramebufferImage image = gltest::readFramebuffer(w, h);
        gltest::keepPicture(image, "backdrop-" + std::to_string(w) + "x" + std::to_string(h));
        int redAtSides = 0, redAtBottom = 0;
        for (int y = 0; y < h * 7 / 10; ++y) redAtSides += isRed(image.at(0, y)) + isRed(image.at(w - 1, y));
        for (int x = 0; x < w; ++x) redAtBottom += isRed(image.at(x, 0));
        EXPECT_EQ(redAtSides, 0) << w << "x" << h;
        EXPECT_EQ(redAtBottom, 0) << w << "x" << h;
        EXPECT_TRUE(isRed(image.at(w / 2, h - 1))) << "above the water line the plane shows, " << w << "x" << h;
    }
    liveSettings = LiveSettings{};
}

TEST(BubblesGl, InitSeedsEveryBubbleAndLoadsThePicture) {
    gltest::OffscreenContext gl(64, 64);
    ASSERT_TRUE(gl.ok());
    BubbleSystem system;
    system.resourceDirectory = scratchDirectory();
    crtSrand(1);
    ASSERT_TRUE(system.init(110));
    const int nextDraw = crtRand();
    crtSrand(1);
    for (int k = 0; k < 110 * 12; ++k) crtRand();
    EXPECT_EQ(crtRand(), nextDraw) << "twelve draws seed each bubble";
    crtSrand(1);

    for (int k = 0; k < 110; ++k) {
        const Particle& p = system.particles[k];
        EXPECT_TRUE(p.x >= -100 && p.x < 100 && p.y >= -1.0f && p.y <= -0.96f && p.life == 200.0f) << k;
        EXPECT_TRUE(p.size >= 0.2f - 1e-6f && p.size <= 2.1f + 1e-6f && p.fade <= 2.45f + 1e-6f) << k;
    }
    ASSERT_NE(system.texture, 0u);
    glBindTexture(GL_TEXTURE_2D, system.texture);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 32) << "the bubble picture is loaded";
    EXPECT_FALSE(std::filesystem::exists(system.resourceDirectory + "Particle1.bmp"))
        << "no file left behind";
}

TEST(BubblesGl, EachDrawShowsTheCountedBubblesAndFreezesTheRest) {
    gltest::OffscreenContext gl(64, 64);
    ASSERT_TRUE(gl.ok());
    BubbleSystem system;
    system.resourceDirectory = scratchDirectory();
    ASSERT_TRUE(system.init(110));
    system.tint = false;
    lookAtBubbles();
    const int perBubble = polygonsDrawn([&] { drawBubbles(system, 1); });
    ASSERT_GT(perBubble, 0);

    struct Case {
        int setting, shown;
    };
    for (const Case& c : {Case{0, 110}, Case{100, 10}, Case{110, 0}, Case{-40, 110}, Case{300, 0}}) {
        liveSettings.bubbleSetting = c.setting;
        EXPECT_EQ(polygonsDrawn([&] { drawBubbles(system, bubblesShownPerEmitter()); }), perBubble * c.shown)
            << c.setting;
        EXPECT_EQ(system.count, c.shown);
    }
    EXPECT_EQ(polygonsDrawn([&] { drawBubbles(system, 500); }), perBubble * 110) << "never beyond the pool";

    // With ten in use, the other hundred stand still and resume later from where they stopped.
    std::vector<Particle> before(system.particles.get(), system.particles.get() + 110);
    for (int frame = 0; frame < 20; ++frame) drawBubbles(system, 10);
    EXPECT_NE(std::memcmp(&before[0], &system.particles[0], sizeof(Particle) * 10), 0);
    EXPECT_EQ(std::memcmp(&before[10], &system.particles[10], sizeof(Particle) * 100), 0);
    drawBubbles(system, 110);
    EXPECT_NE(std::memcmp(&before[10], &system.particles[10], sizeof(Particle) * 100), 0);
    liveSettings = LiveSettings{};
}

TEST(BubblesGl, EmittersStandBehindTheSeaFloorAndArePreRun) {
    gltest::OffscreenContext gl(64, 64);
    ASSERT_TRUE(gl.ok());
    liveSettings = LiveSettings{};
    SeaFloorGrid grid;
    buildSeaFloor(grid, 98, 50, 1);
    BubbleEmitterSet set;
    setUpBubbleEmitters(set, TANK_1024, scratchDirectory());
    const float setback[3] = {100, 200, 50};
    for (int e = 0; e < 3; ++e) {
        EXPECT_FLOAT_EQ(set.positions[e].x, -4.0f);
        EXPECT_NEAR(set.positions[e].y, -31.134f, 1e-3);
        EXPECT_FLOAT_EQ(set.positions[e].z, -90.0f - setback[e]);
        const BubbleSystem& emitter = set.bubbleEmitters[e];
        EXPECT_EQ(emitter.capacity, 110);
        EXPECT_FALSE(emitter.tint);
        EXPECT_NE(emitter.texture, 0u);
        float highest = -10.0f;
        for (int k = 0; k < 110; ++k) highest = std::max(highest, emitter.particles[k].y);
        EXPECT_GT(highest, 5.0f) << "110 steps have spread the bubbles upward";
    }
}
