#include <gtest/gtest.h>

#include <filesystem>

#include "harness.h"

using namespace veltamar::e2e;

namespace {

// The aquarium with the given SDL audio driver: it must come up, keep animating and end on Escape
// whether sound works, goes nowhere, or cannot be had at all.
void runWithAudioDriver(const std::string& driver) {
    TempHome home;
    Aquarium aquarium(home, LaunchOptions{{"SDL_AUDIODRIVER=" + driver}, false});
    ASSERT_TRUE(aquarium.waitForWindow()) << driver;
    sleepSeconds(3.0);
    EXPECT_TRUE(aquarium.running()) << driver;
    EXPECT_EQ(windowsNamed("VeltamarScr").size(), 1u) << driver;
    screenshot("audio-" + driver);

    for (const auto& entry : std::filesystem::directory_iterator(home.configDirectory())) {
        const std::string extension = entry.path().extension().string();
        EXPECT_TRUE(extension != ".wav" && extension != ".ad") << "left behind: " << entry.path();
    }

    run("xdotool mousemove 300 300 key Escape");
    EXPECT_EQ(aquarium.waitForExit(10), 0) << driver;
}

}  // namespace

TEST(Audio, RunsNormallyWithTheSilentDummyDriver) {
    runWithAudioDriver("dummy");
}

TEST(Audio, RunsNormallyWithoutAnySoundDevice) {
    runWithAudioDriver("no-such-audio-driver");
}
