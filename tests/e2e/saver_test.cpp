#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "harness.h"
#include "saver_support.h"
#include "test_media.h"
#include "test_window.h"

// The screensaver as daemons run it: on a window they make (here one the test makes, as a settings
// dialog's preview would) or, in --root mode, on the window XSCREENSAVER_WINDOW names; and under
// Debian's xscreensaver daemon itself. Screenshots are saver-*.png among the artifacts.

using namespace veltamar::e2e;
namespace fs = std::filesystem;

namespace {

// A 320 x 240 preview in the middle of the 1024 x 768 screen.
constexpr ScreenBox PREVIEW{352, 264, 320, 240};

LaunchOptions saverOn(const TestWindow& window, std::vector<std::string> environment = {},
                      std::vector<std::string> extra = {}) {
    LaunchOptions options;
    options.environment = std::move(environment);
    options.arguments = {"--window-id", window.hexId()};
    options.arguments.insert(options.arguments.end(), extra.begin(), extra.end());
    return options;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> listing(const std::string& directory) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(directory, ignored))
        names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Seconds until the process has ended, at most `limit`; nothing when it still runs then.
std::optional<double> secondsUntilExit(Aquarium& saver, double limit) {
    const auto start = std::chrono::steady_clock::now();
    const auto code = saver.waitForExit(limit);
    if (!code) return std::nullopt;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Decoding helpers among this process's children.
std::vector<pid_t> helperChildren() {
    std::vector<pid_t> helpers;
    const std::string parent = std::to_string(getpid());
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator("/proc", ignored)) {
        std::ifstream stat(entry.path() / "stat");
        std::string pid, name, state, ppid;
        if (stat >> pid >> name >> state >> ppid && ppid == parent && name == "(veltamar-decode)")
            helpers.push_back(std::stoi(pid));
    }
    return helpers;
}

}  // namespace

TEST(Saver, FillsExactlyThePreviewWindowAndFollowsItsSizeWithoutTakingInput) {
    TestWindow preview(PREVIEW.x, PREVIEW.y, PREVIEW.width, PREVIEW.height, UNDRAWN_COLOUR);
    const Screenshot before = screenshot("saver-preview-before");
    ASSERT_GT(undrawnPixels(before, PREVIEW), PREVIEW.width * PREVIEW.height * 9 / 10);
    const std::string windowsBefore = run("xwininfo -root -children | grep -c '^ *0x'").output;

    TempHome home;
    Aquarium saver(home, saverOn(preview));
    Screenshot shot;
    ASSERT_TRUE(waitUntilFilled("saver-preview-320x240", PREVIEW, shot)) << saver.output();
    keepBoxOf("saver-preview-320x240", PREVIEW);
    EXPECT_EQ(changedOutside(before, shot, PREVIEW), 0) << "nothing drawn outside the window";
    EXPECT_EQ(run("xwininfo -root -children | grep -c '^ *0x'").output, windowsBefore)
        << "no window of its own";
    EXPECT_EQ(preview.childCount(), 0) << "drawn on the window itself";

    // Clicks and keys over the preview reach no menu, palette or dialog, and end nothing.
    run("xdotool mousemove 500 380 click 1 click 3 click 2 key F1 key t key Escape");
    sleepSeconds(1.0);
    EXPECT_TRUE(saver.running());
    const auto popups = popupWindows();  // override-redirect windows: the preview and nothing else
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(popups[0].width, PREVIEW.width);
    EXPECT_TRUE(aquariumFills(screenshot("saver-preview-after-input"), PREVIEW));

    // A larger window of the same shape, then one of another shape (the scene is built anew).
    const ScreenBox larger{PREVIEW.x, PREVIEW.y, 480, 360};
    preview.resize(larger.width, larger.height);
    EXPECT_TRUE(waitUntilFilled("saver-preview-480x360", larger, shot)) << saver.output();
    const ScreenBox wide{PREVIEW.x, PREVIEW.y, 560, 315};
    preview.resize(wide.width, wide.height);
    sleepSeconds(3.0);
    shot = screenshot("saver-preview-560x315");
    EXPECT_TRUE(aquariumFills(shot, wide)) << "the aquarium across the whole window";
    EXPECT_TRUE(saver.running()) << saver.output();

    saver.signal(SIGTERM);
    EXPECT_EQ(saver.waitForExit(5), 0);
}

TEST(Saver, DrawsInAWindowOfItsOwnInsideOneWhoseVisualHasNoDepthBuffer) {
    TestWindow bare(PREVIEW.x, PREVIEW.y, PREVIEW.width, PREVIEW.height, UNDRAWN_COLOUR,
                    TestWindow::Visual::Bare);
    const Screenshot before = screenshot("saver-bare-visual-before");
    TempHome home;
    Aquarium saver(home, saverOn(bare));
    Screenshot shot;
    ASSERT_TRUE(waitUntilFilled("saver-bare-visual", PREVIEW, shot)) << saver.output();
    EXPECT_EQ(bare.childCount(), 1) << "the scene needs its depth buffer: a window of a visual that has one";
    EXPECT_EQ(changedOutside(before, shot, PREVIEW), 0);
    const ScreenBox larger{PREVIEW.x, PREVIEW.y, 400, 300};
    bare.resize(larger.width, larger.height);
    EXPECT_TRUE(waitUntilFilled("saver-bare-visual-400x300", larger, shot)) << saver.output();
    bare.destroy();
    EXPECT_EQ(saver.waitForExit(5), 0) << saver.output();
}

TEST(Saver, RootModeDrawsOnTheWindowTheDaemonNames) {
    TestWindow daemonWindow(PREVIEW.x, PREVIEW.y, PREVIEW.width, PREVIEW.height, UNDRAWN_COLOUR);
    const Screenshot before = screenshot("saver-root-mode-before");
    TempHome home;
    LaunchOptions options;
    options.environment = {"XSCREENSAVER_WINDOW=" + daemonWindow.hexId()};
    options.arguments = {"-root"};
    Aquarium saver(home, options);
    Screenshot shot;
    ASSERT_TRUE(waitUntilFilled("saver-root-mode", PREVIEW, shot)) << saver.output();
    EXPECT_EQ(changedOutside(before, shot, PREVIEW), 0) << "the root window is left alone";
    // The saver that draws all night carries none of the toolkit's libraries in its memory.
    std::ifstream maps("/proc/" + std::to_string(saver.pid()) + "/maps");
    const std::string mapped{std::istreambuf_iterator<char>(maps), std::istreambuf_iterator<char>()};
    EXPECT_NE(mapped.find("veltamar-saver"), std::string::npos);
    for (const char* toolkit : {"libwx_", "libgtk-3"}) EXPECT_EQ(mapped.find(toolkit), std::string::npos) << toolkit;
}

TEST(Saver, ReadsTheSettingsAndLeavesTheFileAndItsFolderUntouched) {
    TempHome home;
    fs::create_directories(home.configDirectory());
    // The light turned all the way down, and keys missing that the aquarium would write back at its
    // start; beside the file, an unfinished save that the aquarium would clear away.
    const std::string text = "[Aquarium Settings]\nLIGHTQIANGDU=100\n[Fish Number]\nFish0=3\n";
    std::ofstream(home.settingsFile()) << text;
    const std::string unfinishedSave = home.settingsFile() + ".saving-a1b2c3";
    std::ofstream(unfinishedSave) << "half a save";
    const auto mtime = fs::last_write_time(home.settingsFile());
    const auto listed = listing(home.path());
    struct stat folder {};
    ASSERT_EQ(stat(home.configDirectory().c_str(), &folder), 0);

    TestWindow preview(PREVIEW.x, PREVIEW.y, PREVIEW.width, PREVIEW.height, UNDRAWN_COLOUR);
    Aquarium saver(home, saverOn(preview, {"TMPDIR=" + home.path()}));
    Screenshot shot;
    for (int i = 0; i < 60 && (shot.width == 0 || undrawnPixels(shot, PREVIEW) > 0); ++i, sleepSeconds(0.5))
        shot = screenshot("saver-settings-dark");
    EXPECT_EQ(undrawnPixels(shot, PREVIEW), 0) << saver.output();
    EXPECT_TRUE(waterAcross(shot, PREVIEW, Light::Dark)) << "the dark light setting is taken";
    EXPECT_FALSE(waterAcross(shot, PREVIEW, Light::Normal));
    sleepSeconds(2.0);
    saver.signal(SIGTERM);
    ASSERT_EQ(saver.waitForExit(5), 0);

    EXPECT_EQ(readAll(home.settingsFile()), text);
    EXPECT_EQ(fs::last_write_time(home.settingsFile()), mtime);
    EXPECT_TRUE(fs::exists(unfinishedSave)) << "another process's save is not taken away";
    EXPECT_EQ(listing(home.path()), listed) << "nothing made or left in the home or the temporary folder";
    struct stat after {};
    ASSERT_EQ(stat(home.configDirectory().c_str(), &after), 0);
    EXPECT_EQ(after.st_mtim.tv_sec, folder.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, folder.st_mtim.tv_nsec);
}

TEST(Saver, WithoutAnySettingsFileItCreatesNothing) {
    TempHome home;
    TestWindow preview(PREVIEW.x, PREVIEW.y, PREVIEW.width, PREVIEW.height, UNDRAWN_COLOUR);
    Aquarium saver(home, saverOn(preview, {"TMPDIR=" + home.path()}));
    Screenshot shot;
    ASSERT_TRUE(waitUntilFilled("saver-no-settings", PREVIEW, shot)) << saver.output();
    saver.signal(SIGINT);
    ASSERT_EQ(saver.waitForExit(5), 0);
    EXPECT_TRUE(listing(home.path()).empty()) << "no data directory, no settings file, no temporary files";
}

TEST(Saver, WorksWhereTheDataDirectoryCannotBeUsed) {
    TempHome home;
    // A file where the folder of the data directory would be made: unusable for root too.
    std::ofstream(home.path() + "/.config") << "not a folder";
    TestWindow preview(PREVIEW.x, PREVIEW.y, PREVIEW.width, PREVIEW.height, UNDRAWN_COLOUR);
    Aquarium saver(home, saverOn(preview));
    Screenshot shot;
    EXPECT_TRUE(waitUntilFilled("saver-unusable-data-directory", PREVIEW, shot)) << saver.output();
    EXPECT_TRUE(messageBoxes().empty());
    EXPECT_EQ(saver.output().find("TempPath"), std::string::npos) << saver.output();
}

TEST(Saver, EndsWithStatusZeroWithinASecondOnSigtermSigintSighupOrItsWindowsEnd) {
    for (const int sig : {SIGTERM, SIGINT, SIGHUP, 0}) {
        SCOPED_TRACE(sig == 0 ? "window destroyed" : strsignal(sig));
        TempHome home;
        TestWindow preview(PREVIEW.x, PREVIEW.y, PREVIEW.width, PREVIEW.height, UNDRAWN_COLOUR);
        Aquarium saver(home, saverOn(preview, {"TMPDIR=" + home.path()}));
        Screenshot shot;
        ASSERT_TRUE(waitUntilFilled("saver-before-end", PREVIEW, shot)) << saver.output();
        if (sig != 0)
            saver.signal(sig);
        else
            preview.destroy();
        const auto seconds = secondsUntilExit(saver, 5.0);
        ASSERT_TRUE(seconds) << "still running after 5 s";
        EXPECT_LT(*seconds, 1.0);
        EXPECT_EQ(saver.waitForExit(0), 0) << saver.output();
        EXPECT_TRUE(listing(home.path()).empty()) << "its temporary folder is gone";
    }
}

// A window that is not there (gone before the saver looks, as a daemon's may be): a clear message
// on the error stream and status 1 at once, and nothing left in the temporary folder.
TEST(Saver, AWindowThatDoesNotExistEndsItWithAMessageAndStatusOne) {
    TestWindow gone(PREVIEW.x, PREVIEW.y, PREVIEW.width, PREVIEW.height, UNDRAWN_COLOUR);
    const std::string id = gone.hexId();
    gone.destroy();
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"--window-id", id}, {}},
        {{"--root"}, {"XSCREENSAVER_WINDOW=" + id}},
    };
    for (const auto& [arguments, environment] : cases) {
        SCOPED_TRACE(arguments[0]);
        TempHome home;
        LaunchOptions options;
        options.arguments = arguments;
        options.environment = environment;
        options.environment.push_back("TMPDIR=" + home.path());
        Aquarium saver(home, options);
        const auto seconds = secondsUntilExit(saver, 5.0);
        ASSERT_TRUE(seconds) << "still running after 5 s";
        EXPECT_LT(*seconds, 1.0);
        EXPECT_EQ(saver.waitForExit(0), 1);
        EXPECT_NE(saver.output().find("veltamar: there is no window " + id + "\n"), std::string::npos)
            << saver.output();
        EXPECT_TRUE(listing(home.path()).empty());
    }
}

// What a settings dialog's preview does when the user scrolls through the list of savers: the
// window goes while the saver is still starting, here while it reads the user's picture through a
// decoding helper too. Wherever in its start that happens, the saver ends by itself (status 0, or
// 1 with its message when the window had already gone when it looked), never by a signal, and
// leaves no temporary folder and no helper behind.
TEST(Saver, AWindowDestroyedWhileItStartsEndsItCleanly) {
    TempHome pictures;
    const std::string picture = pictures.path() + "/big.png";
    ASSERT_TRUE(writeFlatPng(picture, 4000, 3000, 3, {200, 40, 40, 0}, {40, 40, 200, 0}));
    // Processes the saver leaves behind become this test's children, where they can be found.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    for (const double after : {0.0, 0.1, 0.25, 0.35, 0.5, 0.8, 1.2, 1.8}) {
        SCOPED_TRACE("destroyed after " + std::to_string(after) + " s");
        TempHome home;
        fs::create_directories(home.configDirectory());
        std::ofstream(home.settingsFile())
            << "[Custom Images]\nOwnImage=1\nImageTime=1\nImageSum=1\nImageList0=" << picture << "\n";
        TestWindow preview(PREVIEW.x, PREVIEW.y, PREVIEW.width, PREVIEW.height, UNDRAWN_COLOUR);
        TempHome temporary;
        Aquarium saver(home, saverOn(preview, {"TMPDIR=" + temporary.path()}));
        sleepSeconds(after);
        preview.destroy();
        const auto code = saver.waitForExit(10);
        ASSERT_TRUE(code) << "still running 10 s after its window went";
        EXPECT_TRUE(*code == 0 || (*code == 1 && saver.output().find("veltamar: ") != std::string::npos))
            << "status " << *code << ": " << saver.output();
        EXPECT_TRUE(listing(temporary.path()).empty()) << "its temporary folder is gone";
        const std::vector<pid_t> left = helperChildren();
        EXPECT_TRUE(left.empty()) << left.size() << " helpers left running";
        for (const pid_t helper : left) {
            kill(helper, SIGKILL);
            waitpid(helper, nullptr, 0);
        }
    }
    prctl(PR_SET_CHILD_SUBREAPER, 0);
}

TEST(Saver, ClearsAwayTheFolderOfASaverThatWasKilledButNotThoseOfRunningSavers) {
    TempHome home;
    const auto folders = [&] {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(home.path()))
            if (entry.path().filename().string().rfind("veltamar-saver-", 0) == 0)
                names.push_back(entry.path());
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> temporary{"TMPDIR=" + home.path()};
    TestWindow first(40, 40, 320, 240, UNDRAWN_COLOUR);
    TestWindow second(600, 400, 320, 240, UNDRAWN_COLOUR);
    Screenshot shot;
    {
        Aquarium killed(home, saverOn(first, temporary));
        ASSERT_TRUE(waitUntilFilled("saver-killed", {40, 40, 320, 240}, shot)) << killed.output();
        killed.signal(SIGKILL);
        killed.waitForExit(5);
    }
    const auto abandoned = folders();
    ASSERT_EQ(abandoned.size(), 1u) << "SIGKILL leaves the folder behind";
    // Folders still under the name a saver gives one while it makes it: a saver starting this
    // moment, and one killed while it started a while ago.
    const fs::path starting = home.path() + "/.veltamar-saver-new-AAAAAA";
    const fs::path killedStarting = home.path() + "/.veltamar-saver-new-BBBBBB";
    fs::create_directory(starting);
    fs::create_directory(killedStarting);
    fs::last_write_time(killedStarting, fs::file_time_type::clock::now() - std::chrono::minutes(5));

    Aquarium running(home, saverOn(first, temporary));
    ASSERT_TRUE(waitUntilFilled("saver-after-killed", {40, 40, 320, 240}, shot)) << running.output();
    const auto afterFirst = folders();
    ASSERT_EQ(afterFirst.size(), 1u);
    EXPECT_NE(afterFirst[0], abandoned[0]) << "the abandoned folder is gone, the new saver has its own";
    EXPECT_TRUE(fs::exists(starting)) << "a folder being made is left to its saver";
    EXPECT_FALSE(fs::exists(killedStarting));
    fs::remove(starting);

    Aquarium beside(home, saverOn(second, temporary));
    ASSERT_TRUE(waitUntilFilled("saver-beside-running", {600, 400, 320, 240}, shot)) << beside.output();
    EXPECT_EQ(folders().size(), 2u) << "a running saver's folder stays";
    running.signal(SIGTERM);
    beside.signal(SIGTERM);
    EXPECT_EQ(running.waitForExit(5), 0);
    EXPECT_EQ(beside.waitForExit(5), 0);
    EXPECT_TRUE(folders().empty());
}

TEST(Saver, RunsBesideTheAquariumAndBesideAnotherSaver) {
    TempHome home;
    TestWindow first(40, 40, 320, 240, UNDRAWN_COLOUR);
    Aquarium firstSaver(home, saverOn(first));
    Screenshot shot;
    ASSERT_TRUE(waitUntilFilled("saver-beside-first", {40, 40, 320, 240}, shot)) << firstSaver.output();

    // The aquarium starts while a saver runs: the saver holds none of its locks.
    Aquarium aquarium(home);
    ASSERT_TRUE(aquarium.waitForWindow());

    // And a saver starts while the aquarium runs, drawing on its own window over it.
    TestWindow second(600, 400, 320, 240, UNDRAWN_COLOUR);
    Aquarium secondSaver(home, saverOn(second));
    EXPECT_TRUE(waitUntilFilled("saver-beside-aquarium", {600, 400, 320, 240}, shot)) << secondSaver.output();
    EXPECT_TRUE(firstSaver.running());
    EXPECT_TRUE(aquarium.running());
}

TEST(Saver, ShowsTheUsersOwnPictureWhenTheirSlideShowIsOn) {
    TempHome home;
    fs::create_directories(home.configDirectory());
    const std::string red = home.path() + "/red.bmp";
    ASSERT_TRUE(makePicture(red, "rgb(220,30,30)", 640, 480));
    std::ofstream(home.settingsFile())
        << "[Custom Images]\nRandomImage=0\nCycImage=0\nRepeatImage=1\nOwnImage=1\n"
           "ImageTime=5\nImageSum=1\nImageList0="
        << red << "\n";
    TestWindow preview(PREVIEW.x, PREVIEW.y, PREVIEW.width, PREVIEW.height, UNDRAWN_COLOUR);
    Aquarium saver(home, saverOn(preview));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    char hue = '?';
    while (hue != 'r' && std::chrono::steady_clock::now() < deadline) {
        sleepSeconds(0.5);
        hue = dominantHue(within(screenshot("saver-own-picture"), PREVIEW));
    }
    keepBoxOf("saver-own-picture", PREVIEW);
    EXPECT_EQ(hue, 'r') << saver.output();
}

TEST(Saver, PlaysTheBuiltInMusicOnlyWhenAskedTo) {
    for (const bool sound : {false, true}) {
        SCOPED_TRACE(sound ? "--sound" : "without --sound");
        TempHome home;
        const std::string soundFile = home.path() + "/out.raw";
        TestWindow preview(PREVIEW.x, PREVIEW.y, PREVIEW.width, PREVIEW.height, UNDRAWN_COLOUR);
        Aquarium saver(home,
                       saverOn(preview, {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + soundFile},
                               sound ? std::vector<std::string>{"--sound"} : std::vector<std::string>{}));
        Screenshot shot;
        ASSERT_TRUE(waitUntilFilled("saver-sound", PREVIEW, shot)) << saver.output();
        sleepSeconds(2.0);
        if (sound) {
            EXPECT_GT(SoundOut(soundFile).loudness(), 0.005);
        } else {
            EXPECT_FALSE(fs::exists(soundFile)) << "the sound device is not even opened";
        }
        saver.signal(SIGTERM);
        EXPECT_EQ(saver.waitForExit(5), 0);
    }
}

TEST(Saver, DrawsAtTheAquariumsPaceOfSixtyFourFramesASecondAtMost) {
    TempHome home;
    fs::create_directories(home.configDirectory());
    std::ofstream settings(home.settingsFile());
    settings << "[Fish Number]\n";
    for (int species = 0; species < 10; ++species) settings << "Fish" << species << "=0\n";
    settings.close();
    TestWindow preview(PREVIEW.x, PREVIEW.y, PREVIEW.width, PREVIEW.height, UNDRAWN_COLOUR);
    LaunchOptions options = saverOn(preview);
    options.recordSwaps = true;
    Aquarium saver(home, options);
    Screenshot shot;
    ASSERT_TRUE(waitUntilFilled("saver-pace", PREVIEW, shot)) << saver.output();
    sleepSeconds(10.0);
    saver.signal(SIGTERM);
    ASSERT_EQ(saver.waitForExit(5), 0);
    const std::vector<double> times = saver.swapTimes();
    ASSERT_GT(times.size(), 100u);
    // The last eight seconds before the end.
    const double end = times.back();
    const auto counted =
        std::count_if(times.begin(), times.end(), [&](double t) { return t > end - 8000.0; });
    const double rate = static_cast<double>(counted) / 8.0;
    EXPECT_LE(rate, 64.5);
    EXPECT_GE(rate, 40.0) << "frames keep coming";
}

TEST(SaverUnderXscreensaver, ActivateFillsTheScreenAndDeactivateEndsTheSaver) {
    // The daemon will not start programs as root: it runs as nobody then, with a home of nobody's.
    const bool asRoot = geteuid() == 0;
    TempHome home;
    std::string binary = VELTAMAR_BINARY;
    if (asRoot) {
        ASSERT_EQ(run("chown nobody '" + home.path() + "'").status, 0);
        if (run("runuser -u nobody -- test -x '" + binary + "'").status != 0) {
            // The build folder is not reachable for nobody: a copy in its home is.
            const std::string copy = home.path() + "/veltamar";
            fs::copy_file(binary, copy);
            fs::copy_file(fs::path(binary).parent_path() / "veltamar-saver", home.path() + "/veltamar-saver");
            binary = copy;
        }
    }
    // The program hands the screensaver over to the saver program beside it.
    const std::string saverBinary = (fs::path(binary).parent_path() / "veltamar-saver").string();
    const std::string daemonHome = home.path();
    std::ofstream(daemonHome + "/.xscreensaver") << "timeout: 0:30:00\ncycle: 0:00:00\nlock: False\nmode: "
                                                    "one\nselected: 0\nfade: False\nunfade: False\n"
                                                    "splash: False\ndpmsEnabled: False\nprograms: GL: "
                                                 << binary << " --root \\n\n";
    const std::string as = (asRoot ? "runuser -u nobody -- " : "") + std::string("env DISPLAY=") +
                           getenv("DISPLAY") + " HOME=" + daemonHome + " ";
    const std::string log = artifactDirectory() + "/saver-xscreensaver.log";
    const std::string daemonPid =
        run(as + "xscreensaver -no-splash -verbose > '" + log + "' 2>&1 & echo $!").output;

    bool ready = false;
    for (int i = 0; i < 100 && !ready; ++i, sleepSeconds(0.1))
        ready = run(as + "xscreensaver-command -time >/dev/null 2>&1").status == 0;
    ASSERT_TRUE(ready) << readAll(log);

    ASSERT_EQ(run(as + "xscreensaver-command -activate").status, 0);
    const ScreenBox screen{0, 0, 1024, 768};
    Screenshot shot;
    EXPECT_TRUE(waitUntilFilled("saver-xscreensaver-fullscreen", screen, shot)) << readAll(log);
    const std::string saverPid = run("pgrep -f -x '" + saverBinary + " --root'").output;
    ASSERT_FALSE(saverPid.empty()) << readAll(log);
    if (asRoot) {
        EXPECT_NE(run("ps -o user= -p " + saverPid).output.find("nobody"), std::string::npos);
    }

    ASSERT_EQ(run(as + "xscreensaver-command -deactivate").status, 0);
    const auto start = std::chrono::steady_clock::now();
    bool ended = false;
    while (!ended && std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
        ended = run("pgrep -f -x '" + saverBinary + " --root'").output.empty();
        if (!ended) sleepSeconds(0.05);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_TRUE(ended);
    EXPECT_LT(seconds, 2.0);

    run(as + "xscreensaver-command -exit >/dev/null 2>&1");
    run("kill " + daemonPid + " 2>/dev/null");
}
