#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "environment/backdrop_surface.h"
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

namespace {

// How far the frame's view reaches at depth z, to either side and up, from the eye at z = -7.
struct Reach {
    double x, y;
};
Reach viewReach(int width, int height, double z) {
    const Frustum f = frameFrustum(width, height);
    const double distance = -7.0 - z;
    return {f.right / f.zNear * distance, f.top / f.zNear * distance};
}

// The part of the view that the backdrop picture covers for sure on every row and column.
struct Extent {
    double left, right, bottom, top;
};
Extent pictureExtent(const TankBounds& tank) {
    BackdropPatch patch;
    fitBackdropControlPoints(patch, tank);
    const auto& p = patch.backdropControlPoints;
    Extent e{-1e9, 1e9, -1e9, 1e9};
    for (int i = 0; i < BACKDROP_ORDER; ++i) {
        e.left = std::max(e.left, p[i][0].x);
        e.right = std::min(e.right, p[i][BACKDROP_ORDER - 1].x);
        e.top = std::min(e.top, p[0][i].y);
        e.bottom = std::max(e.bottom, p[BACKDROP_ORDER - 1][i].y);
    }
    return e;
}

}  // namespace

TEST(TankBounds, OnOtherShapesThePictureReachesPastEveryEdgeAndTheFishStayInView) {
    const TankBounds fourThree = tankBoundsForScreen(1024, 768);
    for (auto [w, h] : {std::pair{1366, 768}, std::pair{1920, 1080}, std::pair{2560, 1080}, std::pair{2560, 1440},
                        std::pair{3440, 1440}, std::pair{3840, 2160}, std::pair{5120, 1440}, std::pair{1920, 1200},
                        std::pair{2048, 1536}, std::pair{320, 240}, std::pair{1000, 1000}, std::pair{768, 1024},
                        std::pair{1080, 1920}}) {
        const TankBounds b = tankBoundsForScreen(w, h);
        const Extent picture = pictureExtent(b);
        const Reach back = viewReach(w, h, -90.0);  // where the picture stands
        EXPECT_LT(picture.left, -back.x) << w << "x" << h;
        EXPECT_GT(picture.right, back.x) << w << "x" << h;
        EXPECT_LT(picture.bottom, -back.y) << w << "x" << h;
        EXPECT_GT(picture.top, back.y) << w << "x" << h;
        // Not stretched past need: no narrower or lower than the 4:3 tank, and otherwise within a
        // few units of the view's edges.
        EXPECT_LE(b.sceneRight, std::max<double>(fourThree.sceneRight, back.x + 3.0)) << w << "x" << h;
        EXPECT_LE(-picture.bottom, std::max(38.0, back.y + 3.0)) << w << "x" << h;
        EXPECT_GE(b.sceneRight, fourThree.sceneRight);
        EXPECT_EQ(b.sceneLeft, -b.sceneRight);
        EXPECT_EQ(b.sceneBack, -50.0f);
        // The band the fish keep to is in view even at the front of their region.
        const Reach front = viewReach(w, h, -55.0);
        EXPECT_LE(b.sceneTop - 10.0f, front.y) << w << "x" << h;
        EXPECT_GE(b.sceneBottom + 11.0f, -front.y) << w << "x" << h;
    }
    // Every screen of a listed shape gets that shape's tank.
    EXPECT_EQ(tankBoundsForScreen(2048, 1536).sceneRight, 49);
    EXPECT_EQ(tankBoundsForScreen(2560, 1600).sceneRight, tankBoundsForScreen(1440, 900).sceneRight);
    EXPECT_EQ(tankBoundsForScreen(1920, 1080).sceneRight, 61);
    EXPECT_EQ(tankBoundsForScreen(1080, 1920).sceneTop, 40);

    // Degenerate sizes still give a usable tank whose sea floor fits its storage.
    for (auto [w, h] :
         {std::pair{0, 0}, std::pair{1, 1}, std::pair{-5, 300}, std::pair{100000, 1}, std::pair{1, 100000}}) {
        const TankBounds b = tankBoundsForScreen(w, h);
        EXPECT_LT(b.sceneLeft, b.sceneRight);
        EXPECT_LT(b.sceneBottom, b.sceneTop);
        EXPECT_LT(b.sceneBack, 0);
        EXPECT_LT(b.sceneRight - b.sceneLeft, 1000);
        EXPECT_LT(b.sceneTop - b.sceneBottom, 1000);
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
