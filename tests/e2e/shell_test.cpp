#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <utility>

#include "harness.h"
#include "window_close.h"

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

namespace {

constexpr int CMD_EXIT = 1042;

// The single-instance locks' files in a folder.
std::set<std::string> lockFiles(const std::string& folder) {
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        if (entry.path().extension() == ".lock") names.insert(entry.path().filename());
    return names;
}

const std::set<std::string> LOCKS = {".FirstMyProject_Tavik.lock", ".VeltamarScr.lock"};

}  // namespace

// The locks are hidden files in the session's runtime folder, none in the home folder, and every way
// out of the program takes them away.
TEST(Shell, ItsLocksAreHiddenInTheRuntimeFolderAndGoneAfterEveryWayOut) {
    const std::pair<const char*, std::function<void(Aquarium&)>> waysOut[] = {
        {"Escape", [](Aquarium&) { pressKeysInAquarium("Escape"); }},
        {"the Exit command", [](Aquarium& aquarium) { aquarium.sendCommand(CMD_EXIT); }},
        {"the window closed", [](Aquarium&) { ASSERT_TRUE(closeWindow(mainWindow().value_or("0"))); }},
    };
    for (const auto& [way, leave] : waysOut) {
        SCOPED_TRACE(way);
        TempHome home;
        Aquarium aquarium(home);
        ASSERT_TRUE(aquarium.waitForWindow());
        EXPECT_EQ(lockFiles(home.runtimeDirectory()), LOCKS);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(home.path())) {
            const std::string name = entry.path().filename();
            EXPECT_FALSE(entry.is_regular_file() && (name.find("FirstMyProject_Tavik") != std::string::npos ||
                                                     name.find("VeltamarScr") != std::string::npos))
                << "a lock in the home folder: " << entry.path();
        }
        leave(aquarium);
        EXPECT_EQ(aquarium.waitForExit(10), 0);
        EXPECT_TRUE(lockFiles(home.runtimeDirectory()).empty());
    }
}

// SIGKILL leaves the lock files behind; the next start takes them over, and a start beside it still
// ends at once. Without a runtime folder the locks are kept in the data directory.
TEST(Shell, LocksLeftByAKilledAquariumDoNotStopTheNextStart) {
    for (const bool runtimeFolder : {true, false}) {
        SCOPED_TRACE(runtimeFolder ? "in the runtime folder" : "in the data directory");
        TempHome home;
        const std::string folder = runtimeFolder ? home.runtimeDirectory() : home.configDirectory();
        LaunchOptions options;
        if (!runtimeFolder) options.environment = {"XDG_RUNTIME_DIR="};
        {
            Aquarium killed(home, options);
            ASSERT_TRUE(killed.waitForWindow());
            killed.signal(SIGKILL);
            killed.waitForExit(10);
        }
        ASSERT_EQ(lockFiles(folder), LOCKS);

        Aquarium next(home, options);
        ASSERT_TRUE(next.waitForWindow()) << next.output();
        Aquarium second(home, options);
        EXPECT_EQ(second.waitForExit(10), 0);
        EXPECT_TRUE(next.running());
        EXPECT_EQ(windowsNamed("VeltamarScr").size(), 1u);
        pressKeysInAquarium("Escape");
        EXPECT_EQ(next.waitForExit(10), 0);
        EXPECT_TRUE(lockFiles(folder).empty());
    }
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
