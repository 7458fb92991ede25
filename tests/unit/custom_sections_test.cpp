#include <gtest/gtest.h>

#include <string>

#include "settings/custom_sections.h"
#include "settings/play_mode.h"
#include "temp_config_home.h"

using namespace veltamar;
using namespace veltamar::testsupport;

TEST(PlayModes, RepeatOneWinsOverRepeatAllWhichWinsOverRandom) {
    EXPECT_EQ(modeFromButtons({false, false, false}), PLAY_REPEAT_ONE);
    EXPECT_EQ(modeFromButtons({true, false, false}), PLAY_RANDOM);
    EXPECT_EQ(modeFromButtons({true, true, false}), PLAY_REPEAT_ALL);
    EXPECT_EQ(modeFromButtons({true, true, true}), PLAY_REPEAT_ONE);
    for (PlayMode mode : {PLAY_REPEAT_ONE, PLAY_REPEAT_ALL, PLAY_RANDOM})
        EXPECT_EQ(modeFromButtons(buttonsForMode(mode)), mode);
}

TEST(CustomSections, MusicSectionRoundTripsWithLongPaths) {
    TempConfigHome home;
    home.writeSettings("");
    const std::string longPath = "/music/" + std::string(300, 'x') + "/track one.mp3";
    const MusicSection written{buttonsForMode(PLAY_REPEAT_ALL), true, {"/music/a.wav", longPath, "/m/ü.mp3"}};
    ASSERT_TRUE(writeMusicSection(home.settingsFile(), written));
    EXPECT_EQ(readMusicSection(home.settingsFile()), written);

    const std::string text = home.readSettings();
    EXPECT_NE(
        text.find("[Custom Settings]\nRandomMusic=0\nCycMusic=1\nRepeatMusic=0\nOwnMusic=1\nMusicSum=3\n"
                  "MusicList0=/music/a.wav\n"),
        std::string::npos)
        << text;
}

TEST(CustomSections, ImagesSectionRoundTripsAndKeepsTheIntervalAsTyped) {
    TempConfigHome home;
    home.writeSettings("");
    const ImagesSection written{buttonsForMode(PLAY_RANDOM), true, "12", {"/p/a.jpg", "/p/b.png"}};
    ASSERT_TRUE(writeImagesSection(home.settingsFile(), written));
    EXPECT_EQ(readImagesSection(home.settingsFile()), written);
    EXPECT_NE(
        home.readSettings().find("[Custom Images]\nRandomImage=1\nCycImage=0\nRepeatImage=0\nOwnImage=1\n"
                                 "ImageTime=12\nImageSum=2\nImageList0=/p/a.jpg\nImageList1=/p/b.png\n"),
        std::string::npos);

    // A shorter list later leaves the old keys, which the count then hides.
    ASSERT_TRUE(
        writeImagesSection(home.settingsFile(), {buttonsForMode(PLAY_REPEAT_ONE), false, "", {"/p/c.bmp"}}));
    const ImagesSection reread = readImagesSection(home.settingsFile());
    EXPECT_EQ(reread.paths, std::vector<std::string>{"/p/c.bmp"});
    EXPECT_EQ(reread.intervalText, "");
    EXPECT_NE(home.readSettings().find("ImageList1=/p/b.png"), std::string::npos);
}

TEST(CustomSections, MissingSectionGivesNoModeNoEntriesAndOff) {
    TempConfigHome home;
    const MusicSection music = readMusicSection(home.settingsFile());
    EXPECT_EQ(music.modes, (PlayModeButtons{false, false, false}));
    EXPECT_FALSE(music.ownMusic);
    EXPECT_TRUE(music.paths.empty());
    const ImagesSection images = readImagesSection(home.settingsFile());
    EXPECT_EQ(modeFromButtons(images.modes), PLAY_REPEAT_ONE);
    EXPECT_EQ(images.intervalText, "");
}

TEST(CustomSections, HandEditedValuesAreReadAsTheProgramWritesThem) {
    TempConfigHome home;
    home.writeSettings(
        "[Custom Settings]\n"
        "randommusic=1\nCycMusic=2\nRepeatMusic=1abc\nOwnMusic=yes\n"
        "MusicSum=999999999\n"
        "MusicList2=/m/c.mp3\nMusicList0=/m/a.mp3\nMusicList05=/m/zero.mp3\nMusicListx=/m/x.mp3\n"
        "[Custom Images]\n"
        "ImageSum=14\n" +
        [] {
            std::string keys;
            for (int i = 0; i < 14; ++i)
                keys += "ImageList" + std::to_string(i) + "=/p/" + std::to_string(i) + ".jpg\n";
            return keys;
        }());
    const MusicSection music = readMusicSection(home.settingsFile());
    EXPECT_EQ(music.modes, (PlayModeButtons{true, false, true}));  // "2" is not on; "1abc" is 1
    EXPECT_FALSE(music.ownMusic);
    // A count far beyond the keys costs nothing; missing indexes are skipped, in index order.
    EXPECT_EQ(music.paths, (std::vector<std::string>{"/m/a.mp3", "/m/c.mp3"}));

    // Only the first ten pictures are taken.
    const ImagesSection images = readImagesSection(home.settingsFile(), 10);
    ASSERT_EQ(images.paths.size(), 10u);
    EXPECT_EQ(images.paths.front(), "/p/0.jpg");
    EXPECT_EQ(images.paths.back(), "/p/9.jpg");
}
