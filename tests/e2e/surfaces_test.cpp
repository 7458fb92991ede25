#include <gtest/gtest.h>

#include <algorithm>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "aquarium_driver.h"
#include "harness.h"
#include "scene_pixels.h"

// The right-click menu, the toolbar and the tool palette of the real program, used as a person
// would on a 1024 x 768 screen. The toolbar spans the screen at 1024 / 948 pixels a dialog unit,
// so its buttons sit on the row y = 19 at these x: Feed Fish 37, Add Fish 296, Custom Music 362,
// Custom Image 433, Exit 499; its clock fills x 539..604, y 12..28.

using namespace veltamar::e2e;

namespace {

using Rgb = std::array<int, 3>;

constexpr Rgb STRIP{219, 216, 209};
constexpr Rgb LABEL{249, 248, 247};
constexpr Rgb HIGHLIGHT{177, 185, 207};
constexpr Rgb BLACK{0, 0, 0};
constexpr Rgb PALETTE{20, 44, 72};
constexpr Rgb PALETTE_LIT{50, 96, 146};

bool near(const Rgb& a, const Rgb& b, int tolerance = 3) {
    return std::abs(a[0] - b[0]) <= tolerance && std::abs(a[1] - b[1]) <= tolerance &&
           std::abs(a[2] - b[2]) <= tolerance;
}

std::string text(const Rgb& c) {
    return std::to_string(c[0]) + "," + std::to_string(c[1]) + "," + std::to_string(c[2]);
}

#define EXPECT_PIXEL(shot, x, y, colour) \
    EXPECT_TRUE(near((shot).at(x, y), colour)) << "(" << (x) << "," << (y) << ") is " << text((shot).at(x, y))

// Pixels in a box that differ from a colour.
int pixelsOtherThan(const Screenshot& shot, int x0, int y0, int x1, int y1, const Rgb& colour) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (!near(shot.at(x, y), colour, 12)) ++count;
    return count;
}

int greenLedPixels(const Screenshot& shot) {
    int count = 0;
    for (int y = 12; y < 28; ++y)
        for (int x = 539; x < 604; ++x) {
            const Rgb c = shot.at(x, y);
            if (c[1] > 200 && c[0] < 60 && c[2] < 60) ++count;
        }
    return count;
}

// Whether a window with this title is on the screen; if so it is closed with Escape (which the
// dialogs take as Cancel: they save and go).
bool dialogShownThenClosed(const std::string& title) {
    for (int attempt = 0; attempt < 30; ++attempt) {
        for (const std::string& id : windowsNamed(title)) {
            if (run("xwininfo -id " + id + " 2>/dev/null").output.find("IsViewable") == std::string::npos) continue;
            std::string name = title.substr(0, title.find(" - "));
            std::replace(name.begin(), name.end(), ' ', '-');
            screenshot("surfaces-dialog-" + name);
            run("xdotool windowfocus --sync " + id + " key Escape");
            sleepSeconds(0.5);
            return true;
        }
        sleepSeconds(0.1);
    }
    return false;
}

}  // namespace

TEST(Surfaces, PopupDrawsItsTwoEntriesWithIconsAndHighlightsTheOneUnderTheMouse) {
    TempHome home;
    Aquarium aquarium(home);
    ASSERT_TRUE(aquarium.waitForWindow());
    run("xdotool mousemove 400 300 click 3");
    sleepSeconds(1.0);
    const auto menu = popupOfSize(142, 98);
    ASSERT_TRUE(menu) << "a menu of two 140 x 48 entries in a 1-pixel frame";
    EXPECT_EQ(menu->x, 400);
    EXPECT_EQ(menu->y, 300);

    // Entries start at (401, 301) and (401, 349); strips 25 wide, icons at (+3, +3).
    const Screenshot shot = screenshot("surfaces-popup");
    EXPECT_PIXEL(shot, 402, 341, STRIP);
    EXPECT_PIXEL(shot, 425, 389, STRIP);
    EXPECT_PIXEL(shot, 500, 305, LABEL);
    EXPECT_PIXEL(shot, 540, 395, LABEL);
    EXPECT_GT(pixelsOtherThan(shot, 404, 304, 426, 328, STRIP), 150) << "the fish icon";
    EXPECT_GT(pixelsOtherThan(shot, 404, 352, 426, 376, STRIP), 150) << "the exit icon";
    EXPECT_GT(pixelsOtherThan(shot, 435, 310, 541, 340, LABEL), 60) << "\"Add/Delete Fish\"";
    EXPECT_GT(pixelsOtherThan(shot, 435, 358, 541, 388, LABEL), 20) << "\"Exit\"";

    run("xdotool mousemove 450 320");
    sleepSeconds(0.5);
    const Screenshot hover = screenshot("surfaces-popup-hover");
    EXPECT_PIXEL(hover, 401, 301, BLACK);
    EXPECT_PIXEL(hover, 540, 348, BLACK);
    EXPECT_PIXEL(hover, 402, 302, HIGHLIGHT);
    EXPECT_PIXEL(hover, 402, 341, HIGHLIGHT) << "the strip is lit too";
    EXPECT_PIXEL(hover, 500, 305, HIGHLIGHT);
    EXPECT_PIXEL(hover, 425, 389, STRIP) << "the other entry stays as it was";
    EXPECT_PIXEL(hover, 540, 395, LABEL);

    // Escape closes the menu, not the program.
    run("xdotool key Escape");
    sleepSeconds(0.5);
    EXPECT_FALSE(popupOfSize(142, 98));
    EXPECT_TRUE(aquarium.running());

    // A click on "  Exit" ends the program.
    run("xdotool mousemove 600 200 click 3");
    sleepSeconds(1.0);
    run("xdotool mousemove 660 270 click 1");
    EXPECT_EQ(aquarium.waitForExit(10), 0);
}

TEST(Surfaces, ToolbarSlidesInAtTheTopEdgeAndItsButtonsReachTheView) {
    TempHome home;
    Aquarium aquarium(home);
    ASSERT_TRUE(aquarium.waitForWindow());
    run("xdotool mousemove 500 300");
    sleepSeconds(0.5);
    EXPECT_EQ(greenLedPixels(screenshot("surfaces-no-toolbar")), 0);

    revealToolbar();
    const auto strip = popupOfSize(TOOLBAR_WIDTH, TOOLBAR_HEIGHT);
    ASSERT_TRUE(strip) << "the toolbar across the top of the screen";
    EXPECT_EQ(strip->x, 0);
    EXPECT_EQ(strip->y, 0);
    const Screenshot shot = screenshot("surfaces-toolbar");
    EXPECT_GT(greenLedPixels(shot), 40) << "the clock in green on black";
    int white = 0;
    for (int y = 4; y < 18; ++y)
        for (int x = 620; x < 785; ++x)
            if (near(shot.at(x, y), {255, 255, 255}, 40)) ++white;
    EXPECT_GT(white, 60) << "the title in white";

    // "Feed Fish", then into the tank: the toolbar slides away and the click feeds.
    run("xdotool mousemove 37 19 click 1");
    sleepSeconds(0.3);
    run("xdotool mousemove 500 400");
    sleepSeconds(1.2);
    EXPECT_FALSE(popupOfSize(1024, 28));
    const Screenshot unfed = screenshot("surfaces-before-feed-click");
    EXPECT_EQ(feedClicksShowingAPellet(unfed, {500}, 400, 1, "surfaces-feed-click"), 1);

    clickToolbarButton(TOOLBAR_ADD_FISH);
    EXPECT_TRUE(dialogShownThenClosed("Fish Settings - Free Veltamar Screensaver 1.0")) << "\"Add Fish\"";
    clickToolbarButton(TOOLBAR_MUSIC);
    EXPECT_TRUE(dialogShownThenClosed("Custom Music - Free Veltamar Screensaver 1.0")) << "\"Custom Music\"";
    clickToolbarButton(TOOLBAR_IMAGE);
    EXPECT_TRUE(dialogShownThenClosed("Custom Background - Free Veltamar Screensaver 1.0")) << "\"Custom Image\"";

    revealToolbar();
    run("xdotool mousemove 499 19 click 1");
    EXPECT_EQ(aquarium.waitForExit(10), 0) << "\"Exit\"";
}

TEST(Surfaces, PaletteOpensAtTheMouseAndChoosesTheSwirl) {
    TempHome home;
    Aquarium aquarium(home);
    ASSERT_TRUE(aquarium.waitForWindow());
    run("xdotool mousemove 300 400 click 2");
    sleepSeconds(1.0);
    const auto palette = popupOfSize(405, 40);
    ASSERT_TRUE(palette);
    EXPECT_EQ(palette->x, 300);
    EXPECT_EQ(palette->y, 400);
    const Screenshot shot = screenshot("surfaces-palette");
    EXPECT_PIXEL(shot, 300 + 283, 420, PALETTE) << "between the dialog buttons and the swirl";
    EXPECT_GT(pixelsOtherThan(shot, 300 + 309, 404, 300 + 341, 436, PALETTE), 150) << "the swirl's picture";

    // Over the swirl its button lights up; a click chooses it and closes the palette.
    run("xdotool mousemove 625 420");
    sleepSeconds(0.5);
    const Screenshot hover = screenshot("surfaces-palette-swirl-hover");
    EXPECT_PIXEL(hover, 300 + 305, 401, PALETTE_LIT);
    run("xdotool click 1");
    sleepSeconds(0.5);
    EXPECT_FALSE(popupOfSize(405, 40));
    // The swirl marker, a dark wire cone, glides to the clicked point and follows the pointer.
    const Box target{800 - 70, 250 - 70, 800 + 70, 250 + 70};
    run("xdotool mousemove 800 250 click 1");
    sleepSeconds(3.0);
    const Screenshot swirl = screenshot("surfaces-swirl-click");
    std::printf("dark pixels at the pointer: %d before the swirl, %d after\n", darkPixels(shot, target),
                darkPixels(swirl, target));
    EXPECT_GT(darkPixels(swirl, target), darkPixels(shot, target) + 400) << "the marker under the pointer";

    // T opens it at the mouse too; Escape closes the palette and leaves the program running.
    run("xdotool mousemove 200 500 key t");
    sleepSeconds(0.8);
    const auto byKey = popupOfSize(405, 40);
    ASSERT_TRUE(byKey);
    EXPECT_EQ(byKey->x, 200);
    EXPECT_EQ(byKey->y, 500);
    run("xdotool key Escape");
    sleepSeconds(0.5);
    EXPECT_FALSE(popupOfSize(405, 40));
    EXPECT_TRUE(aquarium.running());

    run("xdotool key Escape");
    EXPECT_EQ(aquarium.waitForExit(10), 0);
}
