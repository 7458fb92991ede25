#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "aquarium_driver.h"
#include "dialog_driver.h"
#include "harness.h"
#include "test_media.h"

// A long run with the mouse moving and every tool and dialog used in turn, again and again, while
// the user's own music changes tracks and their own pictures take turns on the backdrop. At the
// end the program must hold no more memory than once it had settled, must have raised no OpenGL
// error, and must draw as fast as it did early on.
//
// VELTAMAR_SOAK_SECONDS sets the length (60 s by default; `make soak` runs 30 minutes).

using namespace veltamar::e2e;
namespace fs = std::filesystem;

namespace {

double soakSeconds() {
    const char* text = std::getenv("VELTAMAR_SOAK_SECONDS");
    const double seconds = text ? std::atof(text) : 0.0;
    return seconds > 0 ? seconds : 60.0;
}

struct Phase {
    double from, to;  // monotonic ms
};

struct CycleRecord {
    double endSeconds;  // since the start of the soak
    long residentKb;
    int threads;
    Phase quiet;
};

// Frames swapped within the phases, per second of them.
double frameRate(const std::vector<double>& swaps, const std::vector<Phase>& phases) {
    long frames = 0;
    double ms = 0;
    for (const Phase& p : phases) {
        frames +=
            std::count_if(swaps.begin(), swaps.end(), [&](double t) { return t >= p.from && t < p.to; });
        ms += p.to - p.from;
    }
    return ms > 0 ? frames * 1000.0 / ms : 0.0;
}

double longestGapMs(const std::vector<double>& swaps, const std::vector<Phase>& phases) {
    double longest = 0;
    for (std::size_t i = 1; i < swaps.size(); ++i)
        for (const Phase& p : phases)
            if (swaps[i - 1] >= p.from && swaps[i] < p.to)
                longest = std::max(longest, swaps[i] - swaps[i - 1]);
    return longest;
}

class Soak {
  public:
    Soak(Aquarium& aquarium, bool shots) : aquarium(aquarium), shots(shots) {}

    // One round of everything; false when the program is gone.
    bool cycle(int index) {
        step = 0;
        wander(100, 600, 900, 200, 2.0);
        shot("wander");

        choosePaletteButton(150, 500, PALETTE_FEED);
        for (int i = 0; i < 5; ++i) clickAt(250 + 120 * i, 250 + 30 * (i % 3));
        sleepSeconds(1.0);
        shot("feed");

        choosePaletteButton(500, 600, PALETTE_TOUCH);
        for (int i = 0; i < 5; ++i) clickAt(700 - 100 * i, 350 + 40 * (i % 2));
        shot("touch");

        clickToolbarButton(TOOLBAR_ZOOM_IN);
        dragAcross(300, 400, 700, 380, 1.0);
        clickToolbarButton(TOOLBAR_ZOOM_OUT);
        dragAcross(700, 380, 300, 420, 1.0);
        shot("zoom");

        choosePaletteButton(100, 150, PALETTE_RIPPLE);
        for (int i = 0; i < 3; ++i) clickAt(300 + 200 * i, 450);
        sleepSeconds(0.5);
        shot("ripple");

        choosePaletteButton(400, 200, PALETTE_SWIRL);
        clickAt(500, 400);
        wander(500, 400, 800, 600, 1.5);
        shot("swirl");

        choosePaletteButton(200, 300, PALETTE_POINT);
        clickAt(600, 500);
        choosePaletteButton(300, 300, PALETTE_PLAIN);
        clickAt(500, 500);

        pressKeysInAquarium("F1");
        sleepSeconds(0.7);
        shot("help-on");
        pressKeysInAquarium("F1");

        if (!fishDialog() || !settingsDialog() || !musicDialog() || !imagesDialog()) return false;
        if (index % 5 == 0) {  // now and then a look at the popup menu left alone
            clickAt(600, 300, 3);
            sleepSeconds(0.5);
            // Through the aquarium window, as a window manager gives it the focus back when a
            // dialog closes (without one, no window of the program has the focus now).
            pressKeysInAquarium("Escape");
        }
        return aquarium.running();
    }

    // The mouse drifting about with nothing else going on: the frames drawn here are compared.
    Phase quietPhase(double seconds) {
        const double from = monotonicMs();
        wander(200, 300, 800, 500, seconds / 2);
        wander(800, 500, 200, 300, seconds / 2);
        return {from, monotonicMs()};
    }

    void stopScreenshots() { shots = false; }

  private:
    void shot(const std::string& name) {
        if (shots) screenshot("soak-" + std::to_string(++step) + "-" + name);
    }

    // Popup menu, "Add/Delete Fish": a species gets two fish more and then two fewer.
    bool fishDialog() {
        clickAt(400, 300, 3);
        sleepSeconds(0.6);
        run("xdotool key Down Return");
        const auto dialog = waitForDialog(FISH_DIALOG_TITLE, 1, 1);
        if (!dialog) return false;
        clickAt(dialog->g.x + 52, dialog->g.y + 137);
        dialog->focus();
        run("xdotool key --delay 150 a a d d");
        sleepSeconds(0.6);
        shot("fish-dialog");
        dialog->close();
        return true;
    }

    // The palette's aquarium settings: the light a page darker and back.
    bool settingsDialog() {
        choosePaletteButton(250, 100, PALETTE_SETTINGS_DIALOG);
        const auto dialog = waitForDialog(SETTINGS_DIALOG_TITLE, 244, 243);
        if (!dialog) return false;
        dialog->click(101, 116);
        sleepSeconds(0.5);
        shot("settings-dialog");
        dialog->click(101, 36);
        dialog->close();
        return true;
    }

    // "Custom Music": own music off (the built-in sound returns) and on again (the list plays).
    bool musicDialog() {
        clickToolbarButton(TOOLBAR_MUSIC);
        const auto dialog = waitForDialog(MUSIC_TITLE, 317, 151);
        if (!dialog) return false;
        dialog->click(53, 21);
        sleepSeconds(0.6);
        dialog->click(53, 21);
        shot("music-dialog");
        dialog->close();
        return true;
    }

    // "Custom Image": own pictures off and on again.
    bool imagesDialog() {
        clickToolbarButton(TOOLBAR_IMAGE);
        const auto dialog = waitForDialog(BACKGROUND_TITLE, 265, 135);
        if (!dialog) return false;
        dialog->click(15, 13);
        sleepSeconds(0.6);
        dialog->click(15, 13);
        shot("images-dialog");
        dialog->close();
        return true;
    }

    Aquarium& aquarium;
    bool shots;
    int step = 0;
};

}  // namespace

TEST(Soak, EveryToolAndDialogAgainAndAgainWithoutGrowingSlowingOrGlErrors) {
    const double seconds = soakSeconds();
    TempHome home;
    fs::create_directories(home.configDirectory());
    const std::string red = home.path() + "/red.jpg", blue = home.path() + "/blue.png";
    ASSERT_TRUE(makePicture(red, "rgb(200,40,40)", 1600, 1200));
    ASSERT_TRUE(makePicture(blue, "rgb(40,40,200)", 800, 600, "PNG24:"));
    const std::string low = home.path() + "/low.wav", high = home.path() + "/high.wav";
    writeTone(low, 440.0, 3.0);
    writeTone(high, 660.0, 3.0);
    std::ofstream(home.settingsFile())
        << "[Custom Images]\nRandomImage=0\nCycImage=1\nRepeatImage=0\nOwnImage=1\n"
           "ImageTime=2\nImageSum=2\nImageList0="
        << red << "\nImageList1=" << blue
        << "\n\n[Custom Settings]\nRandomMusic=0\nCycMusic=1\nRepeatMusic=0\n"
           "OwnMusic=1\nMusicSum=2\nMusicList0="
        << low << "\nMusicList1=" << high << "\n";

    Aquarium aquarium(home, LaunchOptions{{}, true});
    ASSERT_TRUE(aquarium.waitForWindow());
    const double start = monotonicMs();
    const auto elapsed = [&] { return (monotonicMs() - start) / 1000.0; };
    // The first minute (a third of a short run) lets everything settle; the memory it then holds,
    // at the end of a round, is the measure for the rest.
    const double settled = std::min(60.0, seconds / 3);

    Soak soak(aquarium, true);
    std::vector<CycleRecord> cycles;
    double longestCycle = 0;
    for (int index = 0; cycles.empty() || elapsed() + longestCycle < seconds; ++index) {
        const double began = elapsed();
        ASSERT_TRUE(soak.cycle(index)) << "round " << index << " at " << elapsed() << " s";
        const Phase quiet = soak.quietPhase(5.0);
        cycles.push_back({elapsed(), aquarium.residentKb(), aquarium.threadCount(), quiet});
        longestCycle = std::max(longestCycle, elapsed() - began);
        std::printf("round %d ends at %.0f s: %ld KiB resident, %d threads\n", index,
                    cycles.back().endSeconds, cycles.back().residentKb, cycles.back().threads);
        std::fflush(stdout);
        soak.stopScreenshots();
    }
    screenshot("soak-end");
    ASSERT_TRUE(aquarium.running());
    const std::string output = aquarium.output();
    const double ranFor = elapsed();
    pressKeysInAquarium("Escape");
    EXPECT_EQ(aquarium.waitForExit(10), 0);

    // The round that ends first after the settling time gives the measure. Growth, threads and
    // the late frame rate compare later rounds with it; a run too short for a round after it (the
    // one-minute run of the test suite holds about one round) cannot compare and leaves them to
    // `make soak`.
    auto measure = std::find_if(cycles.begin(), cycles.end(),
                                [&](const CycleRecord& c) { return c.endSeconds >= settled; });
    const bool comparable = measure != cycles.end() && measure + 1 != cycles.end();
    if (!comparable) measure = cycles.begin();
    const CycleRecord& last = cycles.back();
    const double growth = 100.0 * (last.residentKb - measure->residentKb) / measure->residentKb;

    const std::vector<double> swaps = aquarium.swapTimes();
    std::vector<Phase> early, late;
    for (const CycleRecord& c : cycles) {
        if (c.endSeconds <= std::max(2 * settled, cycles.front().endSeconds)) early.push_back(c.quiet);
        if (c.endSeconds >= ranFor - std::max(settled, longestCycle + 1)) late.push_back(c.quiet);
    }
    const double earlyRate = frameRate(swaps, early), lateRate = frameRate(swaps, late);
    const double overall = swaps.size() / ((swaps.back() - swaps.front()) / 1000.0);
    std::printf(
        "soak of %.0f s, %zu rounds of up to %.0f s: resident %ld KiB after %.0f s, %ld KiB at the end "
        "(%+.2f%%); "
        "threads %d then %d; %zu frames, %.1f per second overall; quiet rate %.1f early (%zu rounds), %.1f "
        "late "
        "(%zu rounds); longest gap between frames in quiet phases %.0f ms early, %.0f ms late\n",
        ranFor, cycles.size(), longestCycle, measure->residentKb, measure->endSeconds, last.residentKb,
        growth, measure->threads, last.threads, swaps.size(), overall, earlyRate, early.size(), lateRate,
        late.size(), longestGapMs(swaps, early), longestGapMs(swaps, late));

    EXPECT_EQ(output.find("OpenGL error"), std::string::npos) << output;
    EXPECT_GT(earlyRate, 20.0);
    if (comparable) {
        EXPECT_LE(std::abs(growth), 5.0) << "resident memory stays within 5% of the settled value";
        EXPECT_LE(last.threads, measure->threads + 1) << "no threads pile up";
        EXPECT_GE(lateRate, 0.85 * earlyRate) << "the frame rate held";
    } else {
        std::printf(
            "too short to compare rounds: memory, threads and frame rate over time are checked "
            "by `make soak`\n");
    }
    for (const auto& entry : fs::directory_iterator(home.configDirectory())) {
        const std::string extension = entry.path().extension().string();
        EXPECT_TRUE(extension != ".wav" && extension != ".ad" && extension != ".bmp")
            << "left behind: " << entry.path();
    }
}
