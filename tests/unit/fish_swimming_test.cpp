#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "fish/fish.h"
#include "platform/crt_rand.h"

using namespace veltamar;

namespace {

std::vector<int> drawsFrom(unsigned seed, int n) {
    crtSrand(seed);
    std::vector<int> draws;
    for (int i = 0; i < n; ++i) draws.push_back(crtRand());
    crtSrand(seed);
    return draws;
}

// A placed fish in the middle of the tank, swimming straight along its heading.
Fish swimmer(float heading, Point3 at = {0.0f, 0.0f, -70.0f}) {
    Fish f;
    f.size = 4;
    f.speed = 0.1f;
    f.heading = f.targetHeading = f.lastTargetHeading = heading;
    f.turnDone = f.bendDone = true;
    f.segmentYaw.fill(static_cast<int>(heading));
    f.pitch = f.targetPitch = 0.0f;
    f.wanderTimer = 0;
    f.position = at;
    f.bounds = {-50.0f, 50.0f, 15.0f, -14.0f, -85.0f, -55.0f};
    f.updateSideFlags();
    return f;
}

// One frame of a fish's life in drawFish's order, without the drawing.
SegmentYaws liveOneFrame(Fish& f) {
    const SegmentYaws yaws = f.updateTurn();
    f.pectoralWave.step();
    f.tailWave.step();
    f.updatePitch();
    f.wanderStep();
    f.stepFish();
    f.updateBoxes();
    return yaws;
}

}  // namespace

TEST(SideFlags, ClosedQuadrantsOfHeadingAndTarget) {
    struct Case {
        float angle;
        bool minusX, plusZ;
    };
    for (const Case& c :
         {Case{0, true, true}, Case{90, true, true}, Case{91, false, true}, Case{180, false, true},
          Case{181, false, false}, Case{270, true, false}, Case{360, true, false}, Case{-90, true, false},
          Case{-180, false, true}, Case{-270, true, true}}) {
        Fish f = swimmer(c.angle);
        f.targetHeading = c.angle;
        f.updateSideFlags();
        EXPECT_EQ(f.headingSideFlags.headingTowardMinusX, c.minusX) << c.angle;
        EXPECT_EQ(f.headingSideFlags.headingTowardPlusX, !c.minusX) << c.angle;
        EXPECT_EQ(f.headingSideFlags.headingTowardPlusZ, c.plusZ) << c.angle;
        EXPECT_EQ(f.headingSideFlags.headingTowardMinusZ, !c.plusZ) << c.angle;
        EXPECT_EQ(f.headingSideFlags.targetTowardMinusX, c.minusX) << c.angle;
        EXPECT_EQ(f.headingSideFlags.targetTowardPlusZ, c.plusZ) << c.angle;
    }
}

TEST(Turning, NinetyDegreesTakeFortyFiveHeadingStepsWhileTheBodyLagsUpToFourteen) {
    Fish f = swimmer(0.0f);
    f.targetHeading = 90.0f;
    int frames = 0;
    float largestLag = 0.0f, largestFinLag = 0.0f;
    while (f.heading != 90.0f && frames < 1000) {
        const SegmentYaws yaws = f.updateTurn();
        ++frames;
        if (!f.turnDone) {
            EXPECT_EQ(yaws[0], f.heading) << "while turning the head has the current heading";
        }
        for (int i = 0; i + 1 < FISH_SEGMENTS; ++i)
            EXPECT_GE(yaws[i], yaws[i + 1]) << "each segment trails the one before";
        largestLag = std::max(largestLag, yaws[0] - yaws[14]);
        largestFinLag = std::max(largestFinLag, yaws[0] - yaws[4]);
    }
    EXPECT_EQ(frames, 135) << "2 degrees every third frame";
    EXPECT_FLOAT_EQ(largestLag, 14.0f);
    EXPECT_FLOAT_EQ(largestFinLag, 4.0f) << "the side fins (segment 4) trail by up to 4 degrees";

    // The body then settles onto the heading by 1 to 1.89 degrees a frame, and stays there.
    int settling = 0;
    while (!f.bendDone && settling < 100) {
        f.updateTurn();
        ++settling;
    }
    EXPECT_TRUE(f.turnDone);
    EXPECT_LE(settling, 15);
    for (int yaw : f.segmentYaw) EXPECT_EQ(yaw, 90);
    const SegmentYaws settled = f.updateTurn();
    for (float yaw : settled) EXPECT_EQ(yaw, 90.0f);
}

TEST(Turning, ATurnInProgressIsNeverRetargetedAndDrawsNothing) {
    Fish f = swimmer(0.0f);
    f.targetHeading = 30.0f;
    const std::vector<int> r = drawsFrom(77, 1);
    for (HeadingTurn kind :
         {TURN_RANDOM, TURN_REVERSE, TURN_SLIDE, TURN_QUARTER, TURN_NUDGE, TURN_ABOUT, TURN_BY})
        f.turnHeading(45.0f, true, kind);
    EXPECT_EQ(f.targetHeading, 30.0f);
    EXPECT_EQ(crtRand(), r[0]);
}

TEST(Turning, EachKindChangesTheTargetItsOwnWay) {
    // Reverse: away from 180.
    Fish f = swimmer(200.0f);
    f.turnHeading(0.0f, false, TURN_REVERSE);
    EXPECT_EQ(f.targetHeading, 20.0f);
    f = swimmer(100.0f);
    f.turnHeading(0.0f, false, TURN_REVERSE);
    EXPECT_EQ(f.targetHeading, 280.0f);

    // Random: the second of two draws, up to 169 degrees, away from 180.
    // (Building a fish draws from the generator too, so each fish is built before the seed.)
    f = swimmer(100.0f);
    std::vector<int> r = drawsFrom(5, 2);
    f.turnHeading(0.0f, false, TURN_RANDOM);
    EXPECT_EQ(f.targetHeading, 100.0f + r[1] % 170);
    f = swimmer(250.0f);
    r = drawsFrom(5, 2);
    f.turnHeading(0.0f, false, TURN_RANDOM);
    EXPECT_EQ(f.targetHeading, 250.0f - r[1] % 170);

    // By side: subtracted when side equals "heading toward -x", added otherwise.
    f = swimmer(0.0f);  // toward -x
    f.turnHeading(37.9f, true, TURN_BY);
    EXPECT_EQ(f.targetHeading, -37.0f) << "whole degrees";
    f = swimmer(0.0f);
    f.turnHeading(-37.9f, false, TURN_BY);
    EXPECT_EQ(f.targetHeading, 37.0f);
    f = swimmer(180.0f);  // toward +x
    f.turnHeading(20.0f, true, TURN_BY);
    EXPECT_EQ(f.targetHeading, 200.0f);

    f = swimmer(0.0f);
    Fish g = swimmer(0.0f);
    r = drawsFrom(11, 2);
    f.turnHeading(0.0f, false, TURN_SLIDE);
    EXPECT_EQ(f.targetHeading, static_cast<float>(r[0] % 15));
    g.turnHeading(0.0f, true, TURN_NUDGE);
    EXPECT_EQ(g.targetHeading, -static_cast<float>(r[1] % 10 + 10));

    f = swimmer(300.0f);  // toward -x
    f.turnHeading(0.0f, false, TURN_ABOUT);
    EXPECT_EQ(f.targetHeading, 360.0f) << "clamped to 360";
}

TEST(Turning, AQuarterTurnOnlyInTheShelfBand) {
    for (float z : {-75.0f, -58.0f, -60.0f}) {
        Fish f = swimmer(90.0f, {0.0f, 0.0f, z});
        f.turnHeading(0.0f, true, TURN_QUARTER);
        EXPECT_EQ(f.targetHeading, 90.0f) << "z = " << z;
    }
    struct Case {
        float from, to;
    };
    for (const Case& c : {Case{90, 180}, Case{180, 270}, Case{200, 110}, Case{0, -90}, Case{-200, -110}}) {
        Fish f = swimmer(c.from, {0.0f, 0.0f, -70.0f});
        f.turnHeading(0.0f, true, TURN_QUARTER);
        EXPECT_EQ(f.targetHeading, c.to) << c.from;
    }
}

TEST(Pitch, TurnsAreClampedAndLargeRequestsRefused) {
    Fish f = swimmer(0.0f);
    f.targetPitch = 10.0f;
    f.turnPitch(200.0f, true, PITCH_BY);
    EXPECT_EQ(f.targetPitch, 10.0f) << "beyond 90 the request is refused";
    f.turnPitch(5.0f, true, PITCH_BY);
    EXPECT_EQ(f.targetPitch, 15.0f);
    f.turnPitch(70.0f, true, PITCH_BY);
    EXPECT_EQ(f.targetPitch, 45.0f) << "accepted, then clamped";
    f.turnPitch(0.0f, true, PITCH_MIRROR);
    EXPECT_EQ(f.targetPitch, -45.0f);
    f.turnPitch(0.0f, false, PITCH_NUDGE);
    EXPECT_EQ(f.targetPitch, -45.0f);
    f.turnPitch(0.0f, true, PITCH_NUDGE);
    EXPECT_EQ(f.targetPitch, -44.0f);

    const std::vector<int> r = drawsFrom(3, 2);
    f.targetPitch = 20.0f;
    f.turnPitch(0.0f, false, PITCH_FLIP);
    EXPECT_EQ(f.targetPitch, 20.0f - (r[0] % 15 + 15));
    f.targetPitch = 0.0f;
    f.turnPitch(0.0f, false, PITCH_FLIP);
    EXPECT_EQ(f.targetPitch, r[1] % 15 + 15.0f) << "level fish climb";

    f.pitch = 0.0f;
    f.targetPitch = 3.0f;
    for (int i = 0; i < 5; ++i) f.updatePitch();
    EXPECT_EQ(f.pitch, 3.0f) << "one degree a frame, never past the target";
}

TEST(Speed, ApproachesItsTargetWithinTheSpeedRange) {
    Fish f = swimmer(0.0f);
    f.approachSpeed(0.05f, 0.4f);
    EXPECT_FLOAT_EQ(f.speed, 0.15f);
    f.approachSpeed(0.1f, 0.05f);
    EXPECT_FLOAT_EQ(f.speed, 0.05f);
    f.speed = 0.12f;
    f.approachSpeed(0.01f, 0.1f);
    EXPECT_FLOAT_EQ(f.speed, 0.11f);
}

TEST(Walls, CrossingTheLeftWallWithNoTurnInProgressReversesAndSwingsAtOnce) {
    Fish f = swimmer(0.0f, {-49.95f, 0.0f, -70.0f});
    liveOneFrame(f);
    EXPECT_EQ(f.targetHeading, 180.0f);
    EXPECT_FLOAT_EQ(f.position.x, -48.0f);
    EXPECT_EQ(f.wallContact, WallContact::Left);

    const SegmentYaws yaws = liveOneFrame(f);
    EXPECT_EQ(f.heading, 180.0f);
    for (int i = 0; i < FISH_SEGMENTS; ++i) {
        EXPECT_EQ(yaws[i], 180.0f);
        EXPECT_EQ(f.segmentYaw[i], 180);
    }
    EXPECT_NEAR(f.position.x, -47.9f, 1e-4) << "and swims back at once";
    EXPECT_EQ(f.wallContact, WallContact::None);
}

TEST(Walls, CrossingTheLeftWallDuringATurnKeepsTheTargetAndBouncesNextTime) {
    Fish f = swimmer(0.0f, {-49.95f, 0.0f, -70.0f});
    f.targetHeading = 30.0f;  // still toward -x, turn just started
    liveOneFrame(f);
    EXPECT_EQ(f.targetHeading, 30.0f);
    EXPECT_FLOAT_EQ(f.position.x, -48.0f);
    EXPECT_EQ(f.wallContact, WallContact::Left);

    const SegmentYaws yaws = liveOneFrame(f);
    EXPECT_EQ(f.heading, 30.0f) << "snapped to its target";
    EXPECT_EQ(yaws[14], 30.0f);
    EXPECT_FLOAT_EQ(f.position.x, -48.0f) << "no movement along x at the wall";
    EXPECT_GT(f.position.z, -70.0f) << "but along z";

    int frames = 0;
    while (f.wallContact != WallContact::Left && frames < 1000) {
        liveOneFrame(f);
        ++frames;
    }
    EXPECT_EQ(f.targetHeading, 210.0f) << "the next crossing reverses";
}

TEST(Walls, SwingingRoundAtASideWallHoldsTheFishStill) {
    Fish f = swimmer(0.0f, {-48.0f, 0.0f, -70.0f});
    f.targetHeading = 180.0f;
    f.wallContact = WallContact::Left;
    f.stepFish();
    EXPECT_EQ(f.position.x, -48.0f);
    EXPECT_EQ(f.position.z, -70.0f);
    EXPECT_EQ(f.wallContact, WallContact::Left) << "no bounds check either";
}

TEST(Walls, TopAndBottomMirrorTheClimbAndSlowDown) {
    Fish f = swimmer(0.0f, {0.0f, 15.0f, -70.0f});
    f.targetPitch = 30.0f;
    f.checkBounds();
    EXPECT_EQ(f.targetPitch, -30.0f);
    EXPECT_FLOAT_EQ(f.speed, 0.05f);
    EXPECT_EQ(f.position.y, 15.0f);
    EXPECT_EQ(f.wallContact, WallContact::Top);

    f = swimmer(0.0f, {0.0f, -19.0f, -70.0f});  // placed on the bottom, below its bound
    f.targetPitch = -20.0f;
    f.checkBounds();
    EXPECT_EQ(f.targetPitch, 20.0f);
    EXPECT_EQ(f.position.y, -14.0f);
    EXPECT_EQ(f.wallContact, WallContact::Bottom);
}

TEST(Walls, TheBackWallHoldsTheFishWhileItsTargetSlidesAway) {
    Fish f = swimmer(270.0f, {0.0f, 0.0f, -85.05f});  // toward -x and -z
    f.speed = 0.15f;
    const std::vector<int> r = drawsFrom(21, 1);
    f.checkBounds();
    EXPECT_EQ(f.position.z, -85.0f);
    EXPECT_EQ(f.wallContact, WallContact::Back);
    EXPECT_EQ(f.targetHeading, 270.0f + r[0] % 15) << "side false differs from toward -x: added";
    EXPECT_FLOAT_EQ(f.speed, 0.14f) << "near the back wall the speed eases toward 0.1";

    // In the next step the fish slides along the wall: x moves, z is held.
    f.targetHeading = 270.0f;
    f.heading = 260.0f;
    f.position.z = -84.5f;
    f.stepFish();
    EXPECT_EQ(f.position.z, -84.5f);
    EXPECT_NE(f.position.x, 0.0f);
}

TEST(Wander, AnEventEveryFewHundredFramesChangesSpeedHeadingAndPitch) {
    Fish f = swimmer(90.0f, {0.0f, 0.0f, -70.0f});
    f.wanderTimer = 400;
    f.wanderStep();
    EXPECT_EQ(f.wanderTimer, 401) << "no event yet";

    const std::vector<int> r = drawsFrom(9, 7);
    f.wanderStep();
    EXPECT_EQ(f.wanderTimer, r[0] % 200);
    const float v = (r[1] % 4 + 1) * 0.1f;
    EXPECT_FLOAT_EQ(f.speed, v > 0.1f ? 0.15f : 0.1f);
    // r[2] is discarded by the random turn, r[3] turns it, r[4] flips the pitch, r[5] is discarded.
    EXPECT_EQ(f.targetHeading, 90.0f + r[3] % 170);
    EXPECT_EQ(f.targetPitch, static_cast<float>(r[4] % 15 + 15));
    EXPECT_EQ(crtRand(), r[6]);

    // Outside the shelf band the fish only flips its pitch.
    Fish g = swimmer(90.0f, {0.0f, 0.0f, -58.0f});
    g.wanderTimer = 401;
    const std::vector<int> s = drawsFrom(9, 4);
    g.wanderStep();
    EXPECT_EQ(g.targetHeading, 90.0f);
    EXPECT_EQ(g.targetPitch, static_cast<float>(s[2] % 15 + 15));

    // In contact or near food the timer stands still.
    g.wanderTimer = 500;
    g.inContact = true;
    g.wanderStep();
    g.inContact = false;
    g.nearFood = true;
    g.wanderStep();
    EXPECT_EQ(g.wanderTimer, 500);
}

TEST(Boxes, FollowTheTargetHeadingAndKeepUnmovedFishOutOfContact) {
    Fish f = swimmer(0.0f, {1.0f, 2.0f, -70.0f});
    Fish unmoved = swimmer(0.0f, {1.0f, 2.0f, -70.0f});
    f.updateBoxes();
    EXPECT_FLOAT_EQ(f.noseTip.x, -1.0f) << "half the length (size 4) toward -x";
    EXPECT_FLOAT_EQ(f.tailTip.x, 3.0f);
    EXPECT_FLOAT_EQ(f.bodyBox.xMax, 3.0f);
    EXPECT_FLOAT_EQ(f.bodyBox.xMin, -1.0f);
    EXPECT_FLOAT_EQ(f.bodyBox.yMax, 2.0f + 0.5556f);
    EXPECT_FLOAT_EQ(f.bodyBox.zMin, -70.0f - 0.6921f);
    EXPECT_FLOAT_EQ(f.contactBox.xMax, 5.0f);
    EXPECT_FLOAT_EQ(f.contactBox.yMin, 2.0f - 0.5556f - 0.2778f);
    EXPECT_FLOAT_EQ(f.contactBox.zMax, -70.0f + 0.6921f + 0.34605f);

    EXPECT_TRUE(f.contactBox.overlaps(f.contactBox));
    EXPECT_FALSE(f.contactBox.overlaps(unmoved.contactBox)) << "a fish that never moved touches nothing";
    EXPECT_FALSE(unmoved.contactBox.overlaps(f.contactBox));

    // Steering toward the viewer turns the box along z; the nose follows the current heading.
    f.targetHeading = 90.0f;
    f.updateBoxes();
    EXPECT_NEAR(f.bodyBox.zMax, -68.0f, 1e-4);
    EXPECT_NEAR(f.bodyBox.xMax, 1.0f, 1e-4);
    EXPECT_NEAR(f.noseTip.z, -68.0f, 1e-4);
}

TEST(Swimming, AFishStaysInItsBoxOverManyFrames) {
    crtSrand(1);
    Fish f;
    f.position = {10.0f, -19.0f, -70.0f};
    f.bounds = {-50.0f, 50.0f, 15.0f, -14.0f, -85.0f, -55.0f};
    for (int frame = 0; frame < 20000; ++frame) {
        liveOneFrame(f);
        ASSERT_GE(f.position.y, -14.0f);
        ASSERT_LE(f.position.y, 15.0f);
        // The back and front walls hold a fish even while it turns away from them.
        ASSERT_GE(f.position.z, -85.0f);
        ASSERT_LE(f.position.z, -55.0f);
        // A side wall turns back only a fish whose target still points into it; one whose target
        // has already turned away follows its heading round (2 degrees every third frame) and
        // can pass the wall by up to about 15 units (14.9 at most over 200 runs like this one).
        ASSERT_GT(f.position.x, -66.0f);
        ASSERT_LT(f.position.x, 66.0f);
        ASSERT_GE(f.speed, 0.05f);
        ASSERT_LE(f.speed, 0.15f);
        ASSERT_EQ(f.heading, static_cast<int>(f.heading)) << "whole degrees";
        ASSERT_EQ(f.targetPitch, static_cast<int>(f.targetPitch));
    }
}
