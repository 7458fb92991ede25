#include <gtest/gtest.h>

#include <cmath>

#include "environment/food_pellet.h"
#include "environment/ripple_tables.h"
#include "environment/screen_ripple.h"
#include "environment/swirl_marker.h"
#include "platform/crt_rand.h"

using namespace veltamar;

TEST(FoodPellet, ConstructionSeedingAndTheTwentyPelletLimit) {
    crtSrand(1);
    FoodPellet pellets[FOOD_PELLET_COUNT];
    for (const FoodPellet& p : pellets) {
        EXPECT_FALSE(p.active);
        EXPECT_GE(p.dropPoint[0], -30);
        EXPECT_LE(p.dropPoint[0], 29);
        EXPECT_GE(p.dropPoint[1], -15);
        EXPECT_LE(p.dropPoint[1], 14);
        EXPECT_EQ(p.dropPoint[2], -70);
    }
    crtSrand(1);
    EXPECT_EQ(pellets[0].dropPoint[0], crtRand() % 60 - 30) << "x is drawn first";

    for (FoodPellet& p : pellets) {
        seedFoodPellet(p);
        EXPECT_FLOAT_EQ(p.drift[1], 1.0f);
        EXPECT_LE(std::fabs(p.drift[0]), 1.38f);
        EXPECT_LE(std::fabs(p.drift[2]), 0.38f);
        EXPECT_GE(p.sinkSpeed, 0.005f);
        EXPECT_LE(p.sinkSpeed, 0.0095f + 1e-7f);
        EXPECT_EQ(p.alive, 1.0f);
    }
    for (int i = 0; i < FOOD_PELLET_COUNT; ++i) {
        FoodPellet* free = firstFreePellet(pellets);
        ASSERT_EQ(free, &pellets[i]) << "the first free pellet in index order";
        free->active = true;
    }
    EXPECT_EQ(firstFreePellet(pellets), nullptr) << "a 21st drop finds none";
    pellets[7].active = false;
    EXPECT_EQ(firstFreePellet(pellets), &pellets[7]);
}

TEST(FoodPellet, SinksElevenUnitsThenIsGoneAndCanBeNudgedAndEaten) {
    for (auto [speed, frames] : {std::pair{0.005f, 2200}, std::pair{0.0095f, 1158}}) {
        FoodPellet p;
        seedFoodPellet(p);
        p.sinkSpeed = speed;
        int sinking = 0;
        while (p.drift[1] > -10.0f) {
            stepFoodPellet(p);
            ++sinking;
        }
        EXPECT_EQ(sinking, frames) << speed;
        EXPECT_EQ(p.alive, 1.0f);
        stepFoodPellet(p);
        EXPECT_EQ(p.alive, 0.0f);
        EXPECT_EQ(p.drift[1], -40.0f);
    }
    FoodPellet p;
    seedFoodPellet(p);
    const float x = p.drift[0];
    nudgeFoodPellet(p, 0.5f, -0.25f, 0.0f);
    EXPECT_FLOAT_EQ(p.drift[0], x + 0.5f);
    EXPECT_FLOAT_EQ(p.drift[1], 0.75f);
    eatFoodPellet(p);
    EXPECT_EQ(p.alive, 0.0f);
}

TEST(SwirlMarker, GlidesOneAndAHalfPerAxisAndStopsWithinThatOfItsTarget) {
    SwirlMarker m;
    setSwirlTarget(m, 10.0f, 0.0f, 0.0f);
    int steps = 0;
    for (int frame = 0; frame < 20; ++frame) {
        const float before = m.current[0];
        moveSwirlMarker(m);
        if (m.current[0] != before) ++steps;
    }
    EXPECT_EQ(steps, 6);
    EXPECT_FLOAT_EQ(m.target[0] - m.current[0], 1.0f);

    SwirlMarker near;
    setSwirlTarget(near, 1.2f, -1.2f, 1.2f);
    moveSwirlMarker(near);
    EXPECT_EQ(near.current[0], 0.0f);
    EXPECT_EQ(near.current[1], 0.0f);
    EXPECT_EQ(near.current[2], 0.0f);

    SwirlMarker diagonal;
    setSwirlTarget(diagonal, -4.0f, 2.0f, -70.0f);
    diagonal.current[2] = -70.0f;
    moveSwirlMarker(diagonal);
    EXPECT_FLOAT_EQ(diagonal.current[0], -1.5f);
    EXPECT_FLOAT_EQ(diagonal.current[1], 1.5f);
    EXPECT_FLOAT_EQ(diagonal.current[2], -70.0f);
}

TEST(RippleTables, SampleEntries) {
    const auto& v = rippleVectors();
    EXPECT_EQ(v[0][0].r, 0);
    EXPECT_EQ(v[0][0].dx, 0.0);
    EXPECT_EQ(v[0][1].dx, 0.0);
    EXPECT_EQ(v[0][1].dy, 1.0);
    EXPECT_EQ(v[0][1].r, 25);
    EXPECT_EQ(v[1][1].dx, 0.707107);
    EXPECT_EQ(v[1][1].dy, 0.707107);
    EXPECT_EQ(v[1][1].r, 36);
    EXPECT_EQ(v[31][31].r, 1131);
    EXPECT_EQ(v[31][31].dx, 0.707107);
    EXPECT_EQ(v[3][4].dx, 0.6);
    EXPECT_EQ(v[3][4].dy, 0.8);

    const auto& a = rippleAmplitudes();
    EXPECT_EQ(a[0], 0.0);
    EXPECT_EQ(a[255], 0.0);
    EXPECT_EQ(a[55], 0.0999838);
    EXPECT_EQ(a[169], 0.0624766);
    EXPECT_EQ(std::max_element(a.begin(), a.end()) - a.begin(), 55);
    EXPECT_LT(a[113], 0.0002);
}

TEST(RippleMesh, SlotsLifetimesAndCentres) {
    RippleMesh mesh;
    resizeRippleMesh(mesh, 1024, 768);
    EXPECT_EQ(mesh.diagonal, 1280);
    EXPECT_EQ(mesh.age[99], 1280 + 256);
    EXPECT_FLOAT_EQ(mesh.vertices[0][0].x, -1.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[31][31].y, 1.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[31][0].s0, 1.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[5][7].s, mesh.vertices[5][7].s0) << "at rest before the first frame";

    EXPECT_EQ(rippleMaxAge(mesh, 16, 16), 766);
    EXPECT_EQ(rippleMaxAge(mesh, 0, 0), 1490);
    addRipple(mesh, 0, 0);
    EXPECT_EQ(mesh.maxAge[0], 298) << "a corner ripple lives 298 frames on 1024 pixels";
    EXPECT_EQ(mesh.age[0], 4);

    addRipple(mesh, 1024, 768);  // the last pixel column and top row
    EXPECT_EQ(mesh.centreX[1], 31);
    EXPECT_EQ(mesh.centreY[1], 31);
    addRipple(mesh, 512, 384);
    EXPECT_EQ(mesh.centreX[2], 16);
    EXPECT_EQ(mesh.maxAge[2], 153);

    for (int k = 3; k < RIPPLE_SLOTS; ++k) addRipple(mesh, 100, 100);
    const int before[2] = {mesh.centreX[99], mesh.age[99]};
    addRipple(mesh, 900, 700);  // the 101st
    EXPECT_EQ(mesh.centreX[99], before[0]);
    EXPECT_EQ(mesh.age[99], before[1]);
    for (int k = 0; k < RIPPLE_SLOTS; ++k) EXPECT_LT(mesh.age[k], mesh.maxAge[k]) << "all running";
}

TEST(RippleMesh, RingsMoveTheTextureAndFadeAway) {
    RippleMesh mesh;
    resizeRippleMesh(mesh, 1024, 768);
    addRipple(mesh, 512, 384);
    double largest = 0;
    for (int frame = 0; frame < 60; ++frame) {
        advanceRipples(mesh);
        for (int i = 0; i < RIPPLE_GRID; ++i)
            for (int j = 0; j < RIPPLE_GRID; ++j)
                largest = std::max(largest, std::fabs(double(mesh.vertices[i][j].s) - mesh.vertices[i][j].s0));
    }
    EXPECT_GT(largest, 0.004) << "the ring moves the picture by several pixels of a 1024-pixel view";
    EXPECT_LT(largest, 0.016) << "but not by more than about 16";
    for (int frame = 60; frame < 300; ++frame) advanceRipples(mesh);
    for (int i = 0; i < RIPPLE_GRID; ++i)
        for (int j = 0; j < RIPPLE_GRID; ++j) EXPECT_FLOAT_EQ(mesh.vertices[i][j].s, mesh.vertices[i][j].s0);
}
