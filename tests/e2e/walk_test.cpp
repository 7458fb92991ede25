#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "aquarium_driver.h"
#include "dialog_driver.h"
#include "harness.h"
#include "scene_pixels.h"
#include "settings_text.h"
#include "test_media.h"

// A new user's first two sessions with the aquarium, driven by the mouse and keyboard from a
// home with no settings file: the help text, feeding the fish, the fish counts,
// the light, their own picture and music; then a second start that must find all of it as it was
// left. Every step leaves a screenshot named walk-<step>-... among the test artifacts.

using namespace veltamar::e2e;
namespace fs = std::filesystem;

namespace {

constexpr const char* AQUARIUM = "[Aquarium Settings]";
constexpr const char* FISH = "[Fish Number]";
constexpr const char* IMAGES = "[Custom Images]";
constexpr const char* MUSIC = "[Custom Settings]";

// The four lines of help text on the 1024 x 768 screen, and the tank below the water line.
constexpr Box HELP_TEXT{410, 330, 740, 460};
constexpr Box TANK{0, 150, 1024, 768};

// The help text is black over the blue water: thousands of near-black pixels in its box, where
// a dark fish swimming by gives a few hundred at most.
int helpPixels(const Screenshot& shot) {
    return darkPixels(shot, HELP_TEXT);
}
bool helpShown(const Screenshot& shot) {
    return helpPixels(shot) > 2000;
}
bool helpGone(const Screenshot& shot) {
    return helpPixels(shot) < 500;
}

double meanBrightness(const Screenshot& shot, const Box& box) {
    double sum = 0;
    long count = 0;
    for (int y = box.y0; y < box.y1; y += 2)
        for (int x = box.x0; x < box.x1; x += 2) {
            const auto [r, g, b] = shot.at(x, y);
            sum += r + g + b;
            ++count;
        }
    return count ? sum / (3.0 * count) : 0.0;
}

// The middle red level of the red pixels: how brightly the light shows a red picture.
int redLevel(const Screenshot& shot) {
    std::vector<int> reds;
    for (int y = TANK.y0; y < TANK.y1; y += 4)
        for (int x = TANK.x0; x < TANK.x1; x += 4) {
            const auto [r, g, b] = shot.at(x, y);
            if (r > g + 50 && r > b + 50) reds.push_back(r);
        }
    if (reds.empty()) return 0;
    std::nth_element(reds.begin(), reds.begin() + reds.size() / 2, reds.end());
    return reds[reds.size() / 2];
}

struct TimedShot {
    Screenshot shot;
    double from = 0, to = 0;  // when the grab began and ended (monotonic ms)
};

TimedShot timedScreenshot(const std::string& name) {
    TimedShot t;
    t.from = monotonicMs();
    t.shot = screenshot(name);
    t.to = monotonicMs();
    return t;
}

long framesBefore(const std::vector<double>& swaps, double t) {
    return std::count_if(swaps.begin(), swaps.end(), [&](double s) { return s < t; });
}

std::string valueIn(const std::string& text, const std::string& header, const std::string& key) {
    return settingValue(text, header, key).value_or("(missing)");
}

std::vector<int> fishCounts(const std::string& text) {
    std::vector<int> counts;
    for (int s = 0; s < 10; ++s)
        counts.push_back(std::atoi(valueIn(text, FISH, "Fish" + std::to_string(s)).c_str()));
    return counts;
}

// The settings file with some keys of the aquarium section given other values, as a person
// editing it by hand between two sessions would.
std::string withAquariumValues(const std::string& text,
                               const std::vector<std::pair<std::string, std::string>>& values) {
    std::string result;
    bool inAquarium = false;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.front() == '[') inAquarium = line == AQUARIUM;
        for (const auto& [key, value] : values)
            if (inAquarium && line.rfind(key + "=", 0) == 0) line = key + "=" + value;
        result += line + "\n";
    }
    return result;
}

}  // namespace

TEST(Walk, ANewUserTriesEverythingAndTheNextStartKeepsIt) {
    TempHome home;
    const std::string picture = home.path() + "/reef photo.jpg";
    const std::string song = home.path() + "/song.wav";
    ASSERT_TRUE(makePicture(picture, "rgb(220,30,30)", 800, 600));
    writeTone(song, 440.0, 3.0);
    const std::string firstSound = home.path() + "/first.raw", secondSound = home.path() + "/second.raw";
    ASSERT_FALSE(fs::exists(home.settingsFile()));

    std::string afterFirst;
    int lightAfterFirst = 0, redAfterFirst = 0;
    {
        Aquarium aquarium(home,
                          LaunchOptions{{"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + firstSound}, true});
        ASSERT_TRUE(aquarium.waitForWindow());
        mouseTo(900, 700);

        // 1. The help text greets the new user and goes by itself after 200 frames.
        std::optional<TimedShot> lastShown, firstGone;
        for (int i = 0; i < 200 && !firstGone; ++i) {
            // The first picture is kept, and the last one taken (the first without the text).
            TimedShot t = timedScreenshot(i == 0 ? "walk-01-help-shown" : "walk-01-help-gone");
            if (helpShown(t.shot))
                lastShown = t;
            else if (helpGone(t.shot))
                firstGone = t;
            if (i == 0) {
                ASSERT_TRUE(lastShown) << "the help text is on the first picture: " << helpPixels(t.shot);
            }
        }
        ASSERT_TRUE(firstGone) << "the help text went";
        ASSERT_TRUE(fs::exists(home.settingsFile())) << "the first start wrote the settings file";

        // 2. F1 brings it back, and a second F1 puts it away.
        pressKeysInAquarium("F1");
        sleepSeconds(0.7);
        const Screenshot again = screenshot("walk-02-f1-help");
        EXPECT_TRUE(helpShown(again)) << helpPixels(again);
        pressKeysInAquarium("F1");
        sleepSeconds(0.7);
        const Screenshot away = screenshot("walk-02-f1-again");
        EXPECT_TRUE(helpGone(away)) << helpPixels(away);

        // 3. Feeding: five clicks along a row, each dropping a pellet under it.
        const Screenshot unfed = screenshot("walk-03-before-feeding");
        clickToolbarButton(TOOLBAR_FEED);
        mouseTo(500, 500);
        sleepSeconds(1.2);  // the toolbar slides away
        // Far enough apart that the fish that come for one pellet are not yet at the next.
        EXPECT_GE(feedClicksShowingAPellet(unfed, {260, 380, 500, 620, 740}, 260, 1, "walk-03-fed"), 4)
            << "pellets under the clicks";

        // 4. Three more fish of one species in the fish dialog.
        const std::vector<int> countsBefore = fishCounts(readAll(home.settingsFile()));
        int total = 0;
        for (int c : countsBefore) total += c;
        clickToolbarButton(TOOLBAR_ADD_FISH);
        const auto fishDialog = waitForDialog(FISH_DIALOG_TITLE, 1, 1);
        ASSERT_TRUE(fishDialog);
        clickAt(fishDialog->g.x + 52, fishDialog->g.y + 137);  // species 5: second row, first cell
        fishDialog->focus();
        run("xdotool key --delay 150 a a a");
        sleepSeconds(0.6);
        screenshot("walk-04-fish-dialog");
        fishDialog->close();
        std::vector<int> countsExpected = countsBefore;
        countsExpected[5] += std::min(3, 50 - total);  // the tank holds 50 fish at most
        EXPECT_EQ(fishCounts(readAll(home.settingsFile())), countsExpected);

        // 5. The aquarium settings: an orange light colour and less light.
        const double brightBefore = meanBrightness(screenshot("walk-05-before-settings"), TANK);
        choosePaletteButton(250, 100, PALETTE_SETTINGS_DIALOG);
        const auto settings = waitForDialog(SETTINGS_DIALOG_TITLE, 244, 243);
        ASSERT_TRUE(settings);
        settings->click(216, 24);  // the swatch beside "Fix Color"
        ASSERT_TRUE(chooseColour("#ff8000"));
        settings->click(101, 116);  // twice into the "Light" slider below its knob
        settings->click(101, 116);
        sleepSeconds(0.5);
        screenshot("walk-05-settings-dialog");
        settings->close();
        mouseTo(900, 700);
        sleepSeconds(0.5);
        const double brightAfter = meanBrightness(screenshot("walk-05-less-light"), TANK);
        EXPECT_LT(brightAfter, 0.85 * brightBefore) << brightBefore << " before";
        const std::string text = readAll(home.settingsFile());
        EXPECT_EQ(valueIn(text, AQUARIUM, "FRONT GUDING"), "1");
        EXPECT_EQ(valueIn(text, AQUARIUM, "FRONT AUTOJIANBIAN"), "0");
        EXPECT_EQ(valueIn(text, AQUARIUM, "FRONTCOLOR"), "33023") << "orange as 0x00BBGGRR";
        lightAfterFirst = std::atoi(valueIn(text, AQUARIUM, "LIGHTQIANGDU").c_str());
        EXPECT_GT(lightAfterFirst, 0);
        EXPECT_LT(lightAfterFirst, 100) << "darker, not dark";

        // 6. Their own picture as the backdrop and their own music, both chosen in the file chooser.
        clickToolbarButton(TOOLBAR_IMAGE);
        const auto images = waitForDialog(BACKGROUND_TITLE, 265, 135);
        ASSERT_TRUE(images);
        images->click(38, 123);  // "Add Image"
        ASSERT_TRUE(chooseFile(picture));
        images->click(15, 13);  // "Use your own image"
        sleepSeconds(0.6);
        screenshot("walk-06-images-dialog");
        images->close();
        mouseTo(900, 700);
        sleepSeconds(0.5);
        const Screenshot own = screenshot("walk-06-own-picture");
        EXPECT_EQ(dominantHue(own), 'r') << "the red picture is the backdrop";
        redAfterFirst = redLevel(own);

        clickToolbarButton(TOOLBAR_MUSIC);
        const auto music = waitForDialog(MUSIC_TITLE, 317, 151);
        ASSERT_TRUE(music);
        music->click(125, 134);  // "Add Music"
        ASSERT_TRUE(chooseFile(song));
        // The keyboard back to the dialog when the chooser goes, as a window manager gives it.
        music->focus();
        music->click(53, 21);  // "On/Off"
        sleepSeconds(0.6);
        screenshot("walk-06-music-dialog");
        music->close();
        EXPECT_TRUE(SoundOut(firstSound).waitForTone(440.0, 4.0)) << "their song plays";

        // 7. Escape ends the session.
        pressKeysInAquarium("Escape");
        ASSERT_EQ(aquarium.waitForExit(10), 0);
        const std::vector<double> swaps = aquarium.swapTimes();
        ASSERT_FALSE(swaps.empty());
        const long shownAfter = framesBefore(swaps, lastShown->from),
                   goneAfter = framesBefore(swaps, firstGone->to);
        std::printf("help text seen after %ld frames, gone after %ld (%.1f frames per second)\n", shownAfter,
                    goneAfter, 1000.0 * (swaps.size() - 1) / (swaps.back() - swaps.front()));
        EXPECT_LE(shownAfter, 201) << "the help text lasts 200 frames";
        EXPECT_GE(goneAfter, 199);
        afterFirst = readAll(home.settingsFile());
    }
    EXPECT_EQ(valueIn(afterFirst, IMAGES, "OwnImage"), "1");
    EXPECT_EQ(valueIn(afterFirst, IMAGES, "ImageSum"), "1");
    EXPECT_EQ(valueIn(afterFirst, IMAGES, "ImageList0"), picture);
    EXPECT_EQ(valueIn(afterFirst, MUSIC, "OwnMusic"), "1");
    EXPECT_EQ(valueIn(afterFirst, MUSIC, "MusicSum"), "1");
    EXPECT_EQ(valueIn(afterFirst, MUSIC, "MusicList0"), song);

    // Between the sessions the backdrop is set by hand to a fixed red and the water switched on:
    // the next start sets both back.
    std::ofstream(home.settingsFile(), std::ios::trunc) << withAquariumValues(
        afterFirst,
        {{"BACK GUDING", "0"}, {"BACKCOLOR", "255"}, {"BACK AUTOJIANBIAN", "1"}, {"Show Water", "1"}});

    Aquarium aquarium(home,
                      LaunchOptions{{"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + secondSound}, false});
    ASSERT_TRUE(aquarium.waitForWindow());
    mouseTo(900, 700);
    sleepSeconds(1.0);
    const Screenshot second = screenshot("walk-07-second-start");
    EXPECT_EQ(dominantHue(second), 'r') << "their picture is the backdrop again";
    EXPECT_NEAR(redLevel(second), redAfterFirst, 25) << "under the same light";
    EXPECT_TRUE(SoundOut(secondSound).waitForTone(440.0, 5.0)) << "their song plays again";

    const std::string atSecond = readAll(home.settingsFile());
    EXPECT_EQ(fishCounts(atSecond), fishCounts(afterFirst));
    for (const char* key : {"FRONT GUDING", "FRONTCOLOR", "FRONT AUTOJIANBIAN", "LIGHTQIANGDU", "QIPAONUM",
                            "FOGNONGDU", "YINLIANG"})
        EXPECT_EQ(valueIn(atSecond, AQUARIUM, key), valueIn(afterFirst, AQUARIUM, key)) << key;
    EXPECT_EQ(std::atoi(valueIn(atSecond, AQUARIUM, "LIGHTQIANGDU").c_str()), lightAfterFirst);
    for (const ExpectedKey& key : AQUARIUM_SECTION)
        if (key.fixed) {
            EXPECT_EQ(valueIn(atSecond, AQUARIUM, key.name), key.fixed) << key.name << " at a start";
        }
    for (const char* header : {IMAGES, MUSIC})
        for (const std::string& key : settingKeys(afterFirst, header))
            EXPECT_EQ(valueIn(atSecond, header, key), valueIn(afterFirst, header, key)) << header << key;

    // 8. Escape again: a clean end, and a whole settings file.
    pressKeysInAquarium("Escape");
    EXPECT_EQ(aquarium.waitForExit(10), 0);
    const std::string last = readAll(home.settingsFile());
    std::vector<std::string> aquariumKeys, fishKeys;
    for (const ExpectedKey& key : AQUARIUM_SECTION) aquariumKeys.push_back(key.name);
    for (int s = 0; s < 10; ++s) fishKeys.push_back("Fish" + std::to_string(s));
    EXPECT_EQ(settingKeys(last, AQUARIUM), aquariumKeys);
    EXPECT_EQ(settingKeys(last, FISH), fishKeys);
    EXPECT_EQ(settingKeys(last, IMAGES),
              (std::vector<std::string>{"RandomImage", "CycImage", "RepeatImage", "OwnImage", "ImageTime",
                                        "ImageSum", "ImageList0"}));
    EXPECT_EQ(settingKeys(last, MUSIC), (std::vector<std::string>{"RandomMusic", "CycMusic", "RepeatMusic",
                                                                  "OwnMusic", "MusicSum", "MusicList0"}));
    EXPECT_EQ(fishCounts(last), fishCounts(afterFirst));
    EXPECT_EQ(valueIn(last, AQUARIUM, "FRONTCOLOR"), "33023");
}
