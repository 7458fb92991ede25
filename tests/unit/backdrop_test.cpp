#include <gtest/gtest.h>

#include <vector>

#include "environment/backdrop_colour_plane.h"
#include "environment/backdrop_surface.h"
#include "render/tank_bounds.h"
#include "settings/live_settings.h"

using namespace veltamar;

namespace {

struct RecordedVertex {
    float s, t;
    BackdropPoint p;
};

struct RecordingSink : BackdropStripSink {
    std::vector<std::vector<RecordedVertex>> strips;
    void beginStrip() override { strips.emplace_back(); }
    void vertex(float s, float t, const BackdropPoint& p) override { strips.back().push_back({s, t, p}); }
    void endStrip() override {}
};

BackdropPatch freshPatch(float left, float right) {
    backdropSway = 0.0f;
    backdropSwayRising = true;
    liveSettings = LiveSettings{};
    TankBounds tank;
    tank.sceneLeft = left;
    tank.sceneRight = right;
    BackdropPatch patch;
    buildBackdropControlPoints(patch, tank);
    return patch;
}

void expectPoint(const BackdropPoint& p, double x, double y, double z) {
    EXPECT_NEAR(p.x, x, 1e-5);
    EXPECT_NEAR(p.y, y, 1e-5);
    EXPECT_NEAR(p.z, z, 1e-5);
}

}  // namespace

TEST(BackdropControlPoints, At1024x768TheTopRowsSwayByOneStep) {
    const BackdropPatch patch = freshPatch(-49.0f, 49.0f);
    const auto& p = patch.backdropControlPoints;
    EXPECT_EQ(patch.backdropDivisions, 2);
    EXPECT_FLOAT_EQ(backdropSway, 0.008f);
    expectPoint(p[0][0], -48.992, 39.0, -89.992);
    expectPoint(p[0][5], 49.008, 39.0, -90.008);
    expectPoint(p[5][0], -49.0, -38.0, -90.0);
    expectPoint(p[5][5], 49.0, -38.0, -90.0);
    EXPECT_EQ(p[1][1].y, static_cast<double>(23.6f)) << "single-precision row heights widened to double";
    for (int c = 0; c < 6; ++c) {
        const double column = static_cast<float>(-49.0 + c * 98.0 * 0.2);
        for (int r = 0; r < 2; ++r) {
            EXPECT_NEAR(p[r][c].x, column + 0.008, 1e-5) << r << "," << c;
            EXPECT_NEAR(p[r][c].z, c % 2 == 0 ? -89.992 : -90.008, 1e-5) << r << "," << c;
        }
        for (int r = 2; r < 6; ++r) {
            EXPECT_EQ(p[r][c].x, column);
            EXPECT_EQ(p[r][c].z, -90.0);
        }
    }
}

TEST(BackdropControlPoints, SwayMovesOnlyForTheBackdropStylesAndTurnsAtItsLimits) {
    freshPatch(-49.0f, 49.0f);
    TankBounds tank{-49, 49, 25, -25, -50, 0};
    BackdropPatch patch;
    liveSettings.backgroundIndex = 1;
    buildBackdropControlPoints(patch, tank);
    EXPECT_FLOAT_EQ(backdropSway, 0.008f) << "style 1 leaves the sway alone";
    liveSettings.backgroundIndex = 2;
    buildBackdropControlPoints(patch, tank);
    EXPECT_FLOAT_EQ(backdropSway, 0.016f);

    backdropSway = 0.995f;
    buildBackdropControlPoints(patch, tank);
    EXPECT_FALSE(backdropSwayRising) << "above 1.0 it starts falling";
    backdropSway = -0.495f;
    buildBackdropControlPoints(patch, tank);
    EXPECT_TRUE(backdropSwayRising) << "below -0.5 it rises again";
    liveSettings = LiveSettings{};
}

TEST(BezierPoint5, EndsAtTheOuterPointsAndWeighsTheMiddle) {
    BackdropCurve q;
    for (int k = 0; k < 6; ++k) q[k] = {static_cast<double>(k), static_cast<double>(k * k), -1.0};
    expectPoint(bezierPoint5(q, 0.0f), 5, 25, -1);
    expectPoint(bezierPoint5(q, 1.0f), 0, 0, -1);
    // At s = 0.5 the weights are 1, 5, 10, 10, 5, 1 over 32.
    expectPoint(bezierPoint5(q, 0.5f), (5 + 20 + 30 + 20 + 5) / 32.0, (5 + 40 + 90 + 80 + 25) / 32.0, -1);
}

TEST(BackdropSurface, TwoDivisionsGiveAnEmptyStripThenTwoStripsCoveringThePicture) {
    const BackdropPatch patch = freshPatch(-49.0f, 49.0f);
    RecordingSink sink;
    traceBackdropSurface(patch.backdropControlPoints, patch.backdropDivisions, sink);
    ASSERT_EQ(sink.strips.size(), 3u);
    for (const auto& strip : sink.strips) ASSERT_EQ(strip.size(), 6u);

    // The first strip runs down the right edge twice: no area.
    for (int k = 0; k < 6; k += 2) {
        const BackdropPoint& a = sink.strips[0][k].p;
        const BackdropPoint& b = sink.strips[0][k + 1].p;
        EXPECT_DOUBLE_EQ(a.x, b.x);
        EXPECT_DOUBLE_EQ(a.y, b.y);
        EXPECT_FLOAT_EQ(sink.strips[0][k].s, -0.5f);
    }

    // Texture s is 0 at the right edge and 1 at the left; t is 0 at the bottom and 1 at the top.
    const auto& last = sink.strips[2];
    EXPECT_FLOAT_EQ(last[5].s, 1.0f);
    EXPECT_FLOAT_EQ(last[5].t, 1.0f);
    expectPoint(last[5].p, -48.992, 39.0, -89.992);
    EXPECT_FLOAT_EQ(last[0].s, 0.5f);
    EXPECT_FLOAT_EQ(last[1].s, 1.0f);
    EXPECT_FLOAT_EQ(last[1].t, 0.0f);
    expectPoint(last[1].p, -49.0, -38.0, -90.0);
    expectPoint(sink.strips[1][0].p, 49.0, -38.0, -90.0);
    expectPoint(sink.strips[1][4].p, 49.008, 39.0, -90.008);

    RecordingSink none;
    traceBackdropSurface(patch.backdropControlPoints, 0, none);
    EXPECT_TRUE(none.strips.empty());
    RecordingSink many;
    traceBackdropSurface(patch.backdropControlPoints, 1000, many);
    EXPECT_EQ(many.strips.size(), static_cast<std::size_t>(MAX_BACKDROP_DIVISIONS + 1))
        << "the working column is bounded";
}

TEST(BackdropColourPlane, ColourValuesAreRedInTheLowestByte) {
    const ColourBytes green = colourBytes(65280);
    EXPECT_EQ(green.r, 0);
    EXPECT_EQ(green.g, 255);
    EXPECT_EQ(green.b, 0);
    const ColourBytes mixed = colourBytes(0x00123456u);
    EXPECT_EQ(mixed.r, 0x56);
    EXPECT_EQ(mixed.g, 0x34);
    EXPECT_EQ(mixed.b, 0x12);
}

TEST(BackdropColourPlane, AutomaticGradientAtPhaseZeroIsGreenBelowAndBlackTopLeft) {
    const AutoGradientColours c = autoGradientColours(0.0f);
    EXPECT_FLOAT_EQ(c.bottom.r, 0);
    EXPECT_FLOAT_EQ(c.bottom.g, 1);
    EXPECT_FLOAT_EQ(c.bottom.b, 0);
    EXPECT_FLOAT_EQ(c.topRight.g, 1);
    EXPECT_FLOAT_EQ(c.topRight.r + c.topRight.b, 0);
    EXPECT_FLOAT_EQ(c.topLeft.r + c.topLeft.g + c.topLeft.b, 0);
    // A quarter of the red period later the top corners are full red.
    EXPECT_NEAR(autoGradientColours(30.0f * 3.14159265f / 2.0f).topLeft.r, 1.0f, 1e-5);
}

TEST(BackdropColourPlane, PhaseIsSeededOnceAdvancesUnlessLockedAndWraps) {
    liveSettings = LiveSettings{};
    colourPhase = 0.0f;
    colourPhaseSeeded = false;
    savedBackRotation = -1.0f;

    liveSettings.backRotation = 123.0f;
    liveSettings.backLock = 1;
    EXPECT_FLOAT_EQ(stepColourPhase(), 123.0f) << "seeded from the stored angle";
    EXPECT_FLOAT_EQ(savedBackRotation, -1.0f) << "locked: nothing published";

    liveSettings.backLock = 0;
    liveSettings.backRotation = 5.0f;
    EXPECT_FLOAT_EQ(stepColourPhase(), 123.2f) << "seeded only once";
    EXPECT_FLOAT_EQ(savedBackRotation, 123.2f);

    colourPhase = 9999.9f;
    EXPECT_FLOAT_EQ(stepColourPhase(), 0.0f) << "10000 or more wraps to 0";

    colourPhase = 0.0f;
    for (int frame = 0; frame < 50000; ++frame) stepColourPhase();
    EXPECT_LT(colourPhase, 10.0f) << "after 50000 frames the cycle is back near its start";
    liveSettings = LiveSettings{};
    colourPhaseSeeded = false;
}
