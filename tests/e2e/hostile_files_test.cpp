#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "harness.h"
#include "settings_text.h"
#include "test_media.h"

// Files made to break decoders, and decoders that break: each costs the file it came in (its
// picture is reported or shows as far as it is sound, its track stops the list), never the
// aquarium, which goes on drawing. And whatever a person did in a list dialog is in the settings
// file even when the aquarium ends with the dialog still open.

using namespace veltamar::e2e;
namespace fs = std::filesystem;

namespace {

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> readBytes(const std::string& path) {
    const std::string text = readAll(path);
    return {text.begin(), text.end()};
}

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A 4 x 2 run-length bitmap whose two rows are absolute runs of 255 red pixels: the toolkit's
// decoder wrote them past its picture; a sound one keeps four of each.
std::vector<std::uint8_t> overlongRunBitmap() {
    std::vector<std::uint8_t> bytes(14 + 40 + 8, 0);
    bytes[0] = 'B', bytes[1] = 'M';
    put32(bytes, 10, 14 + 40 + 8);
    put32(bytes, 14, 40);
    put32(bytes, 18, 4);
    put32(bytes, 22, 2);
    bytes[26] = 1, bytes[28] = 8;  // one plane, 8 bits
    put32(bytes, 30, 1);           // run-length encoded, 8 bits
    put32(bytes, 46, 2);           // two colours: black and red
    bytes[54 + 4 + 2] = 220, bytes[54 + 4 + 1] = 30, bytes[54 + 4] = 30;
    for (int row = 0; row < 2; ++row) {
        bytes.insert(bytes.end(), {0, 255});
        bytes.insert(bytes.end(), 256, 1);  // 255 indices, padded to an even count
        bytes.insert(bytes.end(), {0, 0});
    }
    bytes.insert(bytes.end(), {0, 1});
    put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    return bytes;
}

// A tone whose sampler chunk claims 200,000,000 loops (the mixer's loader crashed on it).
void writeToneClaimingLoops(const std::string& path, double frequency, double seconds) {
    writeTone(path, frequency, seconds);
    std::vector<std::uint8_t> bytes = readBytes(path);
    std::vector<std::uint8_t> sampler(8 + 36 + 24, 0);
    sampler[0] = 's', sampler[1] = 'm', sampler[2] = 'p', sampler[3] = 'l';
    put32(sampler, 4, 36 + 24);
    put32(sampler, 8 + 28, 200000000);  // loops
    bytes.insert(bytes.begin() + 36, sampler.begin(), sampler.end());
    put32(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8));
    writeBytes(path, bytes);
}

// A tone whose format chunk says it has no channels.
void writeToneWithoutChannels(const std::string& path) {
    writeTone(path, 550.0, 5.0);
    std::vector<std::uint8_t> bytes = readBytes(path);
    bytes[22] = 0;
    writeBytes(path, bytes);
}

// Decoding helpers alive now, and the program's threads that wait for them.
int helpersAlive() {
    return std::stoi("0" + run("pgrep -c -f '^[^ ]*veltamar-decoder ' || true").output);
}

void quitWithEscape(Aquarium& aquarium) {
    pressKeysInAquarium("Escape");
    EXPECT_EQ(aquarium.waitForExit(10), 0);
}

bool waitForHue(char hue, const std::string& name, double seconds) {
    for (int i = 0; i < seconds * 5; ++i) {
        if (dominantHue(screenshot(name)) == hue) return true;
        sleepSeconds(0.2);
    }
    return false;
}

long framesBetween(const std::vector<double>& swaps, double from, double until) {
    return std::count_if(swaps.begin(), swaps.end(), [&](double t) { return t >= from && t < until; });
}

}  // namespace

TEST(HostileFiles, CraftedBitmapsAndWavesCostOnlyThemselves) {
    TempHome home;
    fs::create_directories(home.configDirectory());
    const std::string bitmap = home.path() + "/overlong-run.bmp";
    writeBytes(bitmap, overlongRunBitmap());
    const std::string looping = home.path() + "/loops.wav";
    const std::string noChannels = home.path() + "/no-channels.wav";
    writeToneClaimingLoops(looping, 440.0, 2.0);
    writeToneWithoutChannels(noChannels);
    std::ofstream(home.settingsFile())
        << "[Custom Settings]\nRandomMusic=0\nCycMusic=1\nRepeatMusic=0\nOwnMusic=1\nMusicSum=2\nMusicList0="
        << looping << "\nMusicList1=" << noChannels
        << "\n[Custom "
           "Images]\nRandomImage=0\nCycImage=1\nRepeatImage=0\nOwnImage=1\nImageTime=1\nImageSum=1\n"
           "ImageList0="
        << bitmap << "\n";

    const std::string soundFile = home.path() + "/sound.raw";
    Aquarium aquarium(home, LaunchOptions{{"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + soundFile}, true});
    ASSERT_TRUE(aquarium.waitForWindow());
    const double from = monotonicMs();
    const SoundOut sound(soundFile);
    // The tone plays whatever its sampler chunk claims; the run-length bitmap shows its red rows.
    EXPECT_TRUE(sound.waitForTone(440.0, 5.0)) << "the tone with the lying sampler chunk plays";
    EXPECT_TRUE(waitForHue('r', "crafted-bitmap", 5.0)) << "the bitmap's runs are kept within its rows";
    // Then the list comes to the tone without channels and stops there, in silence.
    bool silent = false;
    for (int i = 0; i < 40 && !silent; ++i) {
        sleepSeconds(0.1);
        silent = sound.loudness() < 0.001;
    }
    EXPECT_TRUE(silent) << "the list stops at the file it cannot play";
    sleepSeconds(1.0);
    EXPECT_LT(sound.loudness(), 0.001) << "and stays stopped";
    EXPECT_TRUE(messageBoxes().empty());
    const double until = monotonicMs();
    ASSERT_TRUE(aquarium.running());
    quitWithEscape(aquarium);
    EXPECT_GT(framesBetween(aquarium.swapTimes(), from, until), 5 * (until - from) / 1000)
        << "the frames go on";
}

// A helper killed in the middle of its work (as a crash or the kernel's memory killer would end
// it) costs that picture or track: the picture's message comes at once, not after the stall
// limit, the list stops at the track, and nothing of either decode is left running.
TEST(HostileFiles, AHelperKilledMidwayCostsItsFileOnly) {
    TempHome home;
    fs::create_directories(home.configDirectory());
    fs::create_directories(home.path() + "/share");
    const std::string farPicture = home.path() + "/share/picture.png";
    ASSERT_TRUE(writeFlatPng(farPicture, 640, 480, 3, {220, 30, 30, 0}, {220, 30, 30, 0}));
    const std::string green = home.path() + "/green.png";
    ASSERT_TRUE(writeFlatPng(green, 640, 480, 3, {30, 200, 30, 0}, {30, 200, 30, 0}));
    const std::string tone = home.path() + "/tone.wav";
    writeTone(tone, 440.0, 60.0);
    std::ofstream(home.settingsFile())
        << "[Custom Settings]\nRandomMusic=0\nCycMusic=1\nRepeatMusic=0\nOwnMusic=1\nMusicSum=1\nMusicList0="
        << tone
        << "\n[Custom "
           "Images]\nRandomImage=0\nCycImage=1\nRepeatImage=0\nOwnImage=1\nImageTime=1\nImageSum=2\n"
           "ImageList0="
        << farPicture << "\nImageList1=" << green << "\n";
    const std::string soundFile = home.path() + "/sound.raw";
    Aquarium aquarium(
        home,
        LaunchOptions{.environment = {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + soundFile},
                      .recordSwaps = true,
                      .hangingShare = LaunchOptions::Share{home.path() + "/share", home.path() + "/never"}});
    ASSERT_TRUE(aquarium.waitForWindow());
    const SoundOut sound(soundFile);
    ASSERT_TRUE(sound.waitForTone(440.0, 5.0));

    // The picture's helper waits on the share; killed, its picture is reported at once.
    ASSERT_EQ(run("pkill -KILL -f '^[^ ]*veltamar-decoder .* picture '").status, 0)
        << "a picture helper runs";
    const double killedAt = monotonicMs();
    std::vector<std::string> boxes;
    while (boxes.empty() && monotonicMs() - killedAt < 5000) {
        sleepSeconds(0.1);
        boxes = messageBoxes();
    }
    ASSERT_EQ(boxes.size(), 1u) << "the picture is reported";
    std::printf("the killed picture helper was reported after %.2f s\n", (monotonicMs() - killedAt) / 1000);
    run("xdotool windowfocus --sync " + boxes[0] + " key Return");
    EXPECT_TRUE(waitForHue('g', "killed-helper-green", 5.0)) << "the next picture shows";

    // The track's helper, killed while the track plays: the list stops there, in silence.
    ASSERT_EQ(run("pkill -KILL -f '^[^ ]*veltamar-decoder .* music '").status, 0) << "a music helper runs";
    sleepSeconds(1.0);
    EXPECT_LT(sound.loudness(), 0.001) << "the track stops with its helper";
    sleepSeconds(1.0);
    EXPECT_LT(sound.loudness(), 0.001) << "and the list does not go on";
    EXPECT_EQ(helpersAlive(), 0) << "nothing of either decode is left";
    EXPECT_EQ(aquarium.threadsNamed("picture reader") + aquarium.threadsNamed("music reader"), 0);
    ASSERT_TRUE(aquarium.running());
    quitWithEscape(aquarium);
}

// Escape ends the aquarium at once, with a list dialog open: what was done in it is kept.
TEST(HostileFiles, EscapeWithAListDialogOpenKeepsItsEdits) {
    TempHome home;
    fs::create_directories(home.configDirectory());
    const std::string tone = home.path() + "/tone.wav";
    writeTone(tone, 440.0, 2.0);
    const std::string green = home.path() + "/green.png";
    ASSERT_TRUE(writeFlatPng(green, 64, 48, 3, {30, 200, 30, 0}, {30, 200, 30, 0}));
    // In each dialog, a file added (and in the music list a mode chosen) just before Escape.
    const struct {
        int command;
        const char* title;
        int width, height;
        std::string file;
        bool chooseRepeatAll;
    } sessions[] = {{CMD_MUSIC_DIALOG, MUSIC_TITLE, 317, 151, tone, true},
                    {CMD_BACKGROUND_DIALOG, BACKGROUND_TITLE, 265, 135, green, false}};
    for (const auto& session : sessions) {
        Aquarium aquarium(home, LaunchOptions{{"SDL_AUDIODRIVER=dummy"}, false});
        ASSERT_TRUE(aquarium.waitForWindow());
        aquarium.sendCommand(session.command);
        const auto dialog = waitForDialog(session.title, session.width, session.height);
        ASSERT_TRUE(dialog);
        if (session.command == CMD_MUSIC_DIALOG)
            dialog->click(125, 134);  // "Add Music"
        else
            dialog->click(38, 123);  // "Add Image"
        ASSERT_TRUE(chooseFile(session.file));
        if (session.chooseRepeatAll) dialog->click(53, 68);
        sleepSeconds(0.5);
        quitWithEscape(aquarium);
    }
    const std::string settings = readAll(home.settingsFile());
    EXPECT_EQ(settingValue(settings, "[Custom Settings]", "MusicSum"), "1") << settings;
    EXPECT_EQ(settingValue(settings, "[Custom Settings]", "CycMusic"), "1");
    EXPECT_EQ(settingValue(settings, "[Custom Images]", "ImageSum"), "1");
    EXPECT_EQ(settingValue(settings, "[Custom Images]", "ImageList0"), green);
    EXPECT_EQ(settingValue(settings, "[Custom Settings]", "MusicList0"), tone) << "the music list stays";
}
