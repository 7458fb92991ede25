#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "harness.h"

// The music list and background images dialogs in the running aquarium: opened by their commands,
// driven with the mouse and keyboard (the GTK file chooser included), and judged by the screen,
// the sound that goes out and the settings file.

using namespace veltamar::e2e;

namespace {

// The hue that covers most of the screen: 'r', 'g', 'b', or '?' when none covers a third of it.
char dominantHue(const Screenshot& shot) {
    long red = 0, green = 0, blue = 0, all = 0;
    for (int y = 0; y < shot.height; y += 4)
        for (int x = 0; x < shot.width; x += 4) {
            const auto [r, g, b] = shot.at(x, y);
            ++all;
            if (r > g + 50 && r > b + 50) ++red;
            if (g > r + 50 && g > b + 50) ++green;
            if (b > r + 50 && b > g + 50) ++blue;
        }
    if (red * 3 > all && red > green && red > blue) return 'r';
    if (green * 3 > all && green > blue) return 'g';
    if (blue * 3 > all) return 'b';
    return '?';
}

// 16-bit stereo PCM WAV of a sine at half of full scale.
void writeTone(const std::string& path, double frequency, double seconds) {
    const int rate = 44100;
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    std::vector<std::int16_t> samples;
    for (std::uint32_t i = 0; i < frames; ++i) {
        const auto v = static_cast<std::int16_t>(16000 * std::sin(2 * M_PI * frequency * i / rate));
        samples.push_back(v);
        samples.push_back(v);
    }
    const std::uint32_t dataBytes = frames * 4;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16), u16(1), u16(2), u32(rate), u32(rate * 4), u16(4), u16(16);
    out.write("data", 4);
    u32(dataBytes);
    out.write(reinterpret_cast<const char*>(samples.data()), dataBytes);
}

// What the disk audio driver has written: 16-bit stereo frames at 44.1 kHz.
class SoundOut {
  public:
    explicit SoundOut(std::string path) : path(std::move(path)) {}
    // Share of the last quarter second's energy at the given frequency (a pure tone gives about
    // 1), and its loudness (root mean square relative to full scale).
    double toneShare(double frequency) const { return analyse(frequency).first; }
    double loudness() const { return analyse(0).second; }
    // Waits until the tone is what sounds; false when it does not come within the time.
    bool waitForTone(double frequency, double seconds) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < deadline) {
            if (toneShare(frequency) > 0.8) return true;
            sleepSeconds(0.1);
        }
        return false;
    }

  private:
    std::pair<double, double> analyse(double frequency) const {
        const std::string bytes = readAll(path);
        const std::size_t frames = bytes.size() / 4;
        const std::size_t count = 11025;
        if (frames < count) return {0, 0};
        const auto* samples = reinterpret_cast<const std::int16_t*>(bytes.data());
        double energy = 0, re = 0, im = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const double v = samples[2 * (frames - count + i)] / 32768.0;
            energy += v * v;
            const double phase = 2 * M_PI * frequency * static_cast<double>(i) / 44100.0;
            re += v * std::cos(phase);
            im += v * std::sin(phase);
        }
        const double rms = std::sqrt(energy / count);
        if (energy == 0) return {0, 0};
        // A sine of amplitude A gives |sum|^2 = (A n / 2)^2 and energy A^2 n / 2.
        return {2.0 * (re * re + im * im) / (energy * count), rms};
    }
    std::string path;
};

}  // namespace

TEST(ListDialogs, OwnPicturesAddedWithTheFileChooserTakeTurnsOnTheBackdrop) {
    TempHome home;
    const std::string red = home.path() + "/red photo.jpg";
    const std::string green = home.path() + "/green.png";
    const std::string blue = home.path() + "/blue.bmp";
    ASSERT_EQ(
        run("convert -size 800x600 xc:'rgb(220,30,30)' -fill white -pointsize 60 -annotate +40+300 JPEG '" +
            red + "'")
            .status,
        0);
    ASSERT_EQ(run("convert -size 640x480 xc:'rgb(30,200,30)' -fill white -pointsize 60 -annotate +40+240 PNG "
                  "PNG24:'" +
                  green + "'")
                  .status,
              0);
    ASSERT_EQ(run("convert -size 500x400 xc:'rgb(30,30,220)' -fill white -pointsize 60 -annotate +40+200 BMP "
                  "-type TrueColor BMP3:'" +
                  blue + "'")
                  .status,
              0);

    Aquarium aquarium(home);
    ASSERT_TRUE(aquarium.waitForWindow());
    aquarium.sendCommand(CMD_BACKGROUND_DIALOG);
    const auto dialog = waitForDialog(BACKGROUND_TITLE, 265, 135);
    ASSERT_TRUE(dialog);

    for (const std::string& picture : {red, green, blue}) {
        dialog->click(38, 123);  // "Add Image"
        ASSERT_TRUE(chooseFile(picture)) << picture;
    }
    dialog->click(87, 31);   // "Repeat All"
    dialog->click(209, 13);  // the interval
    run("xdotool key ctrl+a type 1");
    dialog->click(15, 13);  // "Use your own image"

    // A fresh show in the repeat-all order opens with the second picture and changes every second.
    std::string hues(1, dominantHue(screenshot("backgrounds-dialog")));
    dialog->close();
    ASSERT_TRUE(aquarium.running());
    for (int i = 0; i < 14; ++i) {
        const char hue = dominantHue(screenshot("backgrounds-show-" + std::to_string(i)));
        if (hues.empty() || hues.back() != hue) hues += hue;
        sleepSeconds(0.25);
    }
    EXPECT_EQ(hues.substr(0, 4), "gbrg") << hues;

    const std::string settings = readAll(home.settingsFile());
    EXPECT_NE(
        settings.find("[Custom Images]\nRandomImage=0\nCycImage=1\nRepeatImage=0\nOwnImage=1\nImageTime=1\n"
                      "ImageSum=3\nImageList0=" +
                      red + "\nImageList1=" + green + "\nImageList2=" + blue + "\n"),
        std::string::npos)
        << settings;
}

TEST(ListDialogs, MusicListPlaysInRepeatAllOrderHiddenOrNotAndGivesWayToTheBuiltInSound) {
    TempHome home;
    std::filesystem::create_directories(home.configDirectory());
    const std::string low = home.path() + "/low tone.wav";
    const std::string high = home.path() + "/high.wav";
    writeTone(low, 440.0, 2.0);
    writeTone(high, 660.0, 2.0);
    std::ofstream(home.settingsFile())
        << "[Custom Settings]\nRandomMusic=0\nCycMusic=1\nRepeatMusic=0\nOwnMusic=0\n"
           "MusicSum=1\nMusicList0=" +
               low + "\n";
    const std::string soundFile = home.path() + "/out.raw";
    Aquarium aquarium(home, LaunchOptions{{"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + soundFile}, false});
    ASSERT_TRUE(aquarium.waitForWindow());
    SoundOut sound(soundFile);
    sleepSeconds(1.0);
    EXPECT_GT(sound.loudness(), 0.005) << "the built-in sound plays while own music is off";
    EXPECT_LT(sound.toneShare(440.0), 0.5);

    aquarium.sendCommand(CMD_MUSIC_DIALOG);
    const auto dialog = waitForDialog(MUSIC_TITLE, 317, 151);
    ASSERT_TRUE(dialog);
    dialog->click(125, 134);  // "Add Music"
    ASSERT_TRUE(chooseFile(high));
    dialog->click(53, 21);  // "On/Off"

    // The playing row is green: first row 0, then row 1 below it.
    const auto greenRowTop = [&](const std::string& name) {
        const Screenshot shot = screenshot(name);
        const int x = dialog->g.x + static_cast<int>(200 * dialog->unitX);
        for (int y = dialog->g.y; y < dialog->g.y + dialog->g.height; ++y) {
            const auto [r, g, b] = shot.at(x, y);
            if (g > 230 && r < 40 && b < 40) return y;
        }
        return -1;
    };
    ASSERT_TRUE(sound.waitForTone(440.0, 3.0));
    const int firstRow = greenRowTop("music-playing-first");
    EXPECT_GT(firstRow, 0);
    ASSERT_TRUE(sound.waitForTone(660.0, 4.0));
    const int secondRow = greenRowTop("music-playing-second");
    EXPECT_GT(secondRow, firstRow + 10);

    // Hidden, the list plays on and wraps from the last track to the first.
    dialog->close();
    EXPECT_FALSE(viewable(MUSIC_TITLE));
    EXPECT_TRUE(sound.waitForTone(440.0, 4.0));
    EXPECT_TRUE(sound.waitForTone(660.0, 4.0));
    screenshot("music-hidden");

    aquarium.sendCommand(CMD_MUSIC_DIALOG);
    const auto again = waitForDialog(MUSIC_TITLE, 317, 151);
    ASSERT_TRUE(again);
    again->click(53, 21);  // "On/Off" off: the list stops and the built-in sound returns
    sleepSeconds(1.5);
    EXPECT_LT(sound.toneShare(440.0), 0.5);
    EXPECT_LT(sound.toneShare(660.0), 0.5);
    EXPECT_GT(sound.loudness(), 0.005);
    EXPECT_EQ(greenRowTop("music-stopped"), -1);
    again->close();

    const std::string settings = readAll(home.settingsFile());
    EXPECT_NE(
        settings.find("[Custom Settings]\nRandomMusic=0\nCycMusic=1\nRepeatMusic=0\nOwnMusic=0\nMusicSum=2\n"
                      "MusicList0=" +
                      low + "\nMusicList1=" + high + "\n"),
        std::string::npos)
        << settings;
}
