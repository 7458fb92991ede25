#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "dialog_driver.h"
#include "harness.h"
#include "picture_text_font.h"
#include "test_media.h"

// The music list and background images dialogs in the running aquarium: opened by their commands,
// driven with the mouse and keyboard (the GTK file chooser included), and judged by the screen,
// the sound that goes out and the settings file.

using namespace veltamar::e2e;

TEST(ListDialogs, OwnPicturesAddedWithTheFileChooserTakeTurnsOnTheBackdrop) {
    TempHome home;
    const std::string red = home.path() + "/red photo.jpg";
    const std::string green = home.path() + "/green.png";
    const std::string blue = home.path() + "/blue.bmp";
    ASSERT_EQ(run("convert -size 800x600 xc:'rgb(220,30,30)' -fill white -pointsize 60 " PICTURE_TEXT_FONT
                  "-annotate +40+300 JPEG '" +
                  red + "'")
                  .status,
              0);
    ASSERT_EQ(run("convert -size 640x480 xc:'rgb(30,200,30)' -fill white -pointsize 60 " PICTURE_TEXT_FONT
                  "-annotate +40+240 PNG "
                  "PNG24:'" +
                  green + "'")
                  .status,
              0);
    ASSERT_EQ(run("convert -size 500x400 xc:'rgb(30,30,220)' -fill white -pointsize 60 " PICTURE_TEXT_FONT
                  "-annotate +40+200 BMP "
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
        return playingRowTop(*dialog, screenshot(name));
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
    // The keyboard to the shown dialog, as a window manager gives it.
    again->focus();
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
