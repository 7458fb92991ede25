#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstring>
#include <utility>

#include "fish/pick_grids.h"
#include "fish/picking.h"
#include "gl_test_kit.h"
#include "offscreen_context.h"
#include "platform/crt_rand.h"
#include "render/camera.h"
#include "render/frame_renderer.h"
#include "render/scene_init.h"
#include "settings/live_settings.h"
#include "temp_config_home.h"

using namespace veltamar;

namespace {

constexpr int W = 1024, H = 768;

GLint stackDepth() {
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    return depth;
}

// Where a world point appears on the screen (y from the top), through the frame's own camera.
std::pair<int, int> screenOf(float x, float y, float z) {
    applyFrameCamera(W, H, -5.0f);
    GLdouble model[16], projection[16], sx, sy, sz;
    GLint viewport[4] = {0, 0, W, H};
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    gluProject(x, y, z, model, projection, viewport, &sx, &sy, &sz);
    return {static_cast<int>(std::lround(sx)), H - static_cast<int>(std::lround(sy))};
}

// A fish that swims steadily at a place and keeps its heading while it is looked at.
void holdFish(Fish& f, float x, float y, float z, float heading) {
    f.position = {x, y, z};
    f.heading = f.targetHeading = f.lastTargetHeading = heading;
    f.pitch = f.targetPitch = 0.0f;
    f.turnDone = f.bendDone = true;
    f.segmentYaw.fill(static_cast<int>(heading));
    f.wanderTimer = 0;
    f.size = 5;
    f.updateSideFlags();
    f.updateBoxes();
}

class ToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok());
        crtSrand(1);
        initialiseScene(scene, view, W, H);
        ASSERT_TRUE(scene.populated);
        liveSettings.speciesCounts = {};
        liveSettings.speciesCounts[0] = 2;
        for (int i = 0; i < 60; ++i) drawFrame(scene, view, host);  // the text hides after 200 frames
        idleCounter_ = 0;
    }
    void TearDown() override { liveSettings.speciesCounts = {}; }
    void frames(int n) {
        for (int i = 0; i < n; ++i) drawFrame(scene, view, host);
    }
    int activePellets() const {
        int n = 0;
        for (const FoodPellet& p : scene.foodPellets) n += p.active;
        return n;
    }

    testsupport::TempConfigHome home;
    gltest::OffscreenContext gl{W, H};
    SceneState scene;
    ViewState view;
    gltest::NullFrameHost host;
    int idleCounter_ = 0;
};

}  // namespace

TEST_F(ToolsTest, FeedClickDropsAPelletThatSinksAndANearbyFishEatsIt) {
    view.toolMode = TOOL_FEED;
    holdFish(scene.fish[1], -40.0f, 10.0f, -80.0f, 180.0f);
    holdFish(scene.fish[0], 30.0f, -10.0f, -60.0f, 0.0f);
    const auto [mx, my] = screenOf(6.0f, 0.0f, -69.0f);
    leftButtonDown(view, mx, my);
    leftButtonUp(view);
    frames(3);
    ASSERT_FALSE(view.feedRequest) << "served within a few frames";
    ASSERT_EQ(activePellets(), 1);
    const FoodPellet& pellet = scene.foodPellets[0];
    EXPECT_NEAR(pellet.dropPoint[0], 6.0f, 1.5f) << "dropped where the mouse is";
    EXPECT_NEAR(pellet.dropPoint[1], -2.0f, 1.5f);
    EXPECT_EQ(pellet.dropPoint[2], -70.0f);

    const float startY = pellet.worldPosition[1];
    frames(60);
    EXPECT_LT(pellet.worldPosition[1], startY) << "it sinks";
    gltest::keepPicture(gltest::readFramebuffer(W, H), "feed-pellet-sinking");

    // A fish swimming toward it with its nose a few units away.
    Fish& fish = scene.fish[0];
    holdFish(fish, pellet.worldPosition[0] + 0.5f * fish.size + 3.0f, pellet.worldPosition[1],
             pellet.worldPosition[2], 0.0f);
    fish.speed = 0.05f;
    bool noticed = false;
    int frame = 0;
    for (; frame < 300 && pellet.active; ++frame) {
        drawFrame(scene, view, host);
        noticed = noticed || fish.nearFood;
        if (frame == 10) gltest::keepPicture(gltest::readFramebuffer(W, H), "feed-fish-at-pellet");
    }
    EXPECT_TRUE(noticed) << "the fish saw the food near its nose";
    EXPECT_FALSE(pellet.active) << "and ate it";
    EXPECT_EQ(pellet.alive, 0.0f);
    EXPECT_LT(frame, 300);
}

TEST_F(ToolsTest, TwentyOneFeedClicksDropTwentyPellets) {
    view.toolMode = TOOL_FEED;
    liveSettings.speciesCounts = {};
    for (int click = 0; click < 21; ++click) {
        leftButtonDown(view, 300 + click * 20, 300);
        leftButtonUp(view);
        for (int i = 0; i < 10 && view.feedRequest; ++i) drawFrame(scene, view, host);
        EXPECT_FALSE(view.feedRequest) << "click " << click << " is used up";
    }
    EXPECT_EQ(activePellets(), 20);
    gltest::keepPicture(gltest::readFramebuffer(W, H), "feed-twenty-pellets");
}

TEST_F(ToolsTest, SwirlMarkerGlidesAfterThePointer) {
    view.toolMode = TOOL_SWIRL;
    const auto [mx, my] = screenOf(15.0f, 8.0f, -69.0f);
    mouseMoved(view, mx, my);
    frames(40);
    EXPECT_NEAR(scene.swirl.target[0], 15.0f, 1.5f);
    EXPECT_NEAR(scene.swirl.target[1], 6.0f, 1.5f);
    EXPECT_NEAR(scene.swirl.current[0], scene.swirl.target[0], 1.5f);
    EXPECT_NEAR(scene.swirl.current[1], scene.swirl.target[1], 1.5f);
    gltest::keepPicture(gltest::readFramebuffer(W, H), "swirl-marker");

    const auto [mx2, my2] = screenOf(-20.0f, -5.0f, -69.0f);
    mouseMoved(view, mx2, my2);
    frames(1);
    const float before = scene.swirl.current[0];
    frames(3);
    EXPECT_NEAR(scene.swirl.current[0], before - 4.5f, 0.01f) << "1.5 a frame toward the new point";
}

TEST_F(ToolsTest, RippleShowsRingsOverACopyOfTheWholeView) {
    liveSettings.speciesCounts = {};
    frames(1);
    const gltest::FramebufferImage calm = gltest::readFramebuffer(W, H);
    view.toolMode = TOOL_RIPPLE;
    ASSERT_TRUE(leftButtonDown(view, W / 2, H / 2));
    addRipple(*scene.rippleMesh, W / 2, H - H / 2);
    frames(70);
    const gltest::FramebufferImage rippled = gltest::readFramebuffer(W, H);
    gltest::keepPicture(rippled, "ripple");

    long differing = 0;
    for (int y = 0; y < H; y += 2)
        for (int x = 0; x < W; x += 2) differing += std::memcmp(calm.at(x, y), rippled.at(x, y), 3) != 0;
    EXPECT_GT(differing, 1000) << "the rings move the picture";
    // The copy reaches every corner: no corner turns black or empty.
    for (auto [x, y] : {std::pair{0, 0}, std::pair{W - 1, 0}, std::pair{0, H - 1}, std::pair{W - 1, H - 1}}) {
        const unsigned char* p = rippled.at(x, y);
        const unsigned char* q = calm.at(x, y);
        EXPECT_NEAR(p[0], q[0], 40) << x << "," << y;
        EXPECT_NEAR(p[2], q[2], 40) << x << "," << y;
    }
}

TEST_F(ToolsTest, ZoomAndTouchActOnTheFishUnderThePointer) {
    holdFish(scene.fish[0], 0.0f, 0.0f, -70.0f, 0.0f);
    holdFish(scene.fish[1], 20.0f, 0.0f, -70.0f, 0.0f);
    scene.fish[0].size = 7;
    const auto [mx, my] = screenOf(0.0f, 0.0f, -70.0f);

    view.toolMode = TOOL_ZOOM_IN;
    leftButtonDown(view, mx, my);
    frames(1);
    EXPECT_EQ(scene.fish[0].size, 8);
    EXPECT_FALSE(view.buttonHeld) << "the pick serves the click";
    EXPECT_EQ(scene.fish[1].size, 5);
    gltest::keepPicture(gltest::readFramebuffer(W, H), "zoom-in");

    view.toolMode = TOOL_ZOOM_OUT;
    leftButtonDown(view, mx, my);
    leftButtonUp(view);  // released before the next frame: a zoom needs the button held
    frames(1);
    EXPECT_EQ(scene.fish[0].size, 8);

    holdFish(scene.fish[0], 0.0f, 0.0f, -70.0f, 0.0f);
    scene.fish[0].speed = 0.05f;
    view.toolMode = TOOL_TOUCH;
    const auto [tx, ty] = screenOf(scene.fish[0].position.x, 0.0f, -70.0f);
    leftButtonDown(view, tx, ty);
    leftButtonUp(view);
    frames(1);
    EXPECT_FLOAT_EQ(scene.fish[0].speed, 0.15f) << "a touch startles the fish";
}

TEST_F(ToolsTest, OverlappingFishTheLowerIndexIsPickedEvenBehind) {
    holdFish(scene.fish[0], 0.0f, 0.0f, -84.0f, 0.0f);  // behind
    holdFish(scene.fish[1], 0.0f, 0.0f, -56.0f, 0.0f);  // in front
    scene.fish[0].size = scene.fish[1].size = 4;
    applyFrameCamera(W, H, -5.0f);
    glViewport(0, 0, W, H);
    const auto [mx, my] = screenOf(0.0f, 0.0f, -70.0f);
    applyFrameCamera(W, H, -5.0f);
    EXPECT_EQ(pickFishUnderCursor(scene.fish, liveSettings.speciesCounts, mx, my, FishTool::ZoomIn), 0);
    EXPECT_EQ(scene.fish[0].size, 6);
    EXPECT_EQ(pickFishUnderCursor(scene.fish, liveSettings.speciesCounts, 5, 5, FishTool::ZoomIn), -1);
    EXPECT_EQ(scene.fish[1].size, 4);
}

TEST_F(ToolsTest, AClickWhereNoStripLiesGivesZero) {
    applyFrameCamera(W, H, -5.0f);
    glViewport(0, 0, W, H);
    const auto [mx, my] = screenOf(10.0f, 5.0f, -69.0f);
    applyFrameCamera(W, H, -5.0f);
    EXPECT_NEAR(pickWorldX(scene.pickColumns, mx, my), 10.0f, 1.0f);
    EXPECT_NEAR(pickWorldY(scene.pickRows, mx, my), 5.0f, 1.0f);
    PickColumns away = scene.pickColumns;
    for (Point3& p : away) p.x += 500.0f;
    EXPECT_EQ(pickWorldX(away, mx, my), 0.0f);
}

// On a screen wider than 4:3 the columns are spread over the wider tank: a click near either side
// of the view finds the x under the pointer, not the 0 of a miss.
TEST(WideScreenPicking, AClickNearEitherSideFindsTheXUnderThePointer) {
    gltest::OffscreenContext gl(64, 64);  // picking draws nothing; the viewport may be larger
    ASSERT_TRUE(gl.ok());
    for (auto [w, h] : {std::pair{1600, 900}, std::pair{2560, 1080}}) {
        const TankBounds tank = tankBoundsForScreen(w, h);
        PickColumns columns;
        PickRows rows;
        buildPickGrids(columns, rows, tank);
        applyFrameCamera(w, h, -5.0f);
        glViewport(0, 0, w, h);
        const double edgeX = frameFrustum(w, h).right * 62.0;  // the view's half-width at the strips
        for (int mouseX : {8, w - 8}) {
            const double expected = (2.0 * mouseX / w - 1.0) * edgeX;
            EXPECT_NEAR(pickWorldX(columns, mouseX, h / 2), expected, 1.5) << w << "x" << h << " at " << mouseX;
        }
    }
}

TEST_F(ToolsTest, ManyTouchesAndZoomsLeaveTheMatrixStacksAsTheyWere) {
    liveSettings.speciesCounts = {10, 10, 10, 10, 10};
    frames(50);
    const GLint depth = stackDepth();
    for (int i = 0; i < 60; ++i) {
        view.toolMode = i % 3 == 0 ? TOOL_TOUCH : (i % 3 == 1 ? TOOL_ZOOM_IN : TOOL_ZOOM_OUT);
        leftButtonDown(view, 200 + i * 10, 300 + (i % 7) * 20);
        drawFrame(scene, view, host);
        leftButtonUp(view);
        ASSERT_EQ(stackDepth(), depth) << i;
    }
    GLint projection = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projection);
    EXPECT_EQ(projection, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
