#include <gtest/gtest.h>

#include "environment/bubble_emitters.h"
#include "environment/particle_system.h"
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
    for (auto [setting, shown] : {std::pair{0, 110}, std::pair{100, 10}, std::pair{110, 0},
                                  std::pair{-20, 110}, std::pair{111, 0}, std::pair{5000, 0}}) {
        liveSettings.bubbleSetting = setting;
        EXPECT_EQ(bubblesShownPerEmitter(), shown) << setting;
    }
    liveSettings = LiveSettings{};
}

TEST(Bubbles, WithoutFadeABubbleRisesAcceleratingUntilTheTopThenIsReborn) {
    BubbleSystem system;
    allocatePool(system, 1);
    system.particles[0] = rising(0.0f, 0.1f, 0.0f);
    float highest = 0.0f, lastRise = 0.0f;
    int steps = 0;
    while (++steps < 10000) {
        lastRise = system.particles[0].vy;
        system.update();
        if (system.particles[0].y < highest) break;
        highest = system.particles[0].y;
        ASSERT_FLOAT_EQ(system.particles[0].life, 200.0f);
    }
    EXPECT_LT(highest, 130.0f);
    EXPECT_GE(highest + lastRise, 130.0f) << "reborn on the step that reaches the top";
    EXPECT_GT(steps, 300) << "the lift is only 1/1200 per step";
    const Particle& reborn = system.particles[0];
    EXPECT_TRUE(reborn.y >= -1.0f && reborn.y <= -0.96f && reborn.x >= -100.0f && reborn.x < 100.0f);
    EXPECT_FLOAT_EQ(reborn.size, 1.0f) << "the size survives rebirth";

    system.particles[0] = rising(10.0f, 0.0f, 150.0f);
    system.update();
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
    for (int k = 0; k < 10; ++k) EXPECT_FLOAT_EQ(system.particles[k].y, k + (k < 4 ? 0.5f : 0.0f)) << k;
    system.count = 50;  // more than the pool holds
    system.update();
    EXPECT_FLOAT_EQ(system.particles[9].y, 9.5f);

    EXPECT_FALSE(system.ParticleSystem::init(-1)) << "no pool";
    EXPECT_EQ(system.capacity, 0);
    EXPECT_EQ(system.particles, nullptr);
    system.count = 110;
    system.update();  // a count without a pool must not reach any particle (ASan run)
    EXPECT_EQ(system.capacity, 0);
}
