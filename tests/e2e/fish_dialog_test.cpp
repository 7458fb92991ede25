#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "harness.h"
#include "window_close.h"

using namespace veltamar::e2e;

namespace {

const std::string FISH_DIALOG_TITLE = "Fish Settings - Free Veltamar Screensaver 1.0";

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::trunc) << text;
}

// Waits until the settings file holds the line; returns the milliseconds it took, or -1.
double waitForLine(const std::string& path, const std::string& line, double limitMs) {
    const double start = monotonicMs();
    while (monotonicMs() - start < limitMs) {
        if (readFile(path).find(line + "\n") != std::string::npos) return monotonicMs() - start;
        sleepSeconds(0.01);
    }
    return -1;
}

// Pixels of the lemon fish's yellow on the screen outside the dialog.
int lemonPixels(const Screenshot& shot, const Geometry& dialog) {
    int count = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            if (x >= dialog.x && x < dialog.x + dialog.width && y >= dialog.y && y < dialog.y + dialog.height)
                continue;
            const auto [r, g, b] = shot.at(x, y);
            count += r > 200 && g > 170 && b < 90 ? 1 : 0;
        }
    return count;
}

}  // namespace

TEST(FishDialog, OpensOverTheAnimatingTankAndTheTankFollowsItsCounts) {
    TempHome home;
    // An empty tank, so the one fish added below is the only one.
    std::string fish = "[Fish Number]\n";
    for (int s = 0; s < 10; ++s) fish += "Fish" + std::to_string(s) + "=0\n";
    writeFile(home.settingsFile(), fish);

    Aquarium aquarium(home, LaunchOptions{{}, true});
    ASSERT_TRUE(aquarium.waitForWindow());
    const double beforeFrom = monotonicMs();
    sleepSeconds(2.0);
    const double beforeTo = monotonicMs();
    run("xdotool mousemove 400 300 click 3");
    sleepSeconds(0.8);
    run("xdotool key Down Return");  // "  Add/Delete Fish"
    double openedAt = 0;
    std::vector<std::string> dialogs;
    for (int i = 0; i < 100 && dialogs.empty(); ++i) {
        sleepSeconds(0.05);
        dialogs = windowsNamed(FISH_DIALOG_TITLE);
        openedAt = monotonicMs();
    }
    ASSERT_EQ(dialogs.size(), 1u) << "the fish dialog opened";
    // Into the top right corner, as a person would push it aside to watch the tank: centred, it
    // hides the middle of the tank, where a new fish is as likely to start as anywhere.
    const auto centred = windowGeometry(dialogs[0]);
    ASSERT_TRUE(centred);
    run("xdotool windowmove " + dialogs[0] + " " + std::to_string(1024 - centred->width) + " 0");
    sleepSeconds(0.3);
    const auto dialog = windowGeometry(dialogs[0]);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->y, 0) << "the dialog moved aside";
    sleepSeconds(2.0);
    const Screenshot empty = screenshot("fish-dialog-open");
    EXPECT_LT(lemonPixels(empty, *dialog), 20) << "no lemon fish yet";

    // Species 5 (the lemon fish) is the first cell of the second row; A adds one.
    const int cellX = dialog->x + 52, cellY = dialog->y + 137;
    run("xdotool mousemove " + std::to_string(cellX) + " " + std::to_string(cellY) + " click 1");
    run("xdotool key a");
    const double addedAt = monotonicMs();
    const double fileDelay = waitForLine(home.settingsFile(), "Fish5=1", 2000);
    // The counts reach the tank with the same save, so the fish is drawn from the next frame on
    // (checked with the swap times below). Screenshots show it; it appears outside the dialog at
    // once here, and would swim out from behind it otherwise.
    EXPECT_GE(fileDelay, 0)
        << "\"Fish Number\" follows within two seconds (the dialog saves every half second)";
    sleepSeconds(0.1);
    double seenAfter = -1;
    int yellow = 0;
    // It may start beyond the edge of the screen or behind the dialog; it swims into sight. Here
    // it came into sight 10-16 s after the key at 35-45 frames a second (fish move by the frame),
    // so the wait allows twice that.
    while (seenAfter < 0 && monotonicMs() - addedAt < 30000) {
        const double takenAt = monotonicMs();
        yellow = lemonPixels(screenshot("fish-dialog-added"), *dialog);
        if (yellow > 80) seenAfter = takenAt - addedAt;
    }
    std::printf(
        "file follows after %.0f ms; the fish is on a screenshot taken %.0f ms after the key (%d pixels)\n",
        fileDelay, seenAfter, yellow);
    EXPECT_GE(seenAfter, 0) << "the lemon fish shows in the tank";

    // A change made just before the close is not lost: the close saves it.
    run("xdotool key a");
    ASSERT_GE(waitForLine(home.settingsFile(), "Fish5=2", 1500), 0);
    const double tickAt = monotonicMs();
    run("xdotool key a");
    const double closedAt = monotonicMs();
    ASSERT_TRUE(closeWindow(dialogs[0]));
    const double closeDelay = waitForLine(home.settingsFile(), "Fish5=3", 2000);
    const double sinceTick = monotonicMs() - tickAt;
    std::printf("closing saved %.0f ms after the close, %.0f ms after the last tick\n", closeDelay,
                sinceTick);
    EXPECT_GE(closeDelay, 0) << "the last change reaches the file";
    sleepSeconds(0.5);
    EXPECT_TRUE(windowsNamed(FISH_DIALOG_TITLE).empty()) << "the dialog is gone";
    EXPECT_TRUE(aquarium.running());

    aquarium.terminate();
    const std::vector<double> swaps = aquarium.swapTimes();
    auto framesBetween = [&](double from, double to) {
        return std::count_if(swaps.begin(), swaps.end(), [&](double t) { return t >= from && t < to; });
    };
    const double savedAt = addedAt + fileDelay;
    const auto firstWithFish =
        std::find_if(swaps.begin(), swaps.end(), [&](double t) { return t > savedAt; });
    ASSERT_NE(firstWithFish, swaps.end());
    std::printf("first frame with the fish %.0f ms after the key\n", *firstWithFish - addedAt);
    EXPECT_LE(*firstWithFish - addedAt, 3000) << "the fish is in the tank with the save";

    // The first two seconds of the dialog pass as quietly as the two before it (no screenshots).
    const double rateBefore = framesBetween(beforeFrom, beforeTo) / ((beforeTo - beforeFrom) / 1000.0);
    const double rateOpen = framesBetween(openedAt, openedAt + 2000) / 2.0;
    std::printf("%.1f frames per second before the dialog, %.1f with it open; %ld frames in its %.1f s\n",
                rateBefore, rateOpen, static_cast<long>(framesBetween(openedAt, closedAt)),
                (closedAt - openedAt) / 1000.0);
    EXPECT_GT(rateOpen, 0.5 * rateBefore) << "the tank keeps animating under the dialog";
    for (double from = openedAt; from + 1000 < closedAt; from += 250)
        EXPECT_GT(framesBetween(from, from + 1000), 0) << "no pause at " << from - openedAt << " ms";
}
