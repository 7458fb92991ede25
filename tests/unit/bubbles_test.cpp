#include <gtest/gtest.h>

#include <cstring>

#include "environment/bubble_emitters.h"
#include "environment/particle_system.h"
#include "platform/crt_rand.h"
#include "settings/live_settings.h"

using namespace veltamar;

namespace {

// Allocates the pool of a bubble system without loading its picture (no OpenGL needed).
void allocatePool(BubbleSystem& system, int n) {
    ASSERT_TRUE(system.ParticleSystem::init(n));
}

Particle rising(float y, float vy, float fade) {
    Particle p{};
    p.y = y;
    p.vy = vy;
    p.ay = 1.0f / 1200.0f;
    p.life = 200.0f;
    p.fade = fade;
    p.size = 1.0f;
    return p;
}

}  // namespace

TEST(Bubbles, PerEmitterCountFollowsTheSettingWithinThePool) {
    struct Case {
        int setting, shown;
    };
    for (const Case& c : {Case{0, 110}, Case{100, 10}, Case{110, 0}, Case{55, 55}, Case{-20, 110},
                          Case{111, 0}, Case{5000, 0}}) {
        liveSettings.bubbleSetting = c.setting;
        EXPECT_EQ(bubblesShownPerEmitter(), c.shown) << c.setting;
    }
    liveSettings = LiveSettings{};
}

TEST(Bubbles, ABubbleRisesAcceleratingAndIsRebornAtTheTop) {
    BubbleSystem system;
    allocatePool(system, 1);
    system.particles[0] = rising(0.0f, 0.1f, 0.0f);
    system.particles[0].vx = 0.01f;
    system.update();
    const Particle& p = system.particles[0];
    EXPECT_FLOAT_EQ(p.y, 0.1f);
    EXPECT_FLOAT_EQ(p.x, 0.01f);
    EXPECT_FLOAT_EQ(p.vy, 0.1f + 1.0f / 1200.0f);
    EXPECT_FLOAT_EQ(p.life, 200.0f) << "a bubble without fade does not age";

    // Without fade it lives until it reaches 130 units.
    float highest = 0.0f, lastRise = 0.0f;
    int steps = 1;
    for (; steps < 10000; ++steps) {
        const float before = system.particles[0].y;
        lastRise = system.particles[0].vy;
        system.update();
        if (system.particles[0].y < before) break;
        highest = system.particles[0].y;
    }
    EXPECT_LT(highest, 130.0f);
    EXPECT_GE(highest + lastRise, 130.0f) << "reborn on the step that reaches the top";
    EXPECT_GT(steps, 300);
    EXPECT_LT(steps, 10000);
    const Particle& reborn = system.particles[0];
    EXPECT_GE(reborn.y, -1.0f);
    EXPECT_LE(reborn.y, -0.96f);
    EXPECT_FLOAT_EQ(reborn.life, 200.0f);
    EXPECT_FLOAT_EQ(reborn.size, 1.0f) << "the size survives rebirth";
    EXPECT_GE(reborn.x, -100.0f);
    EXPECT_LT(reborn.x, 100.0f);
    EXPECT_GE(reborn.vy, 0.0f);
    EXPECT_LE(reborn.vy, 9000 * 0.000042f);
}

TEST(Bubbles, ABubbleWhoseLifeRunsOutIsReborn) {
    BubbleSystem system;
    allocatePool(system, 1);
    system.particles[0] = rising(10.0f, 0.0f, 150.0f);
    system.update();
    EXPECT_FLOAT_EQ(system.particles[0].life, 50.0f);
    system.update();
    EXPECT_FLOAT_EQ(system.particles[0].life, 200.0f) << "life at or below 0 starts a new rise";
    EXPECT_LT(system.particles[0].y, 0.0f);
}

TEST(Bubbles, OnlyTheParticlesInUseMoveTheRestStayFrozen) {
    BubbleSystem system;
    allocatePool(system, 10);
    for (int k = 0; k < 10; ++k) system.particles[k] = rising(static_cast<float>(k), 0.5f, 0.1f);
    system.count = 4;
    system.update();
    for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(system.particles[k].y, k + 0.5f) << k;
    for (int k = 4; k < 10; ++k) {
        EXPECT_FLOAT_EQ(system.particles[k].y, static_cast<float>(k)) << k;
        EXPECT_FLOAT_EQ(system.particles[k].life, 200.0f) << k;
    }
    system.count = 50;  // more than the pool holds
    system.update();
    EXPECT_FLOAT_EQ(system.particles[9].y, 9.5f);
}

TEST(Bubbles, APoolThatCannotBeAllocatedLeavesTheSystemEmpty) {
    BubbleSystem system;
    EXPECT_FALSE(system.ParticleSystem::init(-1));
    EXPECT_EQ(system.capacity, 0);
    EXPECT_TRUE(system.ParticleSystem::init(0));
    EXPECT_EQ(system.count, 0);
    system.count = 110;
    system.update();  // nothing to move, nothing touched
    BubbleSystem constructed;
    EXPECT_EQ(constructed.limit, 900);
    EXPECT_TRUE(constructed.tint);
}
