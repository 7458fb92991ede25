#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "harness.h"
#include "picture_text_font.h"

// A 24-megapixel photo added while the aquarium runs: the picture is read in the background, so
// the aquarium keeps drawing, and it becomes a screen-sized texture, so memory stays modest. A
// broken file still gets its message.

using namespace veltamar::e2e;

namespace {

// Rows of the background list: runs of screen lines with blue list text in the path column.
int listRows(const ShownDialog& dialog, const Screenshot& shot) {
    int rows = 0;
    bool inRow = false;
    for (int y = dialog.screenY(54); y < dialog.screenY(112); ++y) {
        bool blue = false;
        for (int x = dialog.screenX(9); x < dialog.screenX(180) && !blue; ++x) {
            const auto [r, g, b] = shot.at(x, y);
            blue = b > 180 && r < 90 && g < 90;
        }
        if (blue && !inRow) ++rows;
        inRow = blue;
    }
    return rows;
}

int viewableNamed(const std::string& title) {
    int count = 0;
    for (const std::string& id : windowsNamed(title))
        count += run("xwininfo -id " + id + " 2>/dev/null").output.find("IsViewable") != std::string::npos;
    return count;
}

}  // namespace

TEST(LargePicture, AddingA24MegapixelPhotoNeitherStallsTheAquariumNorTakesMuchMemory) {
    TempHome home;
    const std::string small = home.path() + "/small.png";
    const std::string photo = home.path() + "/photo.jpg";
    const std::string truncated = home.path() + "/truncated.jpg";
    ASSERT_EQ(run("convert -size 320x240 gradient:teal-white -depth 8 PNG24:'" + small + "'").status, 0);
    ASSERT_EQ(run("convert -size 6000x4000 gradient:navy-gold -fill white -pointsize 500 " PICTURE_TEXT_FONT
                  "-annotate +400+2200 "
                  "'Veltamar' -quality 92 '" +
                  photo + "'")
                  .status,
              0);
    ASSERT_EQ(run("head -c 400000 '" + photo + "' > '" + truncated + "'").status, 0);

    Aquarium aquarium(home, LaunchOptions{{}, true});
    ASSERT_TRUE(aquarium.waitForWindow());
    aquarium.sendCommand(CMD_BACKGROUND_DIALOG);
    const auto dialog = waitForDialog(BACKGROUND_TITLE, 265, 135);
    ASSERT_TRUE(dialog);

    // A first picture through the file chooser, so the chooser's own memory is counted before.
    dialog->click(38, 123);
    ASSERT_TRUE(chooseFile(small));
    sleepSeconds(2.0);
    const long before = aquarium.residentKb();
    aquarium.resetPeakMemory();

    // Nothing looks at the screen while the photo is read (a screenshot holds up the X server,
    // and with it the aquarium's frames); the thread that reads it tells when it is done.
    const int threads = aquarium.threadCount();
    dialog->click(38, 123);
    ASSERT_TRUE(chooseFile(photo));
    const double added = monotonicMs();
    double read = added;
    for (int i = 0; i < 300 && read == added; ++i) {
        sleepSeconds(0.05);
        if (aquarium.threadCount() <= threads) read = monotonicMs();
    }
    sleepSeconds(1.0);
    const double measuredUntil = monotonicMs();
    const long after = aquarium.residentKb();
    const long peak = aquarium.peakResidentKb();
    EXPECT_EQ(listRows(*dialog, screenshot("large-picture-list")), 2) << "the photo joins the list";

    // The broken file gets its message box (a second window with the program's name).
    dialog->click(38, 123);
    ASSERT_TRUE(chooseFile(truncated));
    sleepSeconds(1.0);
    EXPECT_EQ(viewableNamed("VeltamarScr"), 2) << "the frame and the message box";
    screenshot("large-picture-broken-message");
    run("xdotool key Return");
    sleepSeconds(0.5);
    EXPECT_EQ(listRows(*dialog, screenshot("large-picture-after-message")), 2);

    // The same time again with nothing being read, for comparison.
    const double quietFrom = monotonicMs();
    sleepSeconds((measuredUntil - added) / 1000.0);
    const double quietUntil = monotonicMs();
    aquarium.terminate();
    const std::vector<double> swaps = aquarium.swapTimes();
    const auto framesBetween = [&](double from, double until, double& longest) {
        int frames = 0;
        longest = 0;
        for (std::size_t i = 1; i < swaps.size(); ++i)
            if (swaps[i] > from && swaps[i - 1] < until) {
                longest = std::max(longest, swaps[i] - swaps[i - 1]);
                ++frames;
            }
        return frames;
    };
    double longestGap = 0, quietGap = 0;
    const int frames = framesBetween(added, measuredUntil, longestGap);
    const int quietFrames = framesBetween(quietFrom, quietUntil, quietGap);
    std::printf(
        "photo read in %.0f ms; %d frames in %.1f s from adding it, longest gap %.0f ms (nothing read: %d "
        "frames, longest gap %.0f ms); resident memory %ld KiB before, %ld KiB after (+%ld), peak while "
        "reading %ld KiB (+%ld)\n",
        read - added, frames, (measuredUntil - added) / 1000, longestGap, quietFrames, quietGap, before,
        after, after - before, peak, peak - before);
    EXPECT_GT(frames, 5);
    EXPECT_LT(longestGap, 250.0);
    EXPECT_LT(after - before, 64 * 1024);
    EXPECT_LT(peak - before, 64 * 1024) << "not even while it is read";
}
