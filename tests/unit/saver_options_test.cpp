#include <gtest/gtest.h>

#include "saver/saver_options.h"

using namespace veltamar;
using Outcome = SaverCommandLine::Outcome;

namespace {

SaverCommandLine parse(std::vector<std::string> arguments, const char* daemonWindow = nullptr) {
    return parseSaverCommandLine(arguments, daemonWindow);
}

}  // namespace

TEST(SaverOptions, TheWindowComesFromTheDaemonTheIdOrTheRoot) {
    EXPECT_EQ(parse({"--root"}).options.windowId, 0u) << "the root window";
    EXPECT_EQ(parse({"-root"}, "0x2a00007").options.windowId, 0x2a00007u) << "the daemon's window";
    EXPECT_EQ(parse({"--root"}, "44040199").options.windowId, 44040199u);
    EXPECT_EQ(parse({"--root"}, "not a window").options.windowId, 0u) << "a bad value is ignored";
    EXPECT_EQ(parse({"--window-id", "0x1C00003"}).options.windowId, 0x1c00003u);
    EXPECT_EQ(parse({"-window-id", "29360131"}).options.windowId, 29360131u);
    EXPECT_EQ(parse({"--window-id=0x10"}).options.windowId, 16u);
    EXPECT_EQ(parse({"--root", "--window-id", "77"}, "0x99").options.windowId, 77u) << "the id wins";
    const SaverCommandLine line = parse({"--window-id", "12", "--sound"});
    EXPECT_EQ(line.outcome, Outcome::Run);
    EXPECT_TRUE(line.options.sound);
    EXPECT_FALSE(parse({"--root"}).options.sound) << "silent unless asked";
}

TEST(SaverOptions, AnythingElseIsWrongAndHelpAndVersionAreTheirOwn) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"--sound"},
                                                      {"--bogus"},
                                                      {"stray"},
                                                      {"--root", "extra"},
                                                      {"--window-id", "window"},
                                                      {"--window-id"},
                                                      {"--window-id", "0"},
                                                      {"--window-id", "0x"},
                                                      {"--window-id", "12abc"},
                                                      {"--window-id", "-5"},
                                                      {"--window-id", "99999999999999999999999"},
                                                      {"---root"},
                                                      {"-"}}) {
        const SaverCommandLine line = parse(arguments);
        EXPECT_EQ(line.outcome, Outcome::Wrong) << arguments.back();
        EXPECT_FALSE(line.problem.empty());
    }
    // Help and the version end the reading wherever they stand, before anything wrong after them.
    const struct {
        std::vector<std::string> arguments;
        Outcome outcome;
    } ending[] = {
        {{"--help"}, Outcome::Help},
        {{"-h"}, Outcome::Help},
        {{"--root", "--help"}, Outcome::Help},
        {{"--version"}, Outcome::Version},
        {{"-version"}, Outcome::Version},
        {{"--window-id", "7", "--version", "--bogus"}, Outcome::Version},
        {{"--bogus", "--version"}, Outcome::Wrong},
    };
    for (const auto& c : ending) EXPECT_EQ(parse(c.arguments).outcome, c.outcome) << c.arguments.back();
    const std::string usage = usageText("veltamar");
    EXPECT_EQ(usage.rfind("usage: veltamar ", 0), 0u) << usage;
    for (const char* option : {"--root", "--window-id ID", "--sound", "XSCREENSAVER_WINDOW", "--version"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

TEST(SaverOptions, TheWallpaperAndTheIdleScreenTakeNoWindow) {
    using Role = SaverOptions::Role;
    struct Case {
        std::vector<std::string> arguments;
        Outcome outcome;
        Role role;
        bool sound;
    };
    for (const Case& c : std::vector<Case>{
             {{"--wallpaper"}, Outcome::Run, Role::Wallpaper, false},
             {{"-wallpaper", "--sound"}, Outcome::Run, Role::Wallpaper, true},
             {{"--idle"}, Outcome::Run, Role::IdleScreen, false},
             {{"--sound", "-idle"}, Outcome::Run, Role::IdleScreen, true},
             {{"--idle", "--idle"}, Outcome::Run, Role::IdleScreen, false},
             {{"--root"}, Outcome::Run, Role::Screensaver, false},
             {{"--wallpaper", "--idle"}, Outcome::Wrong, Role::Screensaver, false},
             {{"--wallpaper", "--root"}, Outcome::Wrong, Role::Screensaver, false},
             {{"--window-id", "12", "--idle"}, Outcome::Wrong, Role::Screensaver, false},
             {{"--wallpaper", "extra"}, Outcome::Wrong, Role::Screensaver, false},
         }) {
        const SaverCommandLine line = parse(c.arguments, "0x99");
        const std::string shown = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(line.outcome, c.outcome) << shown;
        if (c.outcome != Outcome::Run) continue;
        EXPECT_EQ(line.options.role, c.role) << shown;
        EXPECT_EQ(line.options.sound, c.sound) << shown;
        if (c.role != Role::Screensaver) {
            EXPECT_EQ(line.options.windowId, 0u) << "not the daemon's window";
        }
    }
    const std::string usage = usageText("veltamar");
    for (const char* option : {"--wallpaper [--sound]", "--idle [--sound]"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}
