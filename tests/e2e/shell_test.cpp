#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "harness.h"

using namespace veltamar::e2e;

TEST(Shell, WindowCoversTheWholeScreenWithoutDecoration) {
    TempHome home;
    Aquarium aquarium(home);
    ASSERT_TRUE(aquarium.waitForWindow());
    const auto windows = windowsNamed("VeltamarScr");
    ASSERT_EQ(windows.size(), 1u);
    const auto g = windowGeometry(windows[0]);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->x, 0);
    EXPECT_EQ(g->y, 0);
    EXPECT_EQ(g->width, 1024);
    EXPECT_EQ(g->height, 768);
    // Motif hints: flags 0x2 (decorations given) with decorations 0 = no title bar, border or menu.
    const std::string hints = run("xprop -id " + windows[0] + " _MOTIF_WM_HINTS").output;
    EXPECT_NE(hints.find("= 0x3, 0x4, 0x0"), std::string::npos) << hints;
    screenshot("shell-fullscreen");
}

TEST(Shell, SecondStartEndsAtOnceWhileTheFirstKeepsRunning) {
    TempHome home;
    Aquarium first(home);
    ASSERT_TRUE(first.waitForWindow());
    Aquarium second(home);
    EXPECT_EQ(second.waitForExit(10), 0);
    EXPECT_TRUE(first.running());
    EXPECT_EQ(windowsNamed("VeltamarScr").size(), 1u);
}

TEST(Shell, EscapeEndsTheProgramWithCodeZero) {
    TempHome home;
    Aquarium aquarium(home);
    ASSERT_TRUE(aquarium.waitForWindow());
    run("xdotool mousemove 300 300 key Escape");
    EXPECT_EQ(aquarium.waitForExit(10), 0);
}

TEST(Shell, RightClickShowsTwoEntriesAndExitEndsTheProgram) {
    TempHome home;
    Aquarium aquarium(home);
    ASSERT_TRUE(aquarium.waitForWindow());
    run("xdotool mousemove 400 300 click 3");
    sleepSeconds(1.0);
    const auto popups = popupWindows();
    ASSERT_EQ(popups.size(), 1u) << "one popup menu";
    EXPECT_GE(popups[0].x, 400 - 2);
    EXPECT_GE(popups[0].y, 300 - 2);
    EXPECT_LE(popups[0].height, 2 * 48 + 16) << "room for two entries, not more";
    screenshot("shell-popup");

    // Down to the second entry, "  Exit", and choose it.
    run("xdotool key Down Down Return");
    EXPECT_EQ(aquarium.waitForExit(10), 0);
}

TEST(Shell, DrawsSixtyFourFramesPerSecondAndNoMore) {
    // An empty tank on a 640 x 480 screen of its own, once the help text has gone: a frame then
    // costs a fraction of the 15.625 ms tick even on a slow software renderer, so the rate
    // measured is the pacing's, not the machine's (an empty 1024 x 768 tank alone takes 11-17 ms
    // of CPU a frame here, depending on the day).
    XServer screen(640, 480);
    TempHome home;
    std::filesystem::create_directories(home.configDirectory());
    std::ofstream settings(home.settingsFile());
    settings << "[Fish Number]\n";
    for (int species = 0; species < 10; ++species) settings << "Fish" << species << "=0\n";
    settings.close();
    Aquarium aquarium(home, LaunchOptions{{}, true});
    ASSERT_TRUE(aquarium.waitForWindow());
    sleepSeconds(15.0);
    aquarium.terminate();
    const std::vector<double> times = aquarium.swapTimes();
    ASSERT_GT(times.size(), 100u);
    const double end = times.back();
    const auto inWindow =
        std::count_if(times.begin(), times.end(), [&](double t) { return t > end - 10000.0; });
    const double fps = inWindow / 10.0;
    std::printf("%.1f frames per second\n", fps);
    EXPECT_NEAR(fps, 64.0, 3.0);
}
