#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <thread>

#include "dialog_driver.h"
#include "harness.h"
#include "settings_text.h"

// The aquarium settings dialog saves its section ten times a second. Killing the program at any
// moment, again and again, must leave a settings file that some save wrote whole: every section,
// every key of the section in its place with a well-formed value, and nothing of the rest of the
// file lost. A reader watching the file while it is rewritten must never catch it half written,
// and each start must take the state the kill left (and rewrite nothing of it).

using namespace veltamar::e2e;
namespace fs = std::filesystem;

namespace {

constexpr const char* SETTINGS_TITLE = "Aquarium Settings - Free Veltamar Screensaver 1.0";
constexpr int CMD_SETTINGS_DIALOG = 1040;

std::string aquariumSection(const std::string& text) {
    for (const Section& s : sections(text))
        if (s.name == "[Aquarium Settings]") {
            std::string joined;
            for (const std::string& line : s.lines) joined += line + "\n";
            return joined;
        }
    return {};
}

// Empty when the text is a whole state of the file: the sections of the reference in its order,
// all but "Aquarium Settings" exactly as they were, and that one with its 27 keys in order, each
// well-formed and the start-up's fixed values in place. Otherwise what is wrong.
std::string wholeStateProblem(const std::string& text, const std::string& reference) {
    if (text.empty() || text.back() != '\n') return "the file does not end with a whole line";
    const std::vector<Section> got = sections(text), want = sections(reference);
    if (got.size() != want.size()) return "the file has " + std::to_string(got.size() - 1) + " sections";
    static const std::regex onOff("[01]"), number("-?[0-9]+"), angle("-?[0-9]+\\.[0-9]{6}");
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (got[i].name != want[i].name) return "section " + got[i].name + " in the place of " + want[i].name;
        if (got[i].name != "[Aquarium Settings]") {
            if (got[i].lines != want[i].lines) return "section " + got[i].name + " changed";
            continue;
        }
        std::vector<std::string> keys;
        for (const std::string& line : got[i].lines)
            if (!line.empty()) keys.push_back(line);
        if (keys.size() != std::size(AQUARIUM_SECTION))
            return "the aquarium section has " + std::to_string(keys.size()) + " keys";
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const ExpectedKey& expected = AQUARIUM_SECTION[k];
            const std::string prefix = std::string(expected.name) + "=";
            if (keys[k].rfind(prefix, 0) != 0)
                return "\"" + keys[k] + "\" where " + expected.name + " belongs";
            const std::string value = keys[k].substr(prefix.size());
            const std::regex& form = expected.form == Form::OnOff   ? onOff
                                     : expected.form == Form::Angle ? angle
                                                                    : number;
            if (!std::regex_match(value, form)) return "malformed \"" + keys[k] + "\"";
            if (expected.fixed && value != expected.fixed) return "\"" + keys[k] + "\" after a start";
        }
    }
    return {};
}

std::string valueOf(const std::string& section, const std::string& key) {
    const auto at = section.find("\n" + key + "=");
    if (at == std::string::npos) return {};
    const auto from = at + key.size() + 2;
    return section.substr(from, section.find('\n', from) - from);
}

std::vector<std::string> unfinishedSaves(const TempHome& home) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(home.configDirectory())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("OrvessaSet.ini.", 0) == 0) names.push_back(name);
    }
    return names;
}

// Reads the file as fast as it can while it is being rewritten and checks every version it sees.
class FileWatcher {
  public:
    FileWatcher(std::string path, std::string reference)
        : path(std::move(path)), reference(std::move(reference)), thread([this] { watch(); }) {}
    ~FileWatcher() { finish(); }

    struct Findings {
        int versions = 0;     // how many different contents the reader saw
        std::string problem;  // the first version that was not a whole state, if any
    };
    // Stops the reader and returns what it saw; its findings are read only after it has stopped.
    Findings finish() {
        stop = true;
        if (thread.joinable()) thread.join();
        return {seen, problem};
    }

  private:
    void watch() {
        std::string last;
        while (!stop) {
            const std::string text = readAll(path);
            if (text != last) {
                ++seen;
                const std::string wrong = wholeStateProblem(text, reference);
                if (!wrong.empty() && problem.empty()) problem = wrong + ":\n" + text;
                last = text;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }
    std::string path, reference;
    std::atomic<bool> stop{false};
    int seen = 0;
    std::string problem;
    std::thread thread;
};

// The dialog's own sliders: clicks beside a slider's thumb move it a page up or down.
void clickSliders(const ShownDialog& dialog, std::mt19937& random, int clicks) {
    const double columns[] = {49, 101};  // "Bubble Count" and "Light", in dialog units
    for (int i = 0; i < clicks; ++i) {
        const double x = columns[random() % 2];
        const double y = random() % 2 ? 36 : 116;
        run("xdotool mousemove " + std::to_string(dialog.screenX(x)) + " " +
            std::to_string(dialog.screenY(y)) + " click 1");
        sleepSeconds(0.02 + (random() % 100) / 1000.0);
    }
}

std::string startingFile() {
    std::string text = "[Fish Number]\n";
    for (int s = 0; s < 10; ++s) text += "Fish" + std::to_string(s) + "=" + std::to_string(s % 3) + "\n";
    // Lists long enough that a save cut short would lose some of them; the picture entries lie
    // beyond their count and the music is off, so nothing is loaded from them.
    text +=
        "\n[Custom Images]\nRandomImage=0\nCycImage=1\nRepeatImage=0\nOwnImage=0\nImageTime=7\nImageSum=0\n";
    for (int i = 0; i < 10; ++i)
        text += "ImageList" + std::to_string(i) + "=/pictures/holiday " + std::to_string(i) + " " +
                std::string(100, 'p') + ".jpg\n";
    text += "\n[Custom Settings]\nRandomMusic=0\nCycMusic=1\nRepeatMusic=0\nOwnMusic=0\nMusicSum=40\n";
    for (int i = 0; i < 40; ++i)
        text += "MusicList" + std::to_string(i) + "=/music/album/track " + std::to_string(i) + " " +
                std::string(100, 'm') + ".mp3\n";
    return text;
}

}  // namespace

TEST(KillWhileSaving, EveryKillLeavesAWholeStateThatTheNextStartTakes) {
    TempHome home;
    fs::create_directories(home.configDirectory());
    std::ofstream(home.settingsFile()) << startingFile();
    // What a save that never reached its rename would leave, and a file of the user's that only
    // looks a little like it.
    std::ofstream(home.settingsFile() + ".saving-Ab12Cd") << "[Aquarium Settings]\nShow Wa";
    std::ofstream(home.settingsFile() + ".backup") << "mine";

    // A first run writes the aquarium section and closes the dialog normally: the reference state.
    {
        Aquarium aquarium(home);
        ASSERT_TRUE(aquarium.waitForWindow());
        aquarium.sendCommand(CMD_SETTINGS_DIALOG);
        const auto dialog = waitForDialog(SETTINGS_TITLE, 244, 243);
        ASSERT_TRUE(dialog);
        dialog->close();
        pressKeysInAquarium("Escape");
        EXPECT_EQ(aquarium.waitForExit(10), 0);
    }
    const std::string reference = readAll(home.settingsFile());
    ASSERT_EQ(wholeStateProblem(reference, reference), "") << reference;
    EXPECT_FALSE(fs::exists(home.settingsFile() + ".saving-Ab12Cd")) << "the unfinished save is cleared away";
    EXPECT_EQ(readAll(home.settingsFile() + ".backup"), "mine");
    fs::remove(home.settingsFile() + ".backup");

    std::mt19937 random(2024);
    std::string left = aquariumSection(reference);
    int changedByTheKilledRun = 0, versionsSeen = 0, leftBehind = 0;
    const int KILLS = 10;
    for (int kill = 0; kill < KILLS; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        Aquarium aquarium(home);
        ASSERT_TRUE(aquarium.waitForWindow());
        const std::string started = readAll(home.settingsFile());
        EXPECT_EQ(aquariumSection(started), left) << "the start took the state the kill left, whole";
        EXPECT_TRUE(unfinishedSaves(home).empty()) << "what a killed save left is cleared away at the start";

        aquarium.sendCommand(CMD_SETTINGS_DIALOG);
        const auto dialog = waitForDialog(SETTINGS_TITLE, 244, 243);
        ASSERT_TRUE(dialog);
        {
            FileWatcher watcher(home.settingsFile(), reference);
            clickSliders(*dialog, random, 6 + static_cast<int>(random() % 10));
            ::kill(aquarium.pid(), SIGKILL);
            EXPECT_EQ(aquarium.waitForExit(10), 128 + SIGKILL);
            const FileWatcher::Findings found = watcher.finish();
            versionsSeen += found.versions;
            EXPECT_EQ(found.problem, "") << "a reader caught the file half written";
        }

        const std::string after = readAll(home.settingsFile());
        ASSERT_EQ(wholeStateProblem(after, reference), "") << after;
        if (aquariumSection(after) != left) ++changedByTheKilledRun;
        left = aquariumSection(after);
        leftBehind += static_cast<int>(unfinishedSaves(home).size());
        std::printf("kill %d: light %s, bubbles %s\n", kill, valueOf(left, "LIGHTQIANGDU").c_str(),
                    valueOf(left, "QIPAONUM").c_str());
    }
    std::printf("%d kills: %d changed the file, %d versions seen by the reader, %d unfinished saves left\n",
                KILLS, changedByTheKilledRun, versionsSeen, leftBehind);
    EXPECT_GE(changedByTheKilledRun, KILLS / 2) << "the runs were killed while they saved changes";
    EXPECT_GE(versionsSeen, 2 * KILLS);

    // The last state is taken by a normal start as well.
    Aquarium last(home);
    ASSERT_TRUE(last.waitForWindow());
    EXPECT_EQ(aquariumSection(readAll(home.settingsFile())), left);
    EXPECT_TRUE(unfinishedSaves(home).empty());
    screenshot("kill-while-saving-last-start");
    pressKeysInAquarium("Escape");
    EXPECT_EQ(last.waitForExit(10), 0);
}
