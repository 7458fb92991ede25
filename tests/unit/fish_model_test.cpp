#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "fish/fin_wave.h"
#include "fish/fish_model.h"
#include "fish/fish_skin_layout.h"

using namespace veltamar;
namespace skin = veltamar::fishskin;

namespace {

const FishVertex& vertexOf(FishPart part, int row, int column) {
    return FISH_MODEL_VERTICES[fishPartFirstVertex(part) + row * fishPartLayout(part).columns + column];
}

}  // namespace

TEST(FishModel, EveryPartFillsItsDeclaredExtentsWithUnitNormalsAndSkinCoordinates) {
    int quads = 0;
    for (int p = 0; p < FISH_PART_COUNT; ++p) {
        const FishPart part = static_cast<FishPart>(p);
        const FishPartLayout& layout = fishPartLayout(part);
        std::array<float, 3> lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
        for (int r = 0; r < layout.rows; ++r)
            for (int c = 0; c < layout.columns; ++c) {
                const FishVertex& v = vertexOf(part, r, c);
                for (int a = 0; a < 3; ++a) {
                    lo[a] = std::min(lo[a], v.position[a]);
                    hi[a] = std::max(hi[a], v.position[a]);
                }
                EXPECT_NEAR(std::hypot(v.normal[0], v.normal[1], v.normal[2]), 1.0, 1e-4) << layout.name;
                EXPECT_GE(v.texCoord[0], 0.0f) << layout.name;
                EXPECT_LE(v.texCoord[0], 1.0f) << layout.name;
                EXPECT_GE(v.texCoord[1], 1.0f) << layout.name;
                EXPECT_LE(v.texCoord[1], 2.0f) << layout.name;
                if (layout.mirrored) {
                    EXPECT_LE(v.position[1], 0.0f) << layout.name << ": only the y <= 0 half";
                }
            }
        for (int a = 0; a < 3; ++a) {
            EXPECT_NEAR(lo[a], layout.extentMin[a], 0.001) << layout.name << " axis " << a;
            EXPECT_NEAR(hi[a], layout.extentMax[a], 0.001) << layout.name << " axis " << a;
        }
        quads += (layout.rows - 1) * (layout.columns - 1) * (layout.mirrored ? 2 : 1);
    }
    EXPECT_EQ(quads, 448);
    EXPECT_EQ(FISH_MODEL_VERTEX_COUNT, 339);

    // With size 2 it is 1.06 units long, with 8 4.23.
    const FishPartLayout& body = fishPartLayout(FishPart::Body);
    const float length = body.extentMax[0] - body.extentMin[0];
    EXPECT_NEAR(2 * length, 1.06, 0.005);
    EXPECT_NEAR(8 * length, 4.23, 0.005);
}

TEST(FishModel, RowsPlayTheRolesTheAnimationReliesOn) {
    // Tail: row 0 is rooted in the body, row 1 trails behind it.
    for (int c = 0; c < fishPartLayout(FishPart::TailFin).columns; ++c)
        EXPECT_LT(vertexOf(FishPart::TailFin, TAIL_ATTACHED_ROW, c).position[0],
                  vertexOf(FishPart::TailFin, TAIL_TRAILING_ROW, c).position[0]);
    EXPECT_LE(vertexOf(FishPart::TailFin, TAIL_ATTACHED_ROW, 0).position[0], skin::BODY_BACK_X)
        << "inside the body";

    // Pectoral fins: row 0 is the outer edge, row 1 the base on the body; the outer edge's last three
    // columns (which never flap) lie on the base.
    const FishPartLayout& pectoral = fishPartLayout(FishPart::PectoralFins);
    float farthest = 0.0f;
    for (int c = 0; c < pectoral.columns; ++c) {
        const FishVertex& outer = vertexOf(FishPart::PectoralFins, PECTORAL_OUTER_ROW, c);
        const FishVertex& base = vertexOf(FishPart::PectoralFins, PECTORAL_BASE_ROW, c);
        EXPECT_LE(outer.position[1], base.position[1]);
        farthest = std::min(farthest, outer.position[1]);
        if (c >= 9) {
            EXPECT_FLOAT_EQ(outer.position[1], base.position[1]) << c;
        }
    }
    EXPECT_FLOAT_EQ(farthest, pectoral.extentMin[1]);

    // Eyes: the last row is the eye's centre, the first row a closed ring.
    const FishPartLayout& eyes = fishPartLayout(FishPart::Eyes);
    for (int c = 1; c < eyes.columns; ++c)
        for (int a = 0; a < 3; ++a)
            EXPECT_EQ(vertexOf(FishPart::Eyes, 2, c).position[a], vertexOf(FishPart::Eyes, 2, 0).position[a]);
    for (int a = 0; a < 3; ++a)
        EXPECT_EQ(vertexOf(FishPart::Eyes, 0, 0).position[a],
                  vertexOf(FishPart::Eyes, 0, eyes.columns - 1).position[a]);

    // The nose is the most forward point of the fish, on the mouth line.
    EXPECT_FLOAT_EQ(fishPartLayout(FishPart::UpperLip).extentMin[0], -0.324f);
    for (const FishPartLayout& part : FISH_PART_LAYOUT) EXPECT_GE(part.extentMin[0], -0.324f) << part.name;
}

TEST(FishSkinLayout, EyesLandOnTheEyePatchAndNoOtherPartReachesThePatches) {
    auto pixelOf = [](const float* st) {
        return std::pair<double, double>{st[0] * skin::SKIN_SIDE - 0.5,
                                         skin::SKIN_SIDE - 0.5 - (st[1] - 1.0) * skin::SKIN_SIDE};
    };
    for (int p = 0; p < FISH_PART_COUNT; ++p) {
        const FishPart part = static_cast<FishPart>(p);
        const FishPartLayout& layout = fishPartLayout(part);
        for (int i = 0; i < layout.rows * layout.columns; ++i) {
            const FishVertex& v = FISH_MODEL_VERTICES[fishPartFirstVertex(part) + i];
            const auto [column, row] = pixelOf(v.texCoord);
            const int c = static_cast<int>(std::lround(column)), r = static_cast<int>(std::lround(row));
            if (part == FishPart::Eyes) {
                EXPECT_TRUE(skin::inEyePatch(c, r)) << c << "," << r;
                const skin::SidePoint offset = skin::eyeOffsetOfPixel(c, r);
                EXPECT_LE(std::hypot(offset.x, offset.z), 1.2);
            } else if (part == FishPart::PectoralFins) {
                EXPECT_TRUE(skin::inPectoralPatch(c, r)) << c << "," << r;
            } else {
                EXPECT_FALSE(skin::inEyePatch(c, r)) << layout.name;
                EXPECT_FALSE(skin::inPectoralPatch(c, r)) << layout.name;
                // The side view: the picture point is where the vertex is seen from the side.
                const skin::SkinCoord expected = skin::sideViewCoord(v.position[0], v.position[2]);
                EXPECT_NEAR(v.texCoord[0], expected.s, 1e-5);
                EXPECT_NEAR(v.texCoord[1], expected.t, 1e-5);
            }
        }
    }
    // The painter's view of a pixel and the model's view of a point agree.
    const skin::SidePoint p = skin::sideViewPoint(20, 30);
    const skin::SkinCoord c = skin::sideViewCoord(p.x, p.z);
    const skin::SkinCoord expected = skin::coordOfPixel(20, 30);
    EXPECT_NEAR(c.s, expected.s, 1e-9);
    EXPECT_NEAR(c.t, expected.t, 1e-9);
}

TEST(FinWave, PhaseStepsEverySeventhFrameAndRestartsAtZeroPastTheLimit) {
    FinWave wave = TAIL_WAVE_START;
    std::vector<float> phases;
    for (int frame = 0; frame < 7 * 14; ++frame) {
        wave.step();
        phases.push_back(wave.phase);
    }
    EXPECT_EQ(phases[5], 0.0f);
    EXPECT_FLOAT_EQ(phases[6], 0.52359873f) << "the seventh frame steps the phase";
    EXPECT_FLOAT_EQ(phases[12], 0.52359873f);
    EXPECT_FLOAT_EQ(phases[13], 2 * 0.52359873f);
    // Twelve steps make a value just below 2 pi, which stays; the thirteenth restarts at 0.
    const float twelfth = phases[6 + 11 * 7];
    EXPECT_NEAR(twelfth, 6.2831853, 1e-5);
    EXPECT_LE(twelfth, FIN_WAVE_PHASE_LIMIT);
    EXPECT_EQ(phases[6 + 12 * 7], 0.0f);
    EXPECT_FLOAT_EQ(phases[6 + 13 * 7], 0.52359873f);
    EXPECT_EQ(wave.tick, 0);

    // The values: a sine across the nine columns.
    FinWave pectoral = PECTORAL_WAVE_START;
    std::array<float, FIN_WAVE_VALUES> values{};
    for (int frame = 0; frame < 7; ++frame) values = pectoral.step();
    for (int i = 0; i < FIN_WAVE_VALUES; ++i)
        EXPECT_NEAR(values[i], std::sin(i * 0.31415924 + 0.52359873) * 0.03, 1e-6) << i;
}
