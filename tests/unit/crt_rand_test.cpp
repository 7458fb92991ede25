#include <gtest/gtest.h>

#include "platform/crt_rand.h"

using namespace veltamar;

TEST(CrtRand, ReproducesTheCRuntimeSequenceFromStateOne) {
    crtSrand(1);
    // The first values of the C runtime's rand() of a process that never seeds it.
    EXPECT_EQ(crtRand(), 41);
    EXPECT_EQ(crtRand(), 18467);
    EXPECT_EQ(crtRand(), 6334);
    EXPECT_EQ(crtRand(), 26500);
    EXPECT_EQ(crtRand(), 19169);
    crtSrand(1);
    for (int i = 0; i < 100000; ++i) {
        const int v = crtRand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, CRT_RAND_MAX);
    }
}
