#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "fish/fish.h"
#include "fish/fish_population.h"
#include "fish/shown_fish.h"
#include "gl_test_kit.h"
#include "offscreen_context.h"
#include "temp_config_home.h"
#include "platform/crt_rand.h"
#include "render/frame_renderer.h"
#include "render/scene_init.h"
#include "settings/live_settings.h"

using namespace veltamar;

namespace {

bool isBackground(const unsigned char* p) {
    return p[0] < 8 && p[1] < 8 && p[2] < 8;
}

// A fish whose heading equals its target and which neither turns nor wanders while it is looked at.
Fish steadyFish(int size, float headingDegrees) {
    Fish fish;
    fish.size = size;
    fish.heading = fish.targetHeading = fish.lastTargetHeading = headingDegrees;
    fish.turnDone = fish.bendDone = true;
    fish.segmentYaw.fill(static_cast<int>(headingDegrees));
    fish.pitch = fish.targetPitch = 0.0f;
    fish.wanderTimer = -100000;
    fish.bounds = {-1000.0f, 1000.0f, 1000.0f, -1000.0f, -1000.0f, 1000.0f};
    return fish;
}

// Camera looking at the origin from +z, as the aquarium's camera sees a fish in the tank.
void closeUpCamera(int width, int height, double distance) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30.0, static_cast<double>(width) / height, 0.5, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, distance, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

class FishDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok());
        initialiseScene(scene, view, 1024, 768);
        ASSERT_TRUE(scene.populated);
        glDisable(GL_FOG);
        glEnable(GL_LIGHTING);
    }
    testsupport::TempConfigHome data;
    gltest::OffscreenContext gl{640, 480};
    SceneState scene;
    ViewState view;
};

}  // namespace

TEST_F(FishDrawing, EmitsFourHundredFortyEightQuadsPerFish) {
    Fish fish = steadyFish(5, 30.0f);
    closeUpCamera(gl.width(), gl.height(), 50.0);  // the whole fish in view: nothing is clipped
    // Feedback reports each quad either as one four-sided polygon or (Mesa) as two triangles;
    // nothing is culled, so degenerate quads count too.
    const gltest::FeedbackCount count = gltest::countFeedbackPolygons([&] { fish.drawFish(); });
    ASSERT_FALSE(count.overflow);
    const int polygons = count.polygons, vertices = count.vertices;
    if (vertices == 4 * polygons) {
        EXPECT_EQ(polygons, 448);
    } else {
        EXPECT_EQ(vertices, 3 * polygons);
        EXPECT_EQ(polygons, 2 * 448);
    }
}

TEST_F(FishDrawing, CloseUpShowsATallFishWithItsNoseLeftAndItsEyeOnTheHead) {
    const int w = gl.width(), h = gl.height();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    closeUpCamera(w, h, 20.0);
    glBindTexture(GL_TEXTURE_2D, scene.fishTextures[1]);
    Fish fish = steadyFish(8, 0.0f);
    fish.drawFish();
    const gltest::FramebufferImage image = gltest::readFramebuffer(w, h);
    gltest::keepPicture(image, "closeup_species1");

    int left = w, right = -1, bottom = h, top = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!isBackground(image.at(x, y))) {
                left = std::min(left, x), right = std::max(right, x);
                bottom = std::min(bottom, y), top = std::max(top, y);
            }
    ASSERT_GE(right, 0) << "nothing drawn";
    EXPECT_GT(top - bottom, right - left) << "fins make the fish taller than long";

    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    auto project = [&](double x, double y, double z) {
        GLdouble sx, sy, sz;
        gluProject(x, y, z, model, projection, viewport, &sx, &sy, &sz);
        return std::pair<int, int>{static_cast<int>(sx), static_cast<int>(sy)};
    };
    // Model (x, y, z) is drawn at world (x, z, -y) for heading 0, scaled by the size.
    const auto [noseX, noseY] = project(-0.324 * 8, 0.0, 0.0);
    EXPECT_NEAR(left, noseX, 3) << "the lips are the leftmost point";
    const auto [tailX, tailY] = project(0.324 * 8, 0.0, 0.0);
    EXPECT_NEAR(right, tailX, 3) << "the tail is the rightmost point";
    (void)noseY, (void)tailY;

    // The pupil at the eye's centre is dark; the flank beside the eye is not.
    const auto [eyeX, eyeY] = project(-0.213 * 8, 0.059 * 8, 0.094 * 8);
    const unsigned char* pupil = image.at(eyeX, eyeY);
    EXPECT_LT(pupil[0] + pupil[1] + pupil[2], 120) << "eye centre " << eyeX << "," << eyeY;
    const auto [flankX, flankY] = project(-0.1 * 8, -0.05 * 8, 0.09 * 8);
    const unsigned char* flank = image.at(flankX, flankY);
    EXPECT_GT(flank[0] + flank[1] + flank[2], 300) << "silver flank";
}

TEST_F(FishDrawing, TenSpeciesWearTenDifferentSkins) {
    const int w = gl.width(), h = gl.height();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-15.0, 15.0, -11.25, 11.25, -50.0, 50.0);
    glMatrixMode(GL_MODELVIEW);
    std::vector<std::array<int, 3>> means;
    for (int s = 0; s < SPECIES_COUNT; ++s) {
        const float cx = -12.0f + (s % 5) * 6.0f, cy = s < 5 ? 5.0f : -5.5f;
        glLoadIdentity();
        glTranslatef(cx, cy, 0.0f);
        glBindTexture(GL_TEXTURE_2D, scene.fishTextures[s]);
        Fish fish = steadyFish(8, 0.0f);
        fish.drawFish();
    }
    const gltest::FramebufferImage image = gltest::readFramebuffer(w, h);
    gltest::keepPicture(image, "species_gallery");
    for (int s = 0; s < SPECIES_COUNT; ++s) {
        // Mean colour of the body's middle (model x -0.15..0.15, z -0.15..0.15).
        const double cx = -12.0 + (s % 5) * 6.0, cy = s < 5 ? 5.0 : -5.5;
        std::array<long, 3> sum{};
        int n = 0;
        for (double mx = -0.15; mx <= 0.15; mx += 0.01)
            for (double mz = -0.15; mz <= 0.15; mz += 0.01) {
                const int px = static_cast<int>((cx + mx * 8 + 15.0) / 30.0 * w);
                const int py = static_cast<int>((cy + mz * 8 + 11.25) / 22.5 * h);
                const unsigned char* p = image.at(px, py);
                for (int c = 0; c < 3; ++c) sum[c] += p[c];
                ++n;
            }
        means.push_back(
            {static_cast<int>(sum[0] / n), static_cast<int>(sum[1] / n), static_cast<int>(sum[2] / n)});
    }
    for (int a = 0; a < SPECIES_COUNT; ++a)
        for (int b = a + 1; b < SPECIES_COUNT; ++b) {
            const int distance = std::abs(means[a][0] - means[b][0]) + std::abs(means[a][1] - means[b][1]) +
                                 std::abs(means[a][2] - means[b][2]);
            EXPECT_GT(distance, 40) << "species " << a << " and " << b << " look alike";
        }
}

TEST_F(FishDrawing, PartTransformIsTheMatrixOfGlRotateAboutZ) {
    Fish fish;
    glMatrixMode(GL_MODELVIEW);
    for (float angle : {0.0f, 17.0f, 90.0f, -135.0f, 359.0f}) {
        glLoadIdentity();
        glRotatef(angle, 0.0f, 0.0f, 1.0f);
        GLfloat expected[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, expected);
        fish.setPartTransform(angle);
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(fish.partTransform[i], expected[i], 1e-6) << angle << " [" << i << "]";
    }
}

TEST_F(FishDrawing, FishAppearOnePerFrameAndOnlyShownFishMove) {
    for (auto& c : liveSettings.speciesCounts) c = 5;
    gltest::NullFrameHost host;
    // A record that has been drawn has moved, and then has a contact box.
    auto drawnSoFar = [&] {
        int n = 0;
        while (n < FISH_CAPACITY && !scene.fish[n].contactBox.isEmpty()) ++n;
        for (int i = n; i < FISH_CAPACITY; ++i) EXPECT_TRUE(scene.fish[i].contactBox.isEmpty()) << i;
        return n;
    };
    drawFrame(scene, view, host);
    EXPECT_EQ(drawnSoFar(), 2) << "two fish in the first frame";
    for (int frame = 2; frame <= 10; ++frame) drawFrame(scene, view, host);
    EXPECT_EQ(drawnSoFar(), 11) << "n + 1 in the n-th";
    for (int frame = 11; frame <= 60; ++frame) drawFrame(scene, view, host);
    EXPECT_EQ(drawnSoFar(), 50);
    liveSettings.speciesCounts = {};
}

TEST_F(FishDrawing, HiddenFishFreezeAndCarryOnWhereTheyStopped) {
    liveSettings.speciesCounts = {10, 10};
    gltest::NullFrameHost host;
    for (int frame = 0; frame < 80; ++frame) drawFrame(scene, view, host);
    const FishTable before = scene.fish;

    liveSettings.speciesCounts = {10};  // 20 -> 10
    for (int frame = 0; frame < 40; ++frame) drawFrame(scene, view, host);
    for (int i = 10; i < 20; ++i) {
        const Fish& f = scene.fish[i];
        EXPECT_EQ(f.position.x, before[i].position.x) << i;
        EXPECT_EQ(f.position.y, before[i].position.y) << i;
        EXPECT_EQ(f.position.z, before[i].position.z) << i;
        EXPECT_EQ(f.heading, before[i].heading) << i;
        EXPECT_EQ(f.tailWave.phase, before[i].tailWave.phase) << i;
        EXPECT_EQ(f.tailWave.tick, before[i].tailWave.tick) << i;
        EXPECT_EQ(f.wanderTimer, before[i].wanderTimer) << i;
    }
    int moved = 0;
    for (int i = 0; i < 10; ++i) moved += scene.fish[i].position.x != before[i].position.x;
    EXPECT_GE(moved, 8) << "the shown fish swim on";

    liveSettings.speciesCounts = {10, 10};  // back to 20: they carry on from where they stopped
    drawFrame(scene, view, host);
    for (int i = 10; i < 20; ++i) {
        const Fish& f = scene.fish[i];
        EXPECT_LE(std::fabs(f.position.x - before[i].position.x), 0.15f + 1e-4f) << i;
        EXPECT_LE(std::fabs(f.position.z - before[i].position.z), 0.15f + 1e-4f) << i;
        EXPECT_EQ(f.tailWave.tick, (before[i].tailWave.tick + 1) % 7) << i;
    }
    liveSettings.speciesCounts = {};
}

TEST_F(FishDrawing, ChangingTheCountsReskinsTheSameFishWithoutMovingThem) {
    const SpeciesCounts firstSpecies = {5}, secondSpecies = {0, 5};
    for (int frame = 0; frame < 10; ++frame)
        drawShownFish(scene.fish, firstSpecies, 50, scene.fishTextures.data());
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), scene.fishTextures[0]);
    const FishTable before = scene.fish;

    drawShownFish(scene.fish, secondSpecies, 50, scene.fishTextures.data());
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), scene.fishTextures[1]);
    for (int i = 0; i < 5; ++i) {
        EXPECT_LE(std::fabs(scene.fish[i].position.x - before[i].position.x), 0.15f + 1e-4f) << "one step on";
        EXPECT_EQ(scene.fish[i].size, before[i].size);
    }
    for (int i = 5; i < FISH_CAPACITY; ++i) EXPECT_EQ(scene.fish[i].position.x, before[i].position.x);
}

// The whole tank with fifty fish of the ten species through the real frame.
TEST(FishTank, FiftyFishOfTenSpeciesSwimThroughTheFrame) {
    testsupport::TempConfigHome data;
    gltest::OffscreenContext gl(1024, 768);
    ASSERT_TRUE(gl.ok());
    crtSrand(1);
    SceneState scene;
    ViewState view;
    initialiseScene(scene, view, 1024, 768);
    liveSettings.speciesCounts = {5, 5, 5, 5, 5, 5, 5, 5, 5, 5};
    liveSettings.showTerra = 0;  // the fish over the plain black backdrop colour
    gltest::NullFrameHost host;
    for (int frame = 0; frame < 240; ++frame) drawFrame(scene, view, host);
    const gltest::FramebufferImage earlier = gltest::readFramebuffer(1024, 768);
    const FishTable before = scene.fish;
    for (int frame = 0; frame < 60; ++frame) drawFrame(scene, view, host);
    const gltest::FramebufferImage image = gltest::readFramebuffer(1024, 768);
    gltest::keepPicture(image, "tank");
    liveSettings.speciesCounts = {};
    liveSettings.showTerra = 1;

    long covered = 0, changed = 0;
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) {
            covered += !isBackground(image.at(x, y));
            changed += std::memcmp(image.at(x, y), earlier.at(x, y), 3) != 0;
        }
    EXPECT_GT(covered, 1024 * 768 / 50) << "fifty fish cover a fair part of the view";
    EXPECT_GT(changed, covered / 4) << "and move";
    int swimming = 0;
    for (int i = 0; i < FISH_CAPACITY; ++i) {
        const Fish& f = scene.fish[i];
        swimming += std::fabs(f.position.x - before[i].position.x) + std::fabs(f.position.z - before[i].position.z) > 0.5f;
        EXPECT_GE(f.position.y, f.bounds.bottom);
        EXPECT_LE(f.position.y, f.bounds.top);
    }
    // A fish may be held in a corner of the tank for a while as it turns away.
    EXPECT_GE(swimming, 45) << "the fish swim";
}
