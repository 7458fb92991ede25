#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "environment/tank_bounds.h"
#include "fish/fish_population.h"
#include "fish/pick_grids.h"
#include "platform/crt_rand.h"

using namespace veltamar;

namespace {

std::vector<int> nextDraws(int n) {
    std::vector<int> draws;
    for (int i = 0; i < n; ++i) draws.push_back(crtRand());
    return draws;
}

// A whole table built and placed from a fresh generator, as at start-up on a 1024 x 768 screen.
std::unique_ptr<FishTable> startUpTable() {
    crtSrand(1);
    auto table = std::make_unique<FishTable>();
    placeFish(*table, 25.0f, -25.0f);
    return table;
}

SpeciesCounts counts(std::initializer_list<int> values) {
    SpeciesCounts c{};
    int i = 0;
    for (int v : values) c[i++] = v;
    return c;
}

}  // namespace

TEST(FishConstruction, DrawsSizeTargetsAndWanderTimerInItsOrder) {
    crtSrand(1);
    const std::vector<int> r = nextDraws(7);
    crtSrand(1);
    const Fish fish;
    EXPECT_EQ(crtRand(), r[6]) << "exactly six draws per record";
    EXPECT_EQ(fish.size, r[0] % 7 + 2);
    EXPECT_EQ(fish.targetPitch, r[1] % 45);
    EXPECT_EQ(fish.targetHeading, r[2] % 180);
    // r[3] and r[4] are drawn and discarded.
    EXPECT_EQ(fish.wanderTimer, r[5] % 200);

    EXPECT_FLOAT_EQ(fish.speed, 0.1f);
    EXPECT_EQ(fish.heading, 0.0f);
    EXPECT_EQ(fish.pitch, 0.0f);
    EXPECT_FALSE(fish.turnDone);
    EXPECT_FALSE(fish.nearFood);
    EXPECT_FLOAT_EQ(fish.tailWave.spatialStep, 0.39269906f);
    EXPECT_FLOAT_EQ(fish.pectoralWave.spatialStep, 0.31415924f);
    EXPECT_TRUE(fish.bodyBox.isEmpty());
    EXPECT_TRUE(fish.contactBox.isEmpty());
}

TEST(FishPlacement, DrawsPositionAndSpeedInItsOrderAndSetsTheBox) {
    crtSrand(1);
    nextDraws(FISH_CAPACITY * 6);  // the construction of the 50 records
    const std::vector<int> r = nextDraws(12);
    crtSrand(1);
    auto table = std::make_unique<FishTable>();
    placeFish(*table, 25.0f, -25.0f);
    const Fish& first = (*table)[0];
    EXPECT_EQ(first.position.x, r[4] % 100 - 50);
    if (r[5] % 3 == 0) {
        EXPECT_EQ(first.position.y, -19.0f);
        EXPECT_FLOAT_EQ(first.speed, 0.05f);
        EXPECT_EQ(first.position.z, r[6] % 20 - 80);
    } else {
        EXPECT_EQ(first.position.y, r[6] % 40 - 19);
        EXPECT_FLOAT_EQ(first.speed, 0.1f);
        EXPECT_EQ(first.position.z, r[7] % 20 - 80);
    }
    EXPECT_EQ(first.bounds.xMin, -50.0f);
    EXPECT_EQ(first.bounds.xMax, 50.0f);
    EXPECT_EQ(first.bounds.top, 15.0f);
    EXPECT_EQ(first.bounds.bottom, -14.0f);
    EXPECT_EQ(first.bounds.back, -85.0f);
    EXPECT_EQ(first.bounds.front, -55.0f);
    EXPECT_FLOAT_EQ(first.widthFactor, 0.34605f);
    EXPECT_FLOAT_EQ(first.heightFactor, 0.2778f);
    EXPECT_TRUE(first.contactBox.isEmpty()) << "no contact test before the first move";
}

TEST(FishPlacement, TwoLaunchesPlaceTheSameAquariumWithinTheStatedRanges) {
    const auto a = startUpTable();
    const auto b = startUpTable();
    int onTheBottom = 0;
    for (int i = 0; i < FISH_CAPACITY; ++i) {
        const Fish& f = (*a)[i];
        const Fish& g = (*b)[i];
        EXPECT_EQ(f.size, g.size);
        EXPECT_EQ(f.targetHeading, g.targetHeading);
        EXPECT_EQ(f.targetPitch, g.targetPitch);
        EXPECT_EQ(f.position.x, g.position.x);
        EXPECT_EQ(f.position.y, g.position.y);
        EXPECT_EQ(f.position.z, g.position.z);
        EXPECT_EQ(f.wanderTimer, g.wanderTimer);

        EXPECT_GE(f.size, 2);
        EXPECT_LE(f.size, 8);
        EXPECT_GE(f.targetHeading, 0);
        EXPECT_LE(f.targetHeading, 179);
        EXPECT_LE(f.targetPitch, 44);
        EXPECT_GE(f.position.x, -50);
        EXPECT_LE(f.position.x, 49);
        EXPECT_GE(f.position.z, -80);
        EXPECT_LE(f.position.z, -61);
        EXPECT_GE(f.position.y, -19);
        EXPECT_LE(f.position.y, 20);
        if (f.speed < 0.07f) {
            EXPECT_EQ(f.position.y, -19.0f) << "slow fish start on the bottom";
            ++onTheBottom;
        }
    }
    EXPECT_GT(onTheBottom, 5) << "about a third of the fish start on the bottom";
    EXPECT_LT(onTheBottom, 30);
}

TEST(Species, RecordsBelongToSpeciesByCumulativeCounts) {
    const SpeciesCounts allNine = counts({0, 0, 0, 0, 0, 0, 0, 0, 0, 50});
    for (int i = 0; i < FISH_CAPACITY; ++i) EXPECT_EQ(speciesOfRecord(allNine, i), 9) << i;

    const SpeciesCounts mixed = counts({3, 0, 2});
    EXPECT_EQ(speciesOfRecord(mixed, 0), 0);
    EXPECT_EQ(speciesOfRecord(mixed, 2), 0);
    EXPECT_EQ(speciesOfRecord(mixed, 3), 2);
    EXPECT_EQ(speciesOfRecord(mixed, 4), 2);
    EXPECT_EQ(speciesOfRecord(mixed, 5), -1);

    // Moving five fish from species 0 to species 1 re-skins the same records.
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(speciesOfRecord(counts({5}), i), 0);
        EXPECT_EQ(speciesOfRecord(counts({0, 5}), i), 1);
    }
}

TEST(Species, OnlyTheRevealedRecordsOfThePopulationWithinTheTableAreShown) {
    const SpeciesCounts fifty = counts({5, 5, 5, 5, 5, 5, 5, 5, 5, 5});
    EXPECT_EQ(shownFishCount(fifty, 0), 1);
    EXPECT_EQ(shownFishCount(fifty, 1), 2) << "two fish in the first frame";
    EXPECT_EQ(shownFishCount(fifty, 7), 8);
    EXPECT_EQ(shownFishCount(fifty, 50), 50);

    EXPECT_EQ(shownFishCount(counts({4, 3}), 50), 7);
    EXPECT_EQ(shownFishCount(counts({}), 50), 0);

    // An edited file can hold more than the table: the first 50 records are shown and the last
    // species lose their fish first.
    const SpeciesCounts tooMany = counts({50, 50});
    EXPECT_EQ(shownFishCount(tooMany, 50), 50);
    EXPECT_EQ(speciesOfRecord(tooMany, 49), 0);
}

TEST(PickGrids, StartAcrossAndUpTheTankOnThePlaneOfTheFish) {
    PickColumns columns;
    PickRows rows;
    buildPickGrids(columns, rows, tankBoundsForScreen(1024, 768));
    EXPECT_FLOAT_EQ(columns[0].x, -49.0f);
    EXPECT_NEAR(columns[100].x, -49.0f + 99.0099f, 1e-4);
    EXPECT_FLOAT_EQ(columns[50].z, -70.0f);
    EXPECT_FLOAT_EQ(rows[0].y, -25.0f);
    EXPECT_FLOAT_EQ(rows[1].y, -24.0f) << "50 units tall: a row every unit";
    EXPECT_FLOAT_EQ(rows[50].y, 25.0f);
    EXPECT_FLOAT_EQ(rows[50].x, 0.0f);

    // A tank wider than the columns reach at that spacing: they spread to its right edge.
    const TankBounds wide = tankBoundsForScreen(2560, 1080);
    buildPickGrids(columns, rows, wide);
    EXPECT_FLOAT_EQ(columns[0].x, wide.sceneLeft);
    EXPECT_NEAR(columns[100].x, wide.sceneRight, 1e-4);
}

TEST(Species, ExtremeCountsFromAnEditedFileNeitherOverflowNorShowTooMany) {
    const SpeciesCounts huge = counts({INT32_MAX, INT32_MAX, INT32_MAX});
    EXPECT_EQ(shownFishCount(huge, 50), 50);
    EXPECT_EQ(speciesOfRecord(huge, 49), 0);
    const SpeciesCounts negative = counts({INT32_MIN, INT32_MIN, 5});
    EXPECT_EQ(shownFishCount(negative, 50), 0);
}
