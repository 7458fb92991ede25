#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "aquarium_driver.h"
#include "harness.h"
#include "saver_support.h"
#include "scene_pixels.h"

// The aquarium on the screens people have: 16:9 and ultrawide screens, and a desktop scaled by two
// for a high-density screen. Each run leaves a screenshot named shape-<width>x<height> (and
// scaled-...) among the test artifacts.

using namespace veltamar::e2e;

namespace {

constexpr int TOOL_FEED = 1036;

// What shows where nothing is drawn: the clear colour, and the colour plane of every start-up.
bool black(const std::array<int, 3>& c) {
    return c[0] < 10 && c[1] < 10 && c[2] < 10;
}

double blackShare(const Screenshot& shot, const Box& box) {
    int blackPixels = 0, all = 0;
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x, ++all) blackPixels += black(shot.at(x, y));
    return all ? static_cast<double>(blackPixels) / all : 1.0;
}

// The backdrop picture fills the screen: the tank's water across the whole width, no black strip
// at the left, right or bottom edge below the water line (a fish swimming by may darken a few
// pixels), and above it the picture's transparent top, whose water line lies near the top of the
// screen, not halfway down.
void expectPictureToEveryEdge(const Screenshot& shot, int width, int height) {
    ASSERT_EQ(shot.width, width);
    ASSERT_EQ(shot.height, height);
    EXPECT_TRUE(waterAcross(shot, {0, 0, width, height})) << "the aquarium's water across the screen";
    const int belowWater = height * 3 / 10;
    EXPECT_LT(blackShare(shot, {0, belowWater, 4, height}), 0.05) << "left edge";
    EXPECT_LT(blackShare(shot, {width - 4, belowWater, width, height}), 0.05) << "right edge";
    EXPECT_LT(blackShare(shot, {0, height - 4, width, height}), 0.05) << "bottom edge";
    for (int x : {2, width / 2, width - 3}) {
        int waterLine = 0;
        while (waterLine < height && black(shot.at(x, waterLine))) ++waterLine;
        EXPECT_LT(waterLine, height / 4) << "the water line at x = " << x;
    }
}

// The screen once the aquarium shows on it: a large screen on the software renderer may take a
// while for its first frames.
Screenshot aquariumOnScreen(const std::string& name) {
    Screenshot shot;
    for (int tries = 0; tries < 20; ++tries) {
        shot = screenshot(name);
        if (shot.width > 0 && !black(shot.at(shot.width / 4, shot.height - 2))) break;
        sleepSeconds(2.0);
    }
    return shot;
}

}  // namespace

TEST(ScreenShapes, TheBackdropPictureReachesEveryEdgeOfWideScreens) {
    for (auto [width, height] : {std::pair{1366, 768}, std::pair{1920, 1080}, std::pair{2560, 1080},
                                 std::pair{2560, 1440}, std::pair{3440, 1440}, std::pair{3840, 2160}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        XServer screen(width, height);
        TempHome home;
        Aquarium aquarium(home);
        ASSERT_TRUE(aquarium.waitForWindow(60));
        mouseTo(width - 1, height / 2);
        sleepSeconds(2.0);
        expectPictureToEveryEdge(
            aquariumOnScreen("shape-" + std::to_string(width) + "x" + std::to_string(height)), width, height);
    }
}

// GDK_SCALE=2 on a 2048 x 1536 screen: the window is 1024 x 768 in the desktop's units and the
// aquarium must fill all of its 2048 x 1536 pixels; the mouse positions the program is given are in
// the desktop's units too, and the tools must act where the pointer is.
TEST(ScreenShapes, AScaledDesktopIsFilledAndTheToolsActWhereThePointerIs) {
    XServer screen(2048, 1536);
    TempHome home;
    Aquarium aquarium(home, LaunchOptions{{"GDK_SCALE=2"}, false});
    ASSERT_TRUE(aquarium.waitForWindow(60));
    mouseTo(2040, 1500);
    sleepSeconds(2.0);
    expectPictureToEveryEdge(aquariumOnScreen("scaled-aquarium"), 2048, 1536);

    // Five feed clicks along a row drop pellets under them.
    aquarium.sendCommand(TOOL_FEED);
    sleepSeconds(0.5);
    const Screenshot unfed = screenshot("scaled-before-feeding");
    EXPECT_GE(feedClicksShowingAPellet(unfed, {760, 880, 1000, 1120, 1240}, 520, 2, "scaled-fed"), 4)
        << "pellets under the clicks";
    mouseTo(2040, 1500);

    // The popup menu opens at the pointer.
    clickAt(1200, 700, 3);
    sleepSeconds(1.0);
    const auto popups = popupWindows();
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_NEAR(popups[0].x, 1200, 4);
    EXPECT_NEAR(popups[0].y, 700, 4);
    screenshot("scaled-popup");
    run("xdotool key Down Down Return");  // "  Exit"
    EXPECT_EQ(aquarium.waitForExit(10), 0);
}
