#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/crt_rand.h"
#include "platform/message_box.h"
#include "platform/profile_file.h"
#include "settings/aquarium_keys.h"
#include "settings/live_settings.h"
#include "settings/settings_file.h"
#include "temp_config_home.h"

using namespace veltamar;
using veltamar::testsupport::TempConfigHome;

namespace {

std::vector<std::string> keysOfSection(const std::string& text, const std::string& section) {
    std::vector<std::string> keys;
    std::istringstream lines(text);
    bool inside = false;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] == '[') {
            inside = line == "[" + section + "]";
            continue;
        }
        if (inside && line.find('=') != std::string::npos) keys.push_back(line);
    }
    return keys;
}

}  // namespace

TEST(LoadSettings, FirstStartWritesTheDefaultsAndResetsInOrder) {
    TempConfigHome home;
    crtSrand(1);
    liveSettings = LiveSettings{};
    loadSettings();
    const std::string text = home.readSettings();
    const std::vector<std::string> expected = {
        "Show Water=0",        "Show Light=0",       "Show Terra=1",       "FRONT GUDING=1",
        "FRONTCOLOR=16777215", "FRONT MANJIANBIAN=0", "FRONT COLOR1=16777215", "FRONT COLOR2=16777215",
        "FRONT AUTOJIANBIAN=0", "CHECK LOCKFORE=0",   "LOCKFORE ROT=0",     "BACK GUDING=1",
        "BACKCOLOR=0",         "BACK MANJIANBIAN=0", "BACK COLOR1=65280",  "BACK COLOR2=0",
        "BACK AUTOJIANBIAN=0", "CHECK LOCKBACK=0",   "LOCKBACK ROT=0",     "YINLIANG=32767.5",
        "QIPAONUM=100",        "BACKGROUND=0",       "FOGNONGDU=25",       "LIGHTQIANGDU=0",
        "CHECK VIEWS=1",       "VIEWSLEFTRIGHT=0",   "VIEWSNEARFAR=0"};
    EXPECT_EQ(keysOfSection(text, "Aquarium Settings"), expected);

    EXPECT_EQ(liveSettings.soundVolume, 32767);
    EXPECT_EQ(liveSettings.bubbleSetting, 100);
    EXPECT_EQ(liveSettings.backFixed, 1);
    EXPECT_EQ(liveSettings.backColor, 0u);
    EXPECT_EQ(liveSettings.backColor1, 65280u);
    EXPECT_EQ(liveSettings.frontColor, 16777215u);
    EXPECT_EQ(liveSettings.showTerra, 1);
    EXPECT_EQ(liveSettings.autoViews, 1);

    const auto fish = keysOfSection(text, "Fish Number");
    ASSERT_EQ(fish.size(), 10u);
    std::array<std::int32_t, SPECIES_COUNT> firstCounts{};
    for (int s = 0; s < SPECIES_COUNT; ++s) {
        EXPECT_EQ(fish[s].rfind(fishKey(s) + "=", 0), 0u);
        firstCounts[s] = liveSettings.speciesCounts[s];
        EXPECT_GE(firstCounts[s], 0);
        EXPECT_LE(firstCounts[s], 5);
        EXPECT_EQ(fish[s], fishKey(s) + "=" + std::to_string(firstCounts[s]));
    }

    TempConfigHome secondHome;  // another first start from the same generator state
    crtSrand(1);
    loadSettings();
    EXPECT_EQ(liveSettings.speciesCounts, firstCounts) << "the generator is never seeded";
}

TEST(LoadSettings, StoredValuesAreCheckedClampedAndResetAsAtStartUp) {
    TempConfigHome home;
    home.writeSettings(
        "[Aquarium Settings]\nFOGNONGDU=40\nLIGHTQIANGDU=-1\nLOCKBACK ROT=123.900000\nLOCKFORE ROT=-7.5\n"
        "BACK GUDING=0\nBACKCOLOR=255\nBACK AUTOJIANBIAN=1\nQIPAONUM=12abc\nYINLIANG=65535\nVIEWSNEARFAR=150\n"
        "[Fish Number]\nFish0=1\nFish1=0\nFish2=2\nFish3=77\nFish4=-4\nFish5=0\nFish6=0\nFish7=0\nFish8=0\n"
        "Fish9=5\n");
    loadSettings();
    const ProfileDocument file = ProfileDocument::load(home.settingsFile());

    EXPECT_EQ(liveSettings.fogSetting, 25);
    EXPECT_EQ(file.get("Aquarium Settings", "FOGNONGDU"), "25");
    EXPECT_EQ(liveSettings.lightSetting, 0);
    EXPECT_EQ(file.get("Aquarium Settings", "LIGHTQIANGDU"), "0");
    EXPECT_FLOAT_EQ(liveSettings.backRotation, 123.0f) << "angles keep their whole part";
    EXPECT_FLOAT_EQ(liveSettings.frontRotation, -7.0f);
    EXPECT_EQ(liveSettings.backFixed, 1) << "a red fixed colour with fixed mode off starts black and fixed";
    EXPECT_EQ(liveSettings.backColor, 0u);
    EXPECT_EQ(liveSettings.backAutoGradient, 0);
    EXPECT_EQ(file.get("Aquarium Settings", "BACK GUDING"), "1");
    EXPECT_EQ(file.get("Aquarium Settings", "BACKCOLOR"), "0");
    EXPECT_EQ(liveSettings.bubbleSetting, 12);
    EXPECT_EQ(liveSettings.soundVolume, 65535);
    EXPECT_EQ(savedViewNearFar, 150);

    EXPECT_EQ(liveSettings.speciesCounts[3], 50) << "clamped in memory";
    EXPECT_EQ(file.get("Fish Number", "Fish3"), "77") << "the file keeps the larger value";
    EXPECT_EQ(liveSettings.speciesCounts[4], -4) << "no lower bound";
    EXPECT_EQ(liveSettings.speciesCounts[9], 5);

    // A value within its range is left alone.
    home.writeSettings("[Aquarium Settings]\nFOGNONGDU=25\nLIGHTQIANGDU=100\n");
    loadSettings();
    EXPECT_EQ(liveSettings.fogSetting, 25);
    EXPECT_EQ(liveSettings.lightSetting, 100);

    // A bubble amount or backdrop style out of range is kept as written but used in range.
    home.writeSettings("[Aquarium Settings]\nQIPAONUM=500\nBACKGROUND=-3\n");
    loadSettings();
    EXPECT_EQ(liveSettings.bubbleSetting, 500);
    EXPECT_EQ(bubbleSettingInRange(), 110);
    EXPECT_EQ(liveSettings.backgroundIndex, -3);
    EXPECT_EQ(backgroundIndexInRange(), 0);
}

TEST(LoadSettings, RandomSettingsFilesNeverBreakTheStart) {
    TempConfigHome home;
    const char* keys[] = {"FOGNONGDU", "LIGHTQIANGDU", "QIPAONUM", "BACKGROUND", "Fish3", "YINLIANG", "LOCKBACK ROT"};
    crtSrand(99);
    for (int round = 0; round < 60; ++round) {
        std::string text = round % 2 ? "[Aquarium Settings]\n" : "[Fish Number]\n";
        for (int i = 0; i < 20; ++i) {
            text += keys[crtRand() % 7];
            text += "=";
            for (int c = crtRand() % 30; c > 0; --c) text += static_cast<char>(crtRand() % 96 + 32);
            text += "\n";
            if (crtRand() % 5 == 0) text += std::string(1 + crtRand() % 200, static_cast<char>(crtRand() & 0xff));
        }
        home.writeSettings(text);
        loadSettings();
        EXPECT_GE(liveSettings.fogSetting, 0);
        EXPECT_LE(liveSettings.fogSetting, 25);
        EXPECT_GE(liveSettings.lightSetting, 0);
        EXPECT_LE(liveSettings.lightSetting, 100);
        for (int count : liveSettings.speciesCounts) EXPECT_LE(count, 50);
        EXPECT_EQ(ProfileDocument::load(home.settingsFile()).get("Aquarium Settings", "Show Terra"), "1");
    }
}

TEST(LoadSettings, WithoutADataDirectoryTheUserIsToldAndTheStartGoesOn) {
    TempConfigHome home;
    // A file where the directory should be: it cannot be created.
    std::ofstream(home.dataDirectory().substr(0, home.dataDirectory().size() - 1)) << "x";
    std::vector<std::string> messages;
    auto previous = setMessageHandler([&](const std::string& text, const std::string& caption) {
        messages.push_back(caption + ": " + text);
    });
    const std::string cwd = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    EXPECT_EQ(settingsPath(), "OrvessaSet.ini");
    std::filesystem::current_path(cwd);
    setMessageHandler(previous);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "ERROR: Error Find TempPath.");
}

// The screensaver's settings: the start-up rules apply in memory, the same values at every load of
// the process, and nothing reaches the disk. Read-only cannot be undone in a process, so it runs in
// a child process of its own, which ends with 0 when everything held.
TEST(LoadSettings, ReadOnlySettingsTakeTheStartUpValuesInMemoryAndWriteNothing) {
    TempConfigHome home;
    const std::string text = "[Aquarium Settings]\nShow Terra=0\nFOGNONGDU=99\nLIGHTQIANGDU=60\n[Fish Number]\nFish0=7\n";
    home.writeSettings(text);
    const std::string unfinishedSave = home.settingsFile() + ".saving-a1b2c3";
    std::ofstream(unfinishedSave) << "another process's save in flight";
    EXPECT_EXIT(
        {
            keepSettingsReadOnly();
            crtSrand(1);
            liveSettings = LiveSettings{};
            loadSettings();
            const LiveSettings first = liveSettings;
            loadSettings();
            const bool sameAgain = std::memcmp(&first, &liveSettings, sizeof first) == 0;
            const bool taken = first.showTerra == 1 && first.fogSetting == 25 && first.lightSetting == 60 &&
                               first.bubbleSetting == 100 && first.speciesCounts[0] == 7;
            const bool untouched = home.readSettings() == text && std::filesystem::exists(unfinishedSave) &&
                                   !writeProfileString("Fish Number", "Fish0", "1", home.settingsFile()) &&
                                   home.readSettings() == text;
            std::exit(sameAgain && taken && untouched ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(home.readSettings(), text);
}

TEST(LiveSettingsUpdates, WholeRecordSparesTheCountsAndCountsAreCappedAtFifty) {
    liveSettings = LiveSettings{};
    liveSettings.speciesCounts = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    LiveSettings values;
    values.backColor = 255;
    values.lightSetting = 30;
    values.backRotation = 4.5f;
    values.speciesCounts = {50, 50, 50, 50, 50, 50, 50, 50, 50, 50};
    updateLiveSettings(values);
    EXPECT_EQ(liveSettings.backColor, 255u);
    EXPECT_EQ(liveSettings.lightSetting, 30);
    EXPECT_FLOAT_EQ(liveSettings.backRotation, 4.5f);
    EXPECT_EQ(liveSettings.speciesCounts[9], 10);

    updateSpeciesCounts({0, 51, 77, -4, 50, 0, 0, 0, 0, 0});
    EXPECT_EQ(liveSettings.speciesCounts[1], 50);
    EXPECT_EQ(liveSettings.speciesCounts[2], 50);
    EXPECT_EQ(liveSettings.speciesCounts[3], -4);
    EXPECT_EQ(liveSettings.speciesCounts[4], 50);
}

TEST(SettingsText, LeadingNumbersAndKeyFormats) {
    EXPECT_EQ(leadingInteger("12abc"), 12);
    EXPECT_EQ(leadingInteger("  -40"), -40);
    EXPECT_EQ(leadingInteger("abc"), 0);
    EXPECT_EQ(leadingInteger("32767.5"), 32767);
    EXPECT_EQ(leadingInteger("99999999999999999999"), 2147483647);
    EXPECT_EQ(leadingInteger("-99999999999999999999"), -2147483647 - 1);
    EXPECT_DOUBLE_EQ(leadingDecimal("123.900000"), 123.9);
    EXPECT_DOUBLE_EQ(leadingDecimal("x"), 0.0);

    LiveSettings values;
    values.backRotation = 2.5f;
    values.backColor = 16777215;
    values.showWater = 1;
    values.bubbleSetting = -3;
    auto text = [&](const char* name) {
        for (const AquariumKey& key : AQUARIUM_KEYS)
            if (std::string(key.name) == name) return formatKeyValue(key, values);
        return std::string("?");
    };
    EXPECT_EQ(text("LOCKBACK ROT"), "2.500000");
    EXPECT_EQ(text("BACKCOLOR"), "16777215");
    EXPECT_EQ(text("Show Water"), "1");
    EXPECT_EQ(text("QIPAONUM"), "-3");
}
