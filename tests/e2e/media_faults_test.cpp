#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "harness.h"
#include "settings_text.h"
#include "test_media.h"

// The user's own music and pictures, kept in the settings file by one session, going missing or
// broken before the next: the next session must come up, say what it could not use, go on with
// the rest, and leave the user's lists as they were.

using namespace veltamar::e2e;
namespace fs = std::filesystem;

namespace {

// How often the running program touched the file during the given time, told by strace attached
// to it; -1 when strace could not attach.
int fileTouches(const Aquarium& aquarium, const std::string& path, double seconds) {
    const CommandResult traced =
        run("timeout " + std::to_string(seconds) + " strace -f -e trace=%file,%desc -p " +
            std::to_string(aquarium.pid()) + " 2>&1");
    if (traced.output.find("attached") == std::string::npos) return -1;
    int touches = 0;
    for (std::size_t at = traced.output.find(path); at != std::string::npos;
         at = traced.output.find(path, at + 1))
        ++touches;
    return touches;
}

// Frames swapped within [from, until).
long framesBetween(const std::vector<double>& swaps, double from, double until) {
    return std::count_if(swaps.begin(), swaps.end(), [&](double t) { return t >= from && t < until; });
}

// The hues that fill the screen over the given time, each change noted once ("rg", "g", ...).
std::string huesOver(double seconds, const std::string& name) {
    std::string hues;
    const double until = monotonicMs() + seconds * 1000;
    for (int i = 0; monotonicMs() < until; ++i) {
        const char hue = dominantHue(screenshot(name + "-" + std::to_string(i)));
        if (hues.empty() || hues.back() != hue) hues += hue;
        sleepSeconds(0.2);
    }
    return hues;
}

void quitWithEscape(Aquarium& aquarium) {
    pressKeysInAquarium("Escape");
    EXPECT_EQ(aquarium.waitForExit(10), 0);
}

}  // namespace

TEST(MediaFaults, AMusicFileGoneBetweenSessionsStopsTheListOnceAndKeepsItWhole) {
    TempHome home;
    fs::create_directories(home.configDirectory());
    const std::string first = home.path() + "/first tone.wav";
    const std::string second = home.path() + "/second.wav";
    writeTone(first, 440.0, 3.0);
    writeTone(second, 660.0, 1.5);
    const std::string section =
        "[Custom Settings]\nRandomMusic=0\nCycMusic=1\nRepeatMusic=0\nOwnMusic=1\n"
        "MusicSum=2\nMusicList0=" +
        first + "\nMusicList1=" + second + "\n";
    std::ofstream(home.settingsFile()) << section;

    // The first session plays the list from its first track, and the dialog's close saves it.
    {
        const std::string soundFile = home.path() + "/first-session.raw";
        Aquarium aquarium(home,
                          LaunchOptions{{"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + soundFile}, false});
        ASSERT_TRUE(aquarium.waitForWindow());
        EXPECT_TRUE(SoundOut(soundFile).waitForTone(440.0, 5.0)) << "the first track plays";
        aquarium.sendCommand(CMD_MUSIC_DIALOG);
        const auto dialog = waitForDialog(MUSIC_TITLE, 317, 151);
        ASSERT_TRUE(dialog);
        dialog->close();
        quitWithEscape(aquarium);
    }
    ASSERT_NE(readAll(home.settingsFile()).find(section), std::string::npos) << readAll(home.settingsFile());
    ASSERT_TRUE(fs::remove(first));

    const std::string soundFile = home.path() + "/second-session.raw";
    Aquarium aquarium(home, LaunchOptions{{"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + soundFile}, true});
    ASSERT_TRUE(aquarium.waitForWindow());
    const SoundOut sound(soundFile);
    sleepSeconds(1.0);
    const double quietFrom = monotonicMs();
    ASSERT_TRUE(aquarium.running());
    // The list stops at the track it cannot open. Own music stays on, so the built-in sound keeps
    // still too, and nothing tries the missing file again and again.
    ASSERT_GT(fs::file_size(soundFile), 44100u * 4) << "a second of sound has gone out";
    EXPECT_LT(sound.loudness(), 0.001);
    const int touches = fileTouches(aquarium, first, 2.0);
    EXPECT_GE(touches, 0) << "strace (installed by scripts/install-deps --tests) attaches to the program";
    EXPECT_EQ(touches, 0) << "the missing file is not tried again";
    const double quietUntil = monotonicMs();

    // The dialog shows both entries, none marked as playing; the track that is there plays when
    // chosen, and the list stops again at the missing one that follows it.
    aquarium.sendCommand(CMD_MUSIC_DIALOG);
    const auto dialog = waitForDialog(MUSIC_TITLE, 317, 151);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(playingRowTop(*dialog, screenshot("music-gone-stopped")), -1);
    dialog->click(200, 34);   // the second row
    dialog->click(248, 134);  // "Play"
    EXPECT_TRUE(sound.waitForTone(660.0, 5.0)) << "the second track plays";
    screenshot("music-gone-second-plays");
    bool stoppedAgain = false;
    for (int i = 0; i < 40 && !stoppedAgain; ++i) {
        sleepSeconds(0.1);
        stoppedAgain = sound.loudness() < 0.001;
    }
    EXPECT_TRUE(stoppedAgain) << "after the second track the list comes to the missing one and stops";
    EXPECT_EQ(playingRowTop(*dialog, screenshot("music-gone-stopped-again")), -1);
    dialog->close();
    EXPECT_TRUE(aquarium.running());
    quitWithEscape(aquarium);

    const std::string settings = readAll(home.settingsFile());
    EXPECT_NE(settings.find(section), std::string::npos) << "the list is kept whole: " << settings;
    EXPECT_GT(framesBetween(aquarium.swapTimes(), quietFrom, quietUntil), 10) << "the aquarium goes on";
}

TEST(MediaFaults, APictureBrokenBetweenSessionsIsReportedOnceAndTheOtherStillShows) {
    struct Case {
        const char* name;
        const char* fileName;
        void (*breakIt)(const std::string& path);
    };
    const Case cases[] = {
        {"random-bytes", "red.png",
         [](const std::string& path) {
             std::mt19937 random(7);
             std::string bytes(fs::file_size(path), '\0');
             for (char& c : bytes) c = static_cast<char>(random());
             std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
         }},
        {"half-jpeg", "red.jpg",
         [](const std::string& path) { fs::resize_file(path, fs::file_size(path) / 2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string prefix = std::string("picture-") + c.name;
        TempHome home;
        fs::create_directories(home.configDirectory());
        const std::string broken = home.path() + "/" + c.fileName;
        const std::string good = home.path() + "/green.png";
        ASSERT_TRUE(makePicture(broken, "rgb(220,30,30)", 800, 600));
        ASSERT_TRUE(makePicture(good, "rgb(30,200,30)", 640, 480, "PNG24:"));
        const std::string section =
            "[Custom Images]\nRandomImage=0\nCycImage=1\nRepeatImage=0\nOwnImage=1\nImageTime=1\nImageSum=2\n"
            "ImageList0=" +
            broken + "\nImageList1=" + good + "\n";
        std::ofstream(home.settingsFile()) << section;

        // The first session shows both pictures in turn.
        {
            Aquarium aquarium(home);
            ASSERT_TRUE(aquarium.waitForWindow());
            std::string hues;
            for (int i = 0;
                 i < 8 && (hues.find('r') == std::string::npos || hues.find('g') == std::string::npos); ++i)
                hues += huesOver(1.0, prefix + "-first-session-" + std::to_string(i));
            EXPECT_NE(hues.find('r'), std::string::npos) << hues;
            EXPECT_NE(hues.find('g'), std::string::npos) << hues;
            EXPECT_TRUE(messageBoxes().empty());
            quitWithEscape(aquarium);
        }
        c.breakIt(broken);

        // The next one says once which picture it could not load; the aquarium goes on drawing
        // while the message waits, and afterwards the show goes on with the good picture alone.
        Aquarium aquarium(home, LaunchOptions{{}, true});
        ASSERT_TRUE(aquarium.waitForWindow());
        std::vector<std::string> boxes;
        for (int i = 0; i < 50 && boxes.empty(); ++i) {
            boxes = messageBoxes();
            sleepSeconds(0.1);
        }
        ASSERT_EQ(boxes.size(), 1u) << "one message";
        const auto box = windowGeometry(boxes[0]);
        ASSERT_TRUE(box);
        EXPECT_LT(box->width, 700);
        const double waitingFrom = monotonicMs();
        sleepSeconds(1.5);
        const double waitingUntil = monotonicMs();
        screenshot(prefix + "-message");
        run("xdotool windowfocus --sync " + boxes[0] + " key Return");

        // The good picture is read once the message has been answered.
        bool goodShows = false;
        for (int i = 0; i < 15 && !goodShows; ++i) {
            goodShows = dominantHue(screenshot(prefix + "-after-message")) == 'g';
            if (!goodShows) sleepSeconds(0.2);
        }
        EXPECT_TRUE(goodShows);
        const std::string hues = huesOver(2.5, prefix + "-second-session");
        EXPECT_EQ(hues, "g") << "the good picture alone, shown again at every change";
        EXPECT_TRUE(messageBoxes().empty()) << "the message does not come back with the show";
        ASSERT_TRUE(aquarium.running());
        const double lastFrom = monotonicMs();
        sleepSeconds(1.0);
        const double lastUntil = monotonicMs();
        EXPECT_NE(readAll(home.settingsFile()).find(section), std::string::npos)
            << "the list is left as it was";

        // The dialog shows the good picture alone, and closing it (which saves its list) keeps the
        // one it could not read for the next start: the file may be back by then.
        aquarium.sendCommand(CMD_BACKGROUND_DIALOG);
        const auto dialog = waitForDialog(BACKGROUND_TITLE, 265, 135);
        ASSERT_TRUE(dialog);
        screenshot(prefix + "-dialog");
        dialog->close();
        sleepSeconds(0.5);
        quitWithEscape(aquarium);

        const std::vector<double> swaps = aquarium.swapTimes();
        EXPECT_GT(framesBetween(swaps, waitingFrom, waitingUntil), 8) << "drawing while the message waits";
        EXPECT_GT(framesBetween(swaps, lastFrom, lastUntil), 5) << "drawing afterwards";
        const std::string settings = readAll(home.settingsFile());
        EXPECT_EQ(settingValue(settings, "[Custom Images]", "ImageSum"), "2") << settings;
        EXPECT_EQ(settingValue(settings, "[Custom Images]", "ImageList0"), good);
        EXPECT_EQ(settingValue(settings, "[Custom Images]", "ImageList1"), broken);
        EXPECT_EQ(settingValue(settings, "[Custom Images]", "OwnImage"), "1");
    }
}
