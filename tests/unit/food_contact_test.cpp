#include <gtest/gtest.h>

#include <cmath>

#include "fish/food_and_contact.h"
#include "fish/picking.h"
#include "platform/crt_rand.h"

using namespace veltamar;

namespace {

// A fish in the middle of the tank swimming steadily at the given heading, its flags and boxes
// computed as after a movement step.
Fish steadyFish(float x, float y, float z, float heading, int size = 4) {
    Fish f;
    f.size = size;
    f.position = {x, y, z};
    f.heading = f.targetHeading = f.lastTargetHeading = heading;
    f.pitch = f.targetPitch = 0.0f;
    f.turnDone = f.bendDone = true;
    f.speed = 0.1f;
    f.updateSideFlags();
    f.updateBoxes();
    return f;
}

FoodPellet pelletAt(float x, float y, float z) {
    FoodPellet p;
    p.active = true;
    p.alive = 1.0f;
    p.worldPosition[0] = x;
    p.worldPosition[1] = y;
    p.worldPosition[2] = z;
    return p;
}

}  // namespace

TEST(FoodSeeking, FoodAheadSlowsTheFishThenItIsPulledInAndEaten) {
    Fish fish = steadyFish(0.0f, 0.0f, -70.0f, 0.0f);  // heading 0: toward -x
    const Point3 nose = fish.noseTip;
    FoodPellet pellets[1] = {pelletAt(nose.x - 8.0f, nose.y, nose.z)};

    fish.speed = 0.15f;
    seekFood(fish, pellets, true);
    EXPECT_TRUE(fish.nearFood);
    EXPECT_FLOAT_EQ(fish.speed, 0.1f) << "slows to 0.1 while food is within 10";
    seekFood(fish, pellets, true);
    EXPECT_FLOAT_EQ(fish.speed, 0.1f) << "and stays there";

    pellets[0].worldPosition[0] = nose.x - 2.5f;
    seekFood(fish, pellets, true);
    EXPECT_FLOAT_EQ(fish.speed, 0.05f) << "and toward 0.05 within 3";

    const float driftBefore[3] = {pellets[0].drift[0], pellets[0].drift[1], pellets[0].drift[2]};
    pullFood(fish, pellets);
    EXPECT_NEAR(pellets[0].drift[0] - driftBefore[0], 2.5f * 0.005f, 1e-5) << "pulled along x toward the mouth";
    EXPECT_FLOAT_EQ(pellets[0].drift[1], driftBefore[1]) << "level with the mouth: no pull up or down";
    EXPECT_FLOAT_EQ(pellets[0].drift[2], driftBefore[2]);
    EXPECT_EQ(pellets[0].alive, 1.0f) << "not yet within 2 units";

    pellets[0].worldPosition[0] = nose.x - 1.9f;
    pellets[0].worldPosition[2] = nose.z + 4.9f;
    pullFood(fish, pellets);
    EXPECT_EQ(pellets[0].alive, 0.0f) << "eaten within 2, 2 and 5";
}

TEST(FoodSeeking, OnlyTheFeedToolSteersButFoodIsEatenWithAnyTool) {
    Fish fish = steadyFish(0.0f, 0.0f, -70.0f, 0.0f);
    FoodPellet pellets[1] = {pelletAt(fish.noseTip.x - 1.0f, fish.noseTip.y + 6.0f, fish.noseTip.z)};
    fish.speed = 0.15f;
    fish.nearFood = true;  // left from a frame with the feed tool
    seekFood(fish, pellets, false);
    EXPECT_FALSE(fish.nearFood) << "cleared every frame, so the fish wanders again";
    EXPECT_FLOAT_EQ(fish.speed, 0.15f);

    pellets[0].worldPosition[1] = fish.noseTip.y + 1.0f;
    pullFood(fish, pellets);
    EXPECT_EQ(pellets[0].alive, 0.0f);

    FoodPellet inactive[1] = {pelletAt(fish.noseTip.x, fish.noseTip.y, fish.noseTip.z)};
    inactive[0].active = false;
    pullFood(fish, inactive);
    seekFood(fish, inactive, true);
    EXPECT_EQ(inactive[0].alive, 1.0f);
    EXPECT_FALSE(fish.nearFood);
}

TEST(FoodSeeking, FoodAheadToEitherSideTurnsTheFishToFaceIt) {
    for (float side : {4.0f, -4.0f}) {
        Fish fish = steadyFish(0.0f, 0.0f, -70.0f, 0.0f);  // heading 0: toward -x
        const Point3 food = {fish.noseTip.x - 4.0f, fish.noseTip.y, fish.noseTip.z + side};
        FoodPellet pellets[1] = {pelletAt(food.x, food.y, food.z)};
        const double bearing = foodBearing(fish, food);
        ASSERT_GT(bearing, 10.0);
        seekFood(fish, pellets, true);
        EXPECT_EQ(std::fabs(fish.targetHeading), std::trunc(bearing)) << "by the bearing, in whole degrees";
        // Once the turn is done the fish points at the food, whichever side it lay on.
        const Fish turned = steadyFish(0.0f, 0.0f, -70.0f, fish.targetHeading);
        EXPECT_LT(foodBearing(turned, food), 1.0) << "food at z offset " << side;
    }
}

TEST(FoodSeeking, BearingAndPitchAmount) {
    const Fish fish = steadyFish(0.0f, 0.0f, -70.0f, 0.0f);
    EXPECT_NEAR(foodBearing(fish, {-5.0f, 0.0f, -70.0f}), 0.0, 1e-9);
    EXPECT_NEAR(foodBearing(fish, {-5.0f, 0.0f, -65.0f}), 45.0, 1e-4);
    EXPECT_NEAR(foodBearing(fish, {0.0f, 0.0f, -60.0f}), 90.0, 0.01) << "straight beside: guarded slope";
    EXPECT_EQ(pitchTowardFood({0, 0, 0}, {-4, 4, 0}), 45);
    EXPECT_EQ(pitchTowardFood({0, 0, 0}, {3, 0, 4}), 0);
    EXPECT_EQ(pitchTowardFood({0, 0, 0}, {-2, -1, 0}), -26);
    EXPECT_EQ(pitchTowardFood({0, 0, 0}, {0, 3, 0}), 90);
}

TEST(FoodSeeking, AFishPointingAtFoodSteersItsPitchToTheFood) {
    Fish fish = steadyFish(0.0f, 0.0f, -70.0f, 0.0f);
    fish.targetPitch = 30.0f;
    const Point3 nose = fish.noseTip;
    FoodPellet pellets[1] = {pelletAt(nose.x - 6.0f, nose.y - 2.0f, nose.z)};
    seekFood(fish, pellets, true);
    EXPECT_EQ(fish.targetPitch, -18.0f) << "atan(2 / 6) below, whole degrees";
    seekFood(fish, pellets, true);
    EXPECT_EQ(fish.targetPitch, -18.0f) << "asking again changes nothing";
}

TEST(FoodSeeking, AFishAtItsSteepestPitchCanStillSteerToFoodTheOtherWay) {
    // From the steepest climb or dive, food just below or above the nose must still win.
    for (auto [startPitch, rise] : {std::pair{45.0f, -0.2f}, std::pair{-45.0f, 0.2f}, std::pair{45.0f, -5.0f},
                                    std::pair{-45.0f, 5.0f}}) {
        Fish fish = steadyFish(0.0f, 0.0f, -70.0f, 0.0f);
        fish.targetPitch = startPitch;
        const Point3 nose = fish.noseTip;
        FoodPellet pellets[1] = {pelletAt(nose.x - 6.0f, nose.y + rise, nose.z)};
        const float wanted = static_cast<float>(pitchTowardFood(nose, {nose.x - 6.0f, nose.y + rise, nose.z}));
        for (int frame = 0; frame < 2; ++frame) seekFood(fish, pellets, true);
        EXPECT_EQ(fish.targetPitch, wanted) << "from " << startPitch << " to food at " << rise;
    }
}

TEST(FishContact, EqualFishHeadOnTheHigherIndexTurnsAbout) {
    FishTable table;
    table[0] = steadyFish(0.0f, 0.0f, -70.0f, 0.0f);      // toward -x
    table[1] = steadyFish(-1.0f, 0.0f, -70.0f, 180.0f);   // toward +x, nose to nose
    ASSERT_TRUE(table[0].contactBox.overlaps(table[1].contactBox));
    avoidFish(table, 0, 2);
    EXPECT_TRUE(table[0].inContact);
    EXPECT_TRUE(table[1].inContact);
    EXPECT_EQ(table[0].targetHeading, 0.0f);
    EXPECT_EQ(table[1].targetHeading, 360.0f);
    EXPECT_EQ(table[0].targetPitch, 0.0f + (table[0].position.y > table[1].position.y ? 1 : -1));

    table[0] = steadyFish(0.0f, 0.0f, -70.0f, 0.0f, 3);
    table[1] = steadyFish(-1.0f, 0.0f, -70.0f, 180.0f, 5);
    avoidFish(table, 0, 2);
    EXPECT_EQ(table[0].targetHeading, -180.0f) << "the smaller fish turns about";
    EXPECT_EQ(table[1].targetHeading, 180.0f);
}

TEST(FishContact, OneBehindTheOtherTheSpeedsAreSorted) {
    FishTable table;
    table[0] = steadyFish(0.0f, 0.0f, -70.0f, 0.0f);   // behind: both swim toward -x
    table[1] = steadyFish(-1.0f, 0.0f, -70.0f, 0.0f);  // in front
    avoidFish(table, 0, 2);
    EXPECT_FLOAT_EQ(table[1].speed, 0.15f) << "the front fish speeds up toward 0.2, at most 0.15";
    EXPECT_FLOAT_EQ(table[0].speed, 0.05f) << "the rear one slows toward 0.15 - 0.1";
}

TEST(FishContact, CrossingFishGetOppositeNudgesUnlessStillTurning) {
    crtSrand(5);
    FishTable table;
    table[0] = steadyFish(0.0f, 0.0f, -70.0f, 0.0f);
    table[1] = steadyFish(0.0f, 0.0f, -71.0f, 90.0f);  // crossing at right angles, a little behind
    avoidFish(table, 0, 2);
    EXPECT_GE(table[0].targetHeading, -19.0f);
    EXPECT_LE(table[0].targetHeading, -10.0f);
    EXPECT_GE(table[1].targetHeading, 100.0f);
    EXPECT_LE(table[1].targetHeading, 109.0f);

    table[0] = steadyFish(0.0f, 0.0f, -70.0f, 0.0f);
    table[1] = steadyFish(0.0f, 0.0f, -71.0f, 90.0f);
    table[0].targetHeading = 40.0f;  // a turn in progress is never retargeted
    avoidFish(table, 0, 2);
    EXPECT_EQ(table[0].targetHeading, 40.0f);
}

TEST(FishContact, NeverMovedOrDistantFishAreNotTouched) {
    FishTable table;
    table[0] = steadyFish(0.0f, 0.0f, -70.0f, 0.0f);
    table[1] = Fish();  // boxes never computed
    table[2] = steadyFish(30.0f, 0.0f, -70.0f, 0.0f);
    avoidFish(table, 0, 3);
    EXPECT_FALSE(table[0].inContact);
    EXPECT_FALSE(table[1].inContact);
    EXPECT_EQ(table[0].speed, 0.1f);
    EXPECT_EQ(table[0].targetPitch, 0.0f);
}

TEST(FishTools, TouchAndZoom) {
    Fish fish = steadyFish(0.0f, 0.0f, -58.0f, 0.0f, 7);
    applyFishTool(fish, FishTool::Touch);
    EXPECT_EQ(fish.targetHeading, 0.0f) << "outside the shelf band no quarter turn";
    EXPECT_FLOAT_EQ(fish.speed, 0.15f);

    Fish shelf = steadyFish(0.0f, 0.0f, -70.0f, 30.0f);
    applyFishTool(shelf, FishTool::Touch);
    EXPECT_EQ(shelf.targetHeading, 120.0f) << "in the shelf band a quarter turn";

    applyFishTool(fish, FishTool::ZoomIn);
    EXPECT_EQ(fish.size, 8);
    applyFishTool(fish, FishTool::ZoomIn);
    EXPECT_EQ(fish.size, 8);
    fish.size = 3;
    applyFishTool(fish, FishTool::ZoomOut);
    EXPECT_EQ(fish.size, 2);
    applyFishTool(fish, FishTool::ZoomOut);
    EXPECT_EQ(fish.size, 2);
    applyFishTool(fish, FishTool::Swirl);
    EXPECT_EQ(fish.size, 2);
}

TEST(PickSweepTest, GridsDriftAboutOneUnitBackAndForth) {
    const TankBounds tank{-49, 49, 25, -25, -50, 0};
    PickColumns columns;
    PickRows rows;
    buildPickGrids(columns, rows, tank);
    PickSweep sweep;
    float lowest = columns[0].x, highest = columns[0].x;
    for (int frame = 0; frame < 200; ++frame) {
        sweepPickGrids(columns, rows, sweep, tank);
        lowest = std::min(lowest, columns[0].x);
        highest = std::max(highest, columns[0].x);
    }
    EXPECT_NEAR(lowest, -50.1f, 0.15f);
    EXPECT_NEAR(highest, -47.9f, 0.15f);
    PickColumns start;
    PickRows rowStart;
    buildPickGrids(start, rowStart, tank);
    for (int i = 0; i < PICK_COLUMN_COUNT; ++i) EXPECT_LE(std::fabs(columns[i].x - start[i].x), 2.5f) << i;
    for (int i = 0; i < PICK_ROW_COUNT; ++i) EXPECT_LE(std::fabs(rows[i].y - rowStart[i].y), 2.5f) << i;
}
