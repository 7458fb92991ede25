#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/crt_rand.h"
#include "platform/profile_file.h"
#include "temp_config_home.h"

using namespace veltamar;
using veltamar::testsupport::TempConfigHome;

TEST(ProfileFile, MissingFileSectionOrKeyReadsEmptyAndAWriteCreatesThem) {
    TempConfigHome home;
    const std::string path = home.dataDirectory() + "p.ini";
    std::filesystem::create_directories(home.dataDirectory());
    EXPECT_EQ(readProfileString("S", "k", path), "");
    EXPECT_FALSE(std::filesystem::exists(path));

    ASSERT_TRUE(writeProfileString("Aquarium Settings", "Show Water", "1", path));
    ASSERT_TRUE(writeProfileString("Aquarium Settings", "QIPAONUM", "100", path));
    ASSERT_TRUE(writeProfileString("Fish Number", "Fish0", "3", path));
    EXPECT_EQ(home.readSettings().empty(), true) << "a different file than the settings";
    std::ifstream in(path);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(text, "[Aquarium Settings]\nShow Water=1\nQIPAONUM=100\n\n[Fish Number]\nFish0=3\n");

    EXPECT_EQ(readProfileString("aquarium settings", "show water", path), "1") << "names match without case";
    EXPECT_EQ(readProfileString("Fish Number", "Fish1", path), "");
    EXPECT_EQ(readProfileString("Nope", "Fish0", path), "");
}

TEST(ProfileFile, WritesKeepEveryOtherLineAndReplaceOnlyTheKey) {
    ProfileDocument document = ProfileDocument::parse(
        "; the user's notes\r\n[Custom Images]\r\nImageSum = 2 \r\nImageList0=\"/a b/c.png\"\r\n\r\n"
        "[Other]\r\nkeep=me\r\nweird line without equals\r\n");
    EXPECT_EQ(document.get("Custom Images", "ImageSum"), "2") << "blanks around names and values go";
    EXPECT_EQ(document.get("Custom Images", "ImageList0"), "/a b/c.png") << "one pair of quotes goes";

    document.set("custom images", "ImageSum", "3");
    document.set("Custom Images", "ImageList2", "/x=y.png");
    document.set("Other", "new", "value");
    EXPECT_EQ(document.text(),
              "; the user's notes\n[Custom Images]\nImageSum=3\nImageList0=\"/a b/c.png\"\nImageList2=/x=y.png\n\n"
              "[Other]\nkeep=me\nweird line without equals\nnew=value\n");
    EXPECT_EQ(document.get("Custom Images", "ImageList2"), "/x=y.png") << "only the first '=' separates";
}

TEST(ProfileFile, ValuesComeBackWholeAndCannotAddLines) {
    ProfileDocument document;
    const std::string longPath = "/home/someone/" + std::string(300, 'p') + ".mp3";
    document.set("Custom Settings", "MusicList0", longPath);
    EXPECT_EQ(document.get("Custom Settings", "MusicList0"), longPath) << "no cut at 127 characters";

    document.set("Custom Settings", "MusicList1", "/evil\n[Aquarium Settings]\nBACKCOLOR=255");
    EXPECT_EQ(document.get("Custom Settings", "MusicList1"), "/evil[Aquarium Settings]BACKCOLOR=255");
    EXPECT_FALSE(document.get("Aquarium Settings", "BACKCOLOR"));

    // Other control characters would make the line read as damage next time: they go too.
    document.set("Custom Settings", "MusicList2", "\v\v/a\tb\x01.mp3");
    EXPECT_EQ(ProfileDocument::parse(document.text()).get("Custom Settings", "MusicList2"), "/a\tb.mp3");
}

TEST(ProfileFile, FirstOfDuplicateSectionsAndKeysWins) {
    const ProfileDocument document = ProfileDocument::parse("[A]\nk=1\nk=2\n[B]\nk=3\n[A]\nk=4\nj=5\n");
    EXPECT_EQ(document.get("A", "k"), "1");
    EXPECT_FALSE(document.get("A", "j"));
    EXPECT_EQ(document.get("B", "k"), "3");
}

TEST(ProfileFile, ReplacementIsAtomicAndAFailedWriteLeavesTheOldFile) {
    TempConfigHome home;
    home.writeSettings("[S]\nk=old\n");
    ProfileDocument document = ProfileDocument::load(home.settingsFile());
    document.set("S", "k", "new");
    ASSERT_TRUE(document.save(home.settingsFile()));
    EXPECT_EQ(home.readSettings(), "[S]\nk=new\n");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(home.dataDirectory())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1) << "no temporary file is left behind";

    // The target is a directory: the rename fails and nothing else changes.
    const std::string directory = home.dataDirectory() + "blocked";
    std::filesystem::create_directories(directory + "/inside");
    document.set("S", "k", "newer");
    EXPECT_FALSE(document.save(directory));
    EXPECT_TRUE(std::filesystem::is_directory(directory + "/inside"));
    EXPECT_FALSE(writeProfileString("S", "k", "v", home.dataDirectory() + "missing-dir/x.ini"));
}

TEST(ProfileFile, WhatKilledSavesLeftIsClearedAwayAndNothingElse) {
    TempConfigHome home;
    home.writeSettings("[S]\nk=v\n");
    const std::string file = home.settingsFile();
    const std::string unfinished[] = {file + ".saving-Ab12Cd", file + ".saving-000000"};
    const std::string others[] = {file + ".saving-Ab12C", file + ".saving-Ab12Cde", file + ".saving-Ab 2Cd",
                                  file + ".backup", home.dataDirectory() + "Other.ini.saving-Ab12Cd"};
    for (const std::string& path : unfinished) std::ofstream(path) << "[S]\nk=";
    for (const std::string& path : others) std::ofstream(path) << "mine";
    std::filesystem::create_directories(file + ".saving-Dir123/inside");

    removeUnfinishedSaves(file);
    for (const std::string& path : unfinished) EXPECT_FALSE(std::filesystem::exists(path)) << path;
    for (const std::string& path : others) EXPECT_TRUE(std::filesystem::exists(path)) << path;
    EXPECT_TRUE(std::filesystem::exists(file + ".saving-Dir123/inside")) << "only files go";
    EXPECT_EQ(home.readSettings(), "[S]\nk=v\n");

    // A save that is not interrupted leaves nothing of the kind behind.
    const auto entries = [&] {
        return std::distance(std::filesystem::directory_iterator(home.dataDirectory()),
                             std::filesystem::directory_iterator());
    };
    const auto before = entries();
    ASSERT_TRUE(writeProfileString("S", "k", "w", file));
    EXPECT_EQ(entries(), before);
    removeUnfinishedSaves(home.dataDirectory() + "missing-dir/x.ini");  // nothing to look at
}

TEST(ProfileFile, BatchReachesTheDiskOnceAndUnchangedWritesDoNothing) {
    TempConfigHome home;
    home.writeSettings("[S]\nk=1\n");
    {
        ProfileWriteBatch batch(home.settingsFile());
        for (int i = 0; i < 27; ++i) batch.write("S", "key" + std::to_string(i), std::to_string(i));
        EXPECT_EQ(batch.read("S", "key26"), "26");
        EXPECT_EQ(home.readSettings(), "[S]\nk=1\n") << "nothing on disk before the commit";
        EXPECT_TRUE(batch.commit());
    }
    EXPECT_EQ(readProfileString("S", "key26", home.settingsFile()), "26");

    const auto before = std::filesystem::last_write_time(home.settingsFile());
    const auto inode = [&] {
        struct stat info {};
        stat(home.settingsFile().c_str(), &info);
        return info.st_ino;
    };
    const auto inodeBefore = inode();
    ProfileWriteBatch same(home.settingsFile());
    same.write("S", "k", "1");
    EXPECT_TRUE(same.commit());
    EXPECT_EQ(inode(), inodeBefore) << "writing the same values does not replace the file";
    EXPECT_EQ(std::filesystem::last_write_time(home.settingsFile()), before);
}

TEST(ProfileFile, HostileTextNeverBreaksReadingOrWriting) {
    crtSrand(7);
    const char alphabet[] = "[]=;#\"' \t\r\nabcAquariumSettingsFish0123\x01\xff";
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int length = crtRand() % 4000;
        for (int i = 0; i < length; ++i)
            text += round % 3 == 0 ? static_cast<char>(crtRand() & 0xff) : alphabet[crtRand() % (sizeof alphabet - 1)];
        ProfileDocument document = ProfileDocument::parse(text);
        (void)document.get("Aquarium Settings", "Fish0");
        document.set("Aquarium Settings", "QIPAONUM", "42");
        EXPECT_EQ(document.get("Aquarium Settings", "QIPAONUM"), "42") << "round " << round;
        const ProfileDocument again = ProfileDocument::parse(document.text());
        EXPECT_EQ(again.get("Aquarium Settings", "QIPAONUM"), "42") << "round " << round;
    }
}

TEST(ProfileFile, DamagedLinesAreLeftOutAndAnEmptyDirectoryInThePlaceIsReplaced) {
    const std::string damaged = std::string("[S]\nk=1\n") + std::string("\x01\x02garbage\x00\x7f", 12) + "\n" +
                                "notes\twith a tab\nk2=2\n";
    ProfileDocument document = ProfileDocument::parse(damaged);
    EXPECT_EQ(document.text(), "[S]\nk=1\nnotes\twith a tab\nk2=2\n");
    EXPECT_EQ(document.get("S", "k2"), "2");

    TempConfigHome home;
    std::filesystem::create_directories(home.settingsFile());  // an empty directory where the file goes
    document.set("S", "k", "3");
    EXPECT_TRUE(document.save(home.settingsFile()));
    EXPECT_EQ(readProfileString("S", "k", home.settingsFile()), "3");
}
