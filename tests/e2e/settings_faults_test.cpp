#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "harness.h"

using namespace veltamar::e2e;
namespace fs = std::filesystem;

namespace {

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Starts the aquarium on whatever the settings file holds, checks that it comes up and runs, and
// ends it with Escape.
void startsAndEndsNormally(const TempHome& home, const std::string& picture) {
    Aquarium aquarium(home);
    ASSERT_TRUE(aquarium.waitForWindow()) << "the aquarium comes up";
    sleepSeconds(1.0);
    EXPECT_TRUE(aquarium.running());
    screenshot(picture);
    run("xdotool mousemove 500 400 key Escape");
    EXPECT_EQ(aquarium.waitForExit(10), 0);
}

// A settings file the program wrote: the start-up defaults, resets and ten fish counts, and no
// line of damage.
void expectValidSettings(const std::string& text) {
    for (const char* line : {"\nShow Water=0\n", "\nShow Light=0\n", "\nShow Terra=1\n", "\nBACK GUDING=1\n",
                             "\nBACKCOLOR=0\n", "\nFOGNONGDU=25\n", "\nLIGHTQIANGDU=0\n", "\nFish0=", "\nFish9="})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in " << text.substr(0, 200);
    EXPECT_EQ(text.find("[Aquarium Settings]"), text.rfind("[Aquarium Settings]")) << "one section";
    for (char c : text) ASSERT_FALSE(static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t');
    EXPECT_LT(text.size(), 3u * 64 * 1024 + 4096) << "the damage is gone";
}

}  // namespace

TEST(SettingsFaults, DamagedSettingsFilesStartWithDefaultsAndAreWrittenAgain) {
    struct Case {
        const char* name;
        void (*prepare)(const std::string& path);
    };
    const Case cases[] = {
        {"zero-bytes", [](const std::string& p) { std::ofstream(p, std::ios::trunc); }},
        {"random-10mb",
         [](const std::string& p) {
             std::mt19937 random(42);
             std::string bytes(10 * 1024 * 1024, '\0');
             for (char& c : bytes) c = static_cast<char>(random());
             std::ofstream(p, std::ios::binary) << bytes;
         }},
        {"long-lines",
         [](const std::string& p) {
             std::ofstream out(p, std::ios::binary);
             out << "[Aquarium Settings]\nFOGNONGDU=" << std::string(64 * 1024, '7') << "\n"
                 << std::string(64 * 1024, 'x') << "\nQIPAONUM=" << std::string(64 * 1024, '-') << "\n";
         }},
        {"unreadable-link-loop", [](const std::string& p) { fs::create_symlink(p, p); }},
        {"empty-directory", [](const std::string& p) { fs::create_directories(p); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempHome home;
        fs::create_directories(home.configDirectory());
        c.prepare(home.settingsFile());
        startsAndEndsNormally(home, std::string("settings-fault-") + c.name);
        ASSERT_TRUE(fs::is_regular_file(home.settingsFile()));
        expectValidSettings(readText(home.settingsFile()));
    }
}

TEST(SettingsFaults, ADirectoryWithFilesInTheSettingsPlaceIsLeftAloneAndTheAquariumStillRuns) {
    TempHome home;
    fs::create_directories(home.settingsFile() + "/keep");
    std::ofstream(home.settingsFile() + "/keep/notes.txt") << "mine";
    startsAndEndsNormally(home, "settings-fault-full-directory");
    EXPECT_EQ(readText(home.settingsFile() + "/keep/notes.txt"), "mine");
    for (const auto& entry : fs::directory_iterator(home.configDirectory()))
        EXPECT_EQ(entry.path().filename().string().find("OrvessaSet.ini."), std::string::npos)
            << "no temporary file is left: " << entry.path();
}

TEST(SettingsFaults, AnUnusableDataDirectoryIsReportedOnceAndTheProgramGoesOn) {
    TempHome home;
    fs::create_directories(home.path() + "/.config");
    std::ofstream(home.configDirectory()) << "a file where the directory should be";
    Aquarium aquarium(home);
    // The message comes before the window: one box captioned "ERROR".
    std::vector<std::string> boxes;
    for (int i = 0; i < 100 && boxes.empty(); ++i) {
        boxes = windowsNamed("ERROR");
        sleepSeconds(0.1);
    }
    ASSERT_EQ(boxes.size(), 1u);
    sleepSeconds(0.5);
    screenshot("data-directory-message");
    run("xdotool windowfocus --sync " + boxes[0] + " key Return");
    EXPECT_TRUE(aquarium.waitForWindow()) << "the frame comes up without the aquarium";
    EXPECT_TRUE(windowsNamed("ERROR").empty()) << "no second message";
    EXPECT_TRUE(aquarium.running());
    screenshot("data-directory-frame");
    // Without a window manager nobody gives the focus back to the frame when the box closes.
    run("xdotool windowfocus --sync " + windowsNamed("VeltamarScr").at(0) + " key Escape");
    EXPECT_EQ(aquarium.waitForExit(10), 0);
}
