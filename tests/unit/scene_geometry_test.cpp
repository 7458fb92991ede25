#include <gtest/gtest.h>

#include "environment/tank_bounds.h"
#include "render/camera.h"
#include "render/tool_pass.h"

using namespace veltamar;

TEST(TankBounds, TabledScreensAreWidenedByTwentyAndFour) {
    struct Case {
        int w, h;
        float right;
    };
    for (const Case& c : {Case{800, 600, 49}, Case{1024, 768, 49}, Case{1280, 960, 49}, Case{1280, 1024, 49},
                          Case{1440, 900, 55}, Case{1600, 900, 58}, Case{1680, 1050, 54}}) {
        const TankBounds b = tankBoundsForScreen(c.w, c.h);
        EXPECT_FLOAT_EQ(b.sceneRight, c.right) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(b.sceneLeft, -c.right);
        EXPECT_FLOAT_EQ(b.sceneTop, 25);
        EXPECT_FLOAT_EQ(b.sceneBottom, -25);
        EXPECT_FLOAT_EQ(b.sceneBack, -50);
    }
}

TEST(TankBounds, OtherScreensFollowTheAspectRatioAndStayUsable) {
    EXPECT_FLOAT_EQ(tankBoundsForScreen(1920, 1080).sceneRight, 58) << "16:9 like 1600 x 900";
    EXPECT_FLOAT_EQ(tankBoundsForScreen(1920, 1200).sceneRight, 54) << "16:10 like 1680 x 1050";
    EXPECT_FLOAT_EQ(tankBoundsForScreen(2560, 1080).sceneRight, 20 + 51) << "21:9 wider still";
    EXPECT_FLOAT_EQ(tankBoundsForScreen(1366, 768).sceneRight, 58);
    EXPECT_FLOAT_EQ(tankBoundsForScreen(1024, 1280).sceneRight, 49) << "portrait keeps the 4:3 tank";
    for (auto [w, h] : {std::pair{1, 1}, std::pair{0, 0}, std::pair{7680, 4320}, std::pair{600, 4000}}) {
        const TankBounds b = tankBoundsForScreen(w, h);
        EXPECT_LT(b.sceneLeft, b.sceneRight);
        EXPECT_LT(b.sceneBottom, b.sceneTop);
        EXPECT_LT(b.sceneBack, 0);
    }
}

TEST(Frustum, WideScreensWidenAndTallScreensHeighten) {
    const Frustum wide = frameFrustum(1024, 768);
    EXPECT_DOUBLE_EQ(wide.right, 0.4 * 1024 / 768);
    EXPECT_DOUBLE_EQ(wide.left, -wide.right);
    EXPECT_DOUBLE_EQ(wide.top, 0.4);
    EXPECT_DOUBLE_EQ(wide.zNear, 1.0);
    EXPECT_DOUBLE_EQ(wide.zFar, 1000.0);

    const Frustum tall = frameFrustum(768, 1024);
    EXPECT_DOUBLE_EQ(tall.right - tall.left, 0.8);
    EXPECT_DOUBLE_EQ(tall.top - tall.bottom, 0.8 * 1024 / 768);

    const Frustum square = frameFrustum(800, 800);
    EXPECT_DOUBLE_EQ(square.right, 0.4);
    EXPECT_DOUBLE_EQ(square.top, 0.4);
}

TEST(ToolPassCapture, EachCoordinateIsKeptOnceInsideTheTankAndUsedWhenBothAreHeld) {
    const TankBounds tank = tankBoundsForScreen(1024, 768);
    WorldPointCapture capture;
    offerPickedPoint(capture, 60.0f, 30.0f, tank);  // both outside
    EXPECT_FALSE(takeCapturedPoint(capture));
    offerPickedPoint(capture, 12.0f, 30.0f, tank);
    EXPECT_TRUE(capture.xCaptured);
    EXPECT_FALSE(takeCapturedPoint(capture));
    offerPickedPoint(capture, -3.0f, -25.0f, tank);  // x already held; y on the edge counts
    const auto point = takeCapturedPoint(capture);
    ASSERT_TRUE(point);
    EXPECT_FLOAT_EQ(point->x, 12.0f);
    EXPECT_FLOAT_EQ(point->y, -25.0f);
    EXPECT_FALSE(capture.xCaptured || capture.yCaptured);

    offerPickedPoint(capture, 0.0f, 0.0f, tank);
    EXPECT_TRUE(takeCapturedPoint(capture)) << "a miss returns 0, which lies inside the tank";
}
