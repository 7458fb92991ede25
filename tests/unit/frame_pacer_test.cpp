#include <gtest/gtest.h>

#include "platform/frame_pacer.h"

using namespace veltamar;

TEST(FramePacer, FastFramesRunAtSixtyFourPerSecondAndSlowFramesAreNeverCaughtUp) {
    FramePacer pacer(1000.0);
    EXPECT_DOUBLE_EQ(pacer.delayUntilNextTick(1000.0), 15.625) << "on a boundary the next one is a tick away";
    EXPECT_DOUBLE_EQ(pacer.delayUntilNextTick(1003.0), 12.625);
    EXPECT_EQ(pacer.timerDelayMs(1003.0), 13) << "rounded up, never early";

    // Simulate a one-millisecond timer with frames of 3 ms: one second gives 64 frames.
    double now = 1000.0;
    int frames = 0;
    while (now < 2000.0) {
        now += pacer.delayUntilNextTick(now);
        ++frames;
        now += 3.0;
    }
    EXPECT_EQ(frames, 64);

    // Frames of 20 ms take two ticks each: 32 per second, not 64 with a backlog.
    now = 1000.0;
    frames = 0;
    while (now < 2000.0) {
        now += pacer.delayUntilNextTick(now);
        ++frames;
        now += 20.0;
    }
    EXPECT_EQ(frames, 32);
}

TEST(FramePacer, RoundedTimerDelaysKeepTheAverageRate) {
    FramePacer pacer(0.0);
    double now = 0.0;
    int frames = 0;
    while (now < 10000.0) {
        now += pacer.timerDelayMs(now) + 0.2;  // a timer firing slightly late
        ++frames;
        now += 2.5;
    }
    EXPECT_NEAR(frames, 640, 2);
}
