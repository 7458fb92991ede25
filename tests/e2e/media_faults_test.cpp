#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
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
    // The list marks the missing track while it is being opened, off the UI thread, and takes the
    // mark away when the open fails: on a busy machine the picture may come between the two.
    int markedRow = 0;
    for (int i = 0; i < 10 && markedRow != -1; ++i) {
        if (i > 0) sleepSeconds(0.2);
        markedRow = playingRowTop(*dialog, screenshot("music-gone-stopped-again"));
    }
    EXPECT_EQ(markedRow, -1) << "no row is marked as playing once the list has stopped";
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

namespace {

// Resident memory sampled over the time: the least and the most, in KiB.
// The resident size sampled for a while: its least, its most, and the largest rise from one sample
// to a later one (what reading a file into memory would show; the heap given back is no rise).
struct ResidentSamples {
    long least = 0;
    long most = 0;
    long rise = 0;
};
ResidentSamples residentRange(const Aquarium& aquarium, double seconds) {
    ResidentSamples samples;
    samples.least = samples.most = aquarium.residentKb();
    long lowestSoFar = samples.least;
    const double until = monotonicMs() + seconds * 1000;
    while (monotonicMs() < until) {
        sleepSeconds(0.1);
        const long now = aquarium.residentKb();
        samples.least = std::min(samples.least, now);
        samples.most = std::max(samples.most, now);
        samples.rise = std::max(samples.rise, now - lowestSoFar);
        lowestSoFar = std::min(lowestSoFar, now);
    }
    return samples;
}

// Escape in the aquarium; the time until the process has ended, in seconds, and its status.
std::pair<double, std::optional<int>> escapeTimed(Aquarium& aquarium) {
    pressKeysInAquarium("Escape");
    const double pressed = monotonicMs();
    const std::optional<int> status = aquarium.waitForExit(10);
    return {(monotonicMs() - pressed) / 1000, status};
}

// Answers the program's message boxes as they come, one after another; returns how many came.
int answerMessageBoxes(int expected, double secondsEach) {
    int answered = 0;
    for (int i = 0; i < expected; ++i) {
        std::vector<std::string> boxes;
        for (int t = 0; t < secondsEach * 10 && boxes.empty(); ++t) {
            boxes = messageBoxes();
            if (boxes.empty()) sleepSeconds(0.1);
        }
        if (boxes.empty()) break;
        sleepSeconds(0.5);
        run("xdotool windowfocus --sync " + boxes[0] + " key Return");
        ++answered;
        sleepSeconds(0.3);
    }
    return answered;
}

// A writer for the named pipe, in the background: it waits for a reader as long as it lives.
struct PipeWriter {
    explicit PipeWriter(const std::string& pipe) {
        pid = run("(exec 3>'" + pipe + "'; sleep 600) >/dev/null 2>&1 & echo -n $!").output;
    }
    ~PipeWriter() { run("kill " + pid + " 2>/dev/null"); }
    std::string pid;
};

}  // namespace

// Named pipes and an endless device in both lists at start-up: each is refused at once, unread
// (the music list stops there, each picture gets its message), while the frames go on and the
// resident size stays where it is; a writer turning up at the pipes later changes nothing, the
// good entries still play and show, and Escape ends the program at once.
TEST(MediaFaults, PipesAndDevicesInTheListsAreRefusedWhileTheAquariumGoesOn) {
    TempHome home;
    fs::create_directories(home.configDirectory());
    const std::string musicPipe = home.path() + "/song.mp3";
    const std::string picturePipe = home.path() + "/picture.png";
    ASSERT_EQ(mkfifo(musicPipe.c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(picturePipe.c_str(), 0600), 0);
    const std::string tone = home.path() + "/tone.wav";
    writeTone(tone, 440.0, 30.0);
    const std::string green = home.path() + "/green.png";
    ASSERT_TRUE(writeFlatPng(green, 640, 480, 3, {30, 200, 30, 0}, {30, 200, 30, 0}));
    const std::string music =
        "[Custom Settings]\nRandomMusic=0\nCycMusic=1\nRepeatMusic=0\nOwnMusic=1\nMusicSum=3\n"
        "MusicList0=" +
        musicPipe + "\nMusicList1=/dev/zero\nMusicList2=" + tone + "\n";
    const std::string images =
        "[Custom Images]\nRandomImage=0\nCycImage=1\nRepeatImage=0\nOwnImage=1\nImageTime=1\n"
        "ImageSum=3\nImageList0=" +
        picturePipe + "\nImageList1=/dev/zero\nImageList2=" + green + "\n";
    std::ofstream(home.settingsFile()) << music << images;

    const std::string soundFile = home.path() + "/sound.raw";
    Aquarium aquarium(home, LaunchOptions{{"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + soundFile}, true});
    ASSERT_TRUE(aquarium.waitForWindow());
    const double startedAt = monotonicMs();
    EXPECT_EQ(answerMessageBoxes(2, 10), 2) << "one message for each picture that is no file";
    EXPECT_TRUE(messageBoxes().empty());
    const double messagesUntil = monotonicMs();

    // The music list stopped at the pipe: nothing sounds, the built-in sound keeps still too.
    const SoundOut sound(soundFile);
    sleepSeconds(1.0);
    EXPECT_LT(sound.loudness(), 0.001);
    const double flatFrom = monotonicMs();
    const auto [least, most, rise] = residentRange(aquarium, 3.0);
    const double flatUntil = monotonicMs();
    std::printf("resident size over 3 s with pipes and /dev/zero listed: %ld..%ld KiB\n", least, most);
    EXPECT_LT(rise, 8 * 1024) << "the resident size does not grow";
    EXPECT_EQ(dominantHue(screenshot("special-files-green")), 'g') << "the good picture shows";

    // A writer turns up at each pipe; then /dev/zero and the pipe are played from the dialog, and
    // refused again at once, before the good track plays.
    const PipeWriter musicWriter(musicPipe), pictureWriter(picturePipe);
    aquarium.sendCommand(CMD_MUSIC_DIALOG);
    const auto dialog = waitForDialog(MUSIC_TITLE, 317, 151);
    ASSERT_TRUE(dialog);
    const double clicksFrom = monotonicMs();
    for (const double row : {34.0, 24.0}) {  // /dev/zero, the pipe
        dialog->click(200, row);
        dialog->click(248, 134);  // "Play"
        sleepSeconds(1.0);
        EXPECT_LT(sound.loudness(), 0.001);
        EXPECT_EQ(playingRowTop(*dialog, screenshot("special-files-refused")), -1);
    }
    const long mostAfter = residentRange(aquarium, 1.0).most;
    EXPECT_LT(mostAfter - least, 8 * 1024) << "nothing was read: " << mostAfter << " KiB";
    dialog->click(200, 44);   // the tone
    dialog->click(248, 134);  // "Play"
    EXPECT_TRUE(sound.waitForTone(440.0, 5.0)) << "the good track plays";
    const double clicksUntil = monotonicMs();
    dialog->close();
    ASSERT_TRUE(aquarium.running());

    const auto [seconds, status] = escapeTimed(aquarium);
    std::printf("Escape ended the program in %.2f s\n", seconds);
    EXPECT_EQ(status, 0);
    EXPECT_LT(seconds, 1.0);
    const std::vector<double> swaps = aquarium.swapTimes();
    // A main thread blocked in an open, or reading on, would draw none at all.
    EXPECT_GT(framesBetween(swaps, startedAt, messagesUntil), 3) << "drawing while the messages wait";
    EXPECT_GT(framesBetween(swaps, flatFrom, flatUntil), 6);
    EXPECT_GT(framesBetween(swaps, clicksFrom, clicksUntil), 2 * (clicksUntil - clicksFrom) / 1000);
    std::printf(
        "frames: %ld in %.1f s of messages, %ld in 3 s after, %ld in %.1f s of playing from the dialog\n",
        framesBetween(swaps, startedAt, messagesUntil), (messagesUntil - startedAt) / 1000,
        framesBetween(swaps, flatFrom, flatUntil), framesBetween(swaps, clicksFrom, clicksUntil),
        (clicksUntil - clicksFrom) / 1000);
    const std::string settings = readAll(home.settingsFile());
    EXPECT_NE(settings.find(images), std::string::npos) << settings;
    EXPECT_EQ(settingValue(settings, "[Custom Settings]", "MusicSum"), "3");
    EXPECT_EQ(settingValue(settings, "[Custom Settings]", "MusicList0"), musicPipe);
}

// Files on a network share that has stopped answering (their open blocks until the test lets the
// share answer again): the music list gives up on its first track after a few seconds and stops
// there, a picture is given up after a longer silence and reported, a track added from the dialog
// hangs on its own thread, and all the while the frames go on and no open blocks the main thread.
// The popup's Exit, and in a second session Escape, end the program at once while opens are still
// blocked; when the share answers late, the late answers are dropped and the track plays when
// chosen again.
TEST(MediaFaults, AShareThatStopsAnsweringNeverHoldsUpTheAquariumOrItsEnd) {
    TempHome home;
    fs::create_directories(home.configDirectory());
    fs::create_directories(home.path() + "/share");
    const std::string farSong = home.path() + "/share/song.wav";
    const std::string farPicture = home.path() + "/share/picture.png";
    const std::string farSecond = home.path() + "/share/second.wav";
    writeTone(farSong, 440.0, 30.0);
    writeTone(farSecond, 550.0, 30.0);
    ASSERT_TRUE(writeFlatPng(farPicture, 640, 480, 3, {220, 30, 30, 0}, {220, 30, 30, 0}));
    fs::copy_file(farPicture, home.path() + "/share/other.png");
    const std::string green = home.path() + "/green.png";
    ASSERT_TRUE(writeFlatPng(green, 640, 480, 3, {30, 200, 30, 0}, {30, 200, 30, 0}));
    const std::string music =
        "[Custom Settings]\nRandomMusic=0\nCycMusic=1\nRepeatMusic=0\nOwnMusic=1\nMusicSum=1\n"
        "MusicList0=" +
        farSong + "\n";
    const std::string images =
        "[Custom Images]\nRandomImage=0\nCycImage=1\nRepeatImage=0\nOwnImage=1\nImageTime=1\n"
        "ImageSum=2\nImageList0=" +
        farPicture + "\nImageList1=" + green + "\n";
    std::ofstream(home.settingsFile()) << music << images;
    const std::string shareBack = home.path() + "/share-back";
    const auto launch = [&](const std::string& soundFile) {
        return std::make_unique<Aquarium>(
            home, LaunchOptions{.environment = {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + soundFile},
                                .recordSwaps = true,
                                .hangingShare = LaunchOptions::Share{home.path() + "/share", shareBack}});
    };

    {
        SCOPED_TRACE("the share never answers");
        const std::string soundFile = home.path() + "/first.raw";
        auto aquarium = launch(soundFile);
        ASSERT_TRUE(aquarium->waitForWindow());
        const double from = monotonicMs();
        const SoundOut sound(soundFile);
        sleepSeconds(6.0);  // past the music's deadline
        EXPECT_LT(sound.loudness(), 0.001);
        aquarium->sendCommand(CMD_MUSIC_DIALOG);
        const auto dialog = waitForDialog(MUSIC_TITLE, 317, 151);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(playingRowTop(*dialog, screenshot("share-music-stopped")), -1) << "the list has stopped";

        // A second track from the share, added and chosen in the dialog.
        dialog->click(125, 134);  // "Add Music"
        ASSERT_TRUE(chooseFile(farSecond));
        dialog->click(200, 34);   // its row
        dialog->click(248, 134);  // "Play"
        const double addedAt = monotonicMs();
        sleepSeconds(2.0);
        const double addedUntil = monotonicMs();
        screenshot("share-second-chosen");

        // The picture is given up after fifteen seconds of silence: its message, then the green one.
        EXPECT_EQ(answerMessageBoxes(1, 20), 1) << "the picture on the share is reported";
        bool greenShows = false;
        for (int i = 0; i < 15 && !greenShows; ++i) {
            greenShows = dominantHue(screenshot("share-green")) == 'g';
            if (!greenShows) sleepSeconds(0.2);
        }
        EXPECT_TRUE(greenShows);
        // Every decode given up has ended: no helper is left waiting on the share, and no thread
        // of the program waits for one. The second track gives its open up four seconds after
        // "Play", which on a quick run is after the picture's message.
        const auto decodesLeft = [&] {
            return std::stoi("0" + run("pgrep -c -f '^[^ ]*veltamar-decoder ' || true").output) +
                   aquarium->threadsNamed("picture reader") + aquarium->threadsNamed("music reader");
        };
        while (decodesLeft() > 0 && monotonicMs() < addedAt + 6000.0) sleepSeconds(0.1);
        EXPECT_EQ(decodesLeft(), 0) << "helpers and reader threads left";
        const double until = monotonicMs();
        ASSERT_TRUE(aquarium->running());

        aquarium->sendCommand(1042);  // the popup's "Exit"
        const double exitAt = monotonicMs();
        EXPECT_EQ(aquarium->waitForExit(10), 0);
        const double exitSeconds = (monotonicMs() - exitAt) / 1000;
        std::printf("Exit ended the program in %.2f s (the command is picked up within 0.1 s)\n",
                    exitSeconds);
        EXPECT_LT(exitSeconds, 1.0);
        const std::vector<double> swaps = aquarium->swapTimes();
        const long frames = framesBetween(swaps, from, until);
        std::printf(
            "%ld frames in %.1f s while the share did not answer, %ld in the 2 s after choosing a track "
            "there\n",
            frames, (until - from) / 1000, framesBetween(swaps, addedAt, addedUntil));
        // A main thread blocked on the share would draw none at all.
        EXPECT_GT(frames, 2 * (until - from) / 1000) << "the frames go on";
        EXPECT_GT(framesBetween(swaps, addedAt, addedUntil), 4);
    }
    EXPECT_NE(readAll(home.settingsFile()).find(images), std::string::npos) << "the lists are kept";

    {
        SCOPED_TRACE("the share answers late");
        const std::string soundFile = home.path() + "/second.raw";
        auto aquarium = launch(soundFile);
        ASSERT_TRUE(aquarium->waitForWindow());
        const SoundOut sound(soundFile);
        sleepSeconds(5.0);
        std::ofstream(shareBack) << "back\n";  // the music's open answers after its deadline
        sleepSeconds(2.0);
        EXPECT_LT(sound.loudness(), 0.001) << "the late answer is dropped";
        ASSERT_TRUE(aquarium->running());
        aquarium->sendCommand(CMD_MUSIC_DIALOG);
        const auto dialog = waitForDialog(MUSIC_TITLE, 317, 151);
        ASSERT_TRUE(dialog);
        dialog->click(248, 134);  // "Play"
        EXPECT_TRUE(sound.waitForTone(440.0, 5.0)) << "the track plays now that the share answers";
        dialog->close();
        const auto [seconds, status] = escapeTimed(*aquarium);
        EXPECT_EQ(status, 0);
        EXPECT_LT(seconds, 1.0);
    }

    {
        SCOPED_TRACE("Escape while the share does not answer");
        fs::remove(shareBack);
        auto aquarium = launch(home.path() + "/third.raw");
        ASSERT_TRUE(aquarium->waitForWindow());
        // The music's open and the picture's read are blocked now; a picture from the share is
        // added from the dialog too.
        aquarium->sendCommand(CMD_BACKGROUND_DIALOG);
        const auto dialog = waitForDialog(BACKGROUND_TITLE, 265, 135);
        ASSERT_TRUE(dialog);
        dialog->click(38, 123);  // "Add Image"
        ASSERT_TRUE(chooseFile(home.path() + "/share/other.png"));
        const double from = monotonicMs();
        sleepSeconds(2.0);
        const double until = monotonicMs();
        const auto [seconds, status] = escapeTimed(*aquarium);
        std::printf("Escape ended the program in %.2f s with opens blocked\n", seconds);
        EXPECT_EQ(status, 0);
        EXPECT_LT(seconds, 1.0);
        EXPECT_GT(framesBetween(aquarium->swapTimes(), from, until), 4)
            << "drawing after the picture was added";
    }
}
