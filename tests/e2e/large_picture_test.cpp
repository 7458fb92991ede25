#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "harness.h"
#include "picture_text_font.h"
#include "test_media.h"

// A 24-megapixel photo added while the aquarium runs: the picture is read in the background, so
// the aquarium keeps drawing, and it becomes a screen-sized texture, so memory stays modest. A
// broken file still gets its message.

using namespace veltamar::e2e;
namespace fs = std::filesystem;

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

// Shows the background dialog and adds a first, small picture through the file chooser, so the
// chooser's own memory is counted before what a test measures.
std::optional<ShownDialog> dialogWithChooserUsed(Aquarium& aquarium, const std::string& small) {
    aquarium.sendCommand(CMD_BACKGROUND_DIALOG);
    auto dialog = waitForDialog(BACKGROUND_TITLE, 265, 135);
    if (!dialog) return dialog;
    dialog->click(38, 123);  // "Add Image"
    if (!chooseFile(small)) return std::nullopt;
    sleepSeconds(2.0);
    return dialog;
}

// Waits until no picture is being read; the time it ended, or 0 when it went on too long.
double pictureReadAt(const Aquarium& aquarium, double seconds, long* mostResidentKb = nullptr) {
    for (int i = 0; i < seconds * 10; ++i) {
        if (mostResidentKb) *mostResidentKb = std::max(*mostResidentKb, aquarium.residentKb());
        if (aquarium.threadsNamed("picture reader") == 0) return monotonicMs();
        sleepSeconds(0.1);
    }
    return 0;
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
    const auto dialog = dialogWithChooserUsed(aquarium, small);
    ASSERT_TRUE(dialog);
    const long before = aquarium.residentKb();
    aquarium.resetPeakMemory();

    // Nothing looks at the screen while the photo is read (a screenshot holds up the X server,
    // and with it the aquarium's frames); the thread that reads it tells when it is done.
    dialog->click(38, 123);
    ASSERT_TRUE(chooseFile(photo));
    const double added = monotonicMs();
    const double read = pictureReadAt(aquarium, 15);
    EXPECT_GT(read, 0) << "the photo is read";
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

// Pictures far beyond any screen, in small files (a flat stitched panorama compresses a
// thousandfold): a 20000 x 20000 PNG of 1.2 MB, a 40000 x 40000 one of under 5 MB that claims 1.6
// gigapixels, and a 16000 x 2000 RGBA panorama. The first and the last are read row by row and
// shown, their halves where they belong; the second is refused unread with the usual message.
// The resident size, sampled while each is added and by its high-water mark, stays within 64 MB of
// what it was, and the aquarium keeps drawing throughout.
TEST(LargePicture, GiantPngsAreShownOrRefusedWithinBoundedMemoryWhileTheAquariumDraws) {
    TempHome home;
    fs::create_directories(home.configDirectory());
    const std::string small = home.path() + "/small.png";
    const std::string giant = home.path() + "/giant.png";
    const std::string bomb = home.path() + "/bomb.png";
    const std::string panorama = home.path() + "/panorama.png";
    ASSERT_TRUE(writeFlatPng(small, 320, 240, 3, {30, 30, 200, 0}, {30, 30, 200, 0}));
    ASSERT_TRUE(writeFlatPng(giant, 20000, 20000, 3, {220, 30, 30, 0}, {30, 200, 30, 0}));
    ASSERT_TRUE(writeFlatPng(bomb, 40000, 40000, 3, {220, 30, 30, 0}, {30, 200, 30, 0}));
    ASSERT_TRUE(writeFlatPng(panorama, 16000, 2000, 4, {30, 30, 220, 255}, {220, 30, 30, 255}));
    std::printf("files: 20000 x 20000 %ju bytes, 40000 x 40000 %ju bytes, 16000 x 2000 RGBA %ju bytes\n",
                static_cast<std::uintmax_t>(fs::file_size(giant)),
                static_cast<std::uintmax_t>(fs::file_size(bomb)),
                static_cast<std::uintmax_t>(fs::file_size(panorama)));
    // "Use your own image" on and an empty list: a picture added goes on show at once.
    std::ofstream(home.settingsFile())
        << "[Custom Images]\nRandomImage=0\nCycImage=0\nRepeatImage=1\nOwnImage=1\nImageTime=5\nImageSum=0\n";

    Aquarium aquarium(home, LaunchOptions{{}, true});
    ASSERT_TRUE(aquarium.waitForWindow());
    const auto dialog = dialogWithChooserUsed(aquarium, small);
    ASSERT_TRUE(dialog);
    dialog->click(170, 123);  // "Remove All"

    struct Add {
        const char* name;
        std::string path;
        char left, right;  // the hues of its halves on screen, or '?' when it is refused
    };
    struct Window {
        double from, until;
    };
    std::vector<Window> windows;
    for (const Add& add : {Add{"20000 x 20000", giant, 'r', 'g'}, Add{"40000 x 40000", bomb, '?', '?'},
                           Add{"16000 x 2000 panorama", panorama, 'b', 'r'}}) {
        SCOPED_TRACE(add.name);
        sleepSeconds(1.0);
        const long before = aquarium.residentKb();
        aquarium.resetPeakMemory();
        dialog->click(38, 123);
        ASSERT_TRUE(chooseFile(add.path));
        // Nothing looks at the screen while the picture is read (a screenshot holds up the X
        // server, and with it the frames): the reading thread's end tells when it is done.
        const double added = monotonicMs();
        long sampled = before;
        const double read = pictureReadAt(aquarium, 180, &sampled);
        sleepSeconds(1.0);
        windows.push_back({added, monotonicMs()});
        const long peak = aquarium.peakResidentKb();
        std::printf(
            "%s: read in %.1f s; resident %ld KiB before, most sampled %ld KiB (+%ld), high-water mark %ld "
            "KiB (+%ld)\n",
            add.name, (read - added) / 1000, before, sampled, sampled - before, peak, peak - before);
        EXPECT_GT(read, 0) << "the reading thread ends";
        EXPECT_LT(peak - before, 64 * 1024);

        if (add.left == '?') {
            EXPECT_EQ(viewableNamed("VeltamarScr"), 2) << "the frame and the message box";
            screenshot("giant-refused-message");
            run("xdotool key Return");
            sleepSeconds(0.5);
            EXPECT_EQ(listRows(*dialog, screenshot("giant-refused-list")), 0) << "nothing joins the list";
            continue;
        }
        EXPECT_EQ(viewableNamed("VeltamarScr"), 1) << "no message";
        const Screenshot shot = screenshot(std::string("giant-shown-") + add.name);
        EXPECT_EQ(listRows(*dialog, shot), 1);
        // Left and right of the dialog, which sits in the middle of the screen.
        const int dialogLeft = dialog->g.x, dialogRight = dialog->g.x + dialog->g.width;
        EXPECT_GT(hueShare(shot, 0, dialogLeft, add.left), 0.5) << "the left half on the left";
        EXPECT_GT(hueShare(shot, dialogRight, shot.width, add.right), 0.5) << "the right half on the right";
        dialog->click(170, 123);  // "Remove All"
    }

    aquarium.terminate();
    const std::vector<double> swaps = aquarium.swapTimes();
    for (const Window& w : windows) {
        const long frames =
            std::count_if(swaps.begin(), swaps.end(), [&](double t) { return t >= w.from && t < w.until; });
        std::printf("%ld frames in the %.1f s from adding a picture\n", frames, (w.until - w.from) / 1000);
        EXPECT_GT(frames, 2 * (w.until - w.from) / 1000) << "the aquarium draws on";
    }
}
