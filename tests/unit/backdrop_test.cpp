#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "assets/texture_loader.h"
#include "environment/backdrop_colour_plane.h"
#include "environment/backdrop_surface.h"
#include "render/frame_renderer.h"
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

BackdropPatch patchAt1024x768() {
    backdropSway = 0.0f;
    backdropSwayRising = true;
    liveSettings = LiveSettings{};
    BackdropPatch patch;
    buildBackdropControlPoints(patch, TankBounds{-49, 49, 25, -25, -50, 0});
    return patch;
}

void expectPoint(const BackdropPoint& p, double x, double y, double z) {
    EXPECT_NEAR(p.x, x, 1e-5);
    EXPECT_NEAR(p.y, y, 1e-5);
    EXPECT_NEAR(p.z, z, 1e-5);
}

}  // namespace

TEST(BackdropControlPoints, At1024x768TheTopRowsSwayByOneStep) {
    const BackdropPatch patch = patchAt1024x768();
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
        EXPECT_NEAR(p[1][c].x, column + 0.008, 1e-5) << c;
        EXPECT_NEAR(p[1][c].z, c % 2 == 0 ? -89.992 : -90.008, 1e-5) << c;
        EXPECT_EQ(p[2][c].x, column);
        EXPECT_EQ(p[2][c].z, -90.0);
    }
}

TEST(BezierPoint5, EndsAtTheOuterPointsAndWeighsTheMiddle) {
    BackdropCurve q;
    for (int k = 0; k < 6; ++k) q[k] = {static_cast<double>(k), static_cast<double>(k * k), -1.0};
    expectPoint(bezierPoint5(q, 0.0f), 5, 25, -1);
    expectPoint(bezierPoint5(q, 1.0f), 0, 0, -1);
    // At s = 0.5 the weights are 1, 5, 10, 10, 5, 1 over 32.
    expectPoint(bezierPoint5(q, 0.5f), (5 + 20 + 30 + 20 + 5) / 32.0, (5 + 40 + 90 + 80 + 25) / 32.0, -1);
}

TEST(BackdropSurface, AnEmptyStripThenTwoStripsMapThePictureMirroredAcross) {
    const BackdropPatch patch = patchAt1024x768();
    RecordingSink sink;
    traceBackdropSurface(patch.backdropControlPoints, patch.backdropDivisions, sink);
    ASSERT_EQ(sink.strips.size(), 3u);
    for (const auto& strip : sink.strips) ASSERT_EQ(strip.size(), 6u);
    // The first strip runs down the right edge twice: no area.
    for (int k = 0; k < 6; k += 2) {
        EXPECT_DOUBLE_EQ(sink.strips[0][k].p.x, sink.strips[0][k + 1].p.x);
        EXPECT_DOUBLE_EQ(sink.strips[0][k].p.y, sink.strips[0][k + 1].p.y);
    }
    // Texture s is 0 at the right edge and 1 at the left; t is 0 at the bottom and 1 at the top.
    const auto& last = sink.strips[2];
    EXPECT_EQ(last[5].s + last[5].t, 2.0f);
    expectPoint(last[5].p, -48.992, 39.0, -89.992);
    EXPECT_EQ(last[1].s - last[1].t, 1.0f);
    expectPoint(last[1].p, -49.0, -38.0, -90.0);
    expectPoint(sink.strips[1][0].p, 49.0, -38.0, -90.0);

    RecordingSink none, many;
    traceBackdropSurface(patch.backdropControlPoints, 0, none);
    EXPECT_TRUE(none.strips.empty());
    traceBackdropSurface(patch.backdropControlPoints, 1000, many);
    EXPECT_EQ(many.strips.size(), MAX_BACKDROP_DIVISIONS + 1u) << "the working column is bounded";
}

TEST(BackdropColourPlane, PhaseIsSeededOnceAdvancesUnlessLockedAndWraps) {
    liveSettings = LiveSettings{};
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
    for (int frame = 1; frame < 50000; ++frame) stepColourPhase();
    EXPECT_LT(colourPhase, 10.0f) << "after 50000 frames the cycle is back near its start";
    liveSettings = LiveSettings{};
    colourPhaseSeeded = false;
}

TEST(OpaqueRowRun, FindsTheLongestRunOfRowsWithoutATransparentTexel) {
    // Pictures 3 texels wide, given as one letter a row from the bottom: 'o' opaque throughout,
    // 'k' with one keyed texel, 'h' with one half-transparent texel.
    const struct {
        const char* rows;
        OpaqueRows expected;
    } cases[] = {
        {"oooo", {0, 4, 4}},   {"ookk", {0, 2, 4}}, {"kooo", {1, 3, 4}}, {"ookooo", {3, 3, 6}},
        {"oookoo", {0, 3, 6}}, {"kkkk", {0, 0, 4}}, {"hoho", {1, 1, 4}}, {"", {0, 0, 0}},
    };
    for (const auto& c : cases) {
        const int height = static_cast<int>(std::string(c.rows).size());
        std::vector<std::uint8_t> rgba(static_cast<std::size_t>(height) * 3 * 4, 255);
        for (int y = 0; y < height; ++y)
            if (c.rows[y] != 'o') rgba[(y * 3 + 1) * 4 + 3] = c.rows[y] == 'k' ? 0 : 128;
        const OpaqueRows run = opaqueRowRun(rgba.data(), 3, height);
        EXPECT_EQ(run.first, c.expected.first) << c.rows;
        EXPECT_EQ(run.count, c.expected.count) << c.rows;
        EXPECT_EQ(run.height, height) << c.rows;
        EXPECT_EQ(run.whole(), height > 0 && c.expected.count == height) << c.rows;
    }
}

TEST(SceneLight, WhiteWhateverTheNormalOnlyWhenTheAmbientPartsAloneReachFullStrength) {
    const struct {
        int lightSetting;
        float colour[3];
        bool white;
    } cases[] = {
        {0, {1.0f, 1.0f, 1.0f}, true},   {16, {1.0f, 1.0f, 1.0f}, true},  // 1.04 of full strength
        {20, {1.0f, 1.0f, 1.0f}, false},  // exactly full: no room for rounding
        {50, {1.0f, 1.0f, 1.0f}, false}, {100, {1.0f, 1.0f, 1.0f}, false}, {0, {0.9f, 0.9f, 0.9f}, true},
        {0, {0.8f, 1.0f, 1.0f}, false},  {0, {1.0f, 1.0f, 0.5f}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sceneLightIsWhite(c.lightSetting, c.colour), c.white) << c.lightSetting;
}
