#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "compositors.h"
#include "harness.h"
#include "saver_support.h"

// The wallpaper and the idle screen on real desktops: sway (layer shell) with two outputs of
// different sizes, one at scale 2; openbox on an X server with two monitors; and compositors that
// cannot show them.

// Last: Xlib's macros would clash with the names above.
#include <X11/Xlib.h>

using namespace veltamar::e2e;

namespace {

using Clock = std::chrono::steady_clock;

const std::vector<std::string> TWO_OUTPUTS{"output HEADLESS-1 mode 1280x720 position 0 0",
                                           "output HEADLESS-2 mode 1920x1080 scale 2 position 1280 0"};

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::vector<std::string> joined(std::vector<std::string> first, const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

ScreenBox whole(const Screenshot& shot) {
    return {0, 0, shot.width, shot.height};
}

// Takes pictures of the output until the aquarium's water reaches across the box of it.
bool waitForWater(const SwaySession& sway, const std::string& output, const std::string& name,
                  const ScreenBox& box, Screenshot& shot, double seconds = 60.0) {
    const auto start = Clock::now();
    do {
        shot = sway.grab(output, name);
        if (shot.width > 0 && waterAcross(shot, box)) return true;
        sleepSeconds(0.3);
    } while (secondsSince(start) < seconds);
    return false;
}

bool waitForWater(const SwaySession& sway, const std::string& output, const std::string& name,
                  Screenshot& shot) {
    shot = sway.grab(output, name);
    return waitForWater(sway, output, name, whole(shot), shot);
}

// A floating terminal of 640 x 360 at (100, 100) on the output.
void openTerminal(SwaySession& sway, const std::string& output, const std::string& appId) {
    sway.swaymsg("focus output " + output + " >/dev/null");
    sway.start("foot --app-id " + appId + " --window-size-pixels=640x360");
    for (int tries = 0; tries < 100; ++tries) {
        if (sway.swaymsg("-t get_tree").output.find("\"app_id\": \"" + appId + "\"") != std::string::npos)
            break;
        sleepSeconds(0.1);
    }
    sway.swaymsg("'[app_id=" + appId + "] floating enable' >/dev/null");
    sleepSeconds(0.3);
    sway.swaymsg("'[app_id=" + appId + "] move position 100 100' >/dev/null");
    sleepSeconds(0.3);
}

// Whether the program's processes use CPU within the time: frames are being drawn.
bool drawsWithin(pid_t program, double seconds) {
    const double before = processTreeCpuSeconds(program);
    const auto start = Clock::now();
    while (secondsSince(start) < seconds) {
        if (processTreeCpuSeconds(program) - before >= 0.05) return true;
        sleepSeconds(0.05);
    }
    return false;
}

int drawingProcesses(pid_t program) {
    std::istringstream list(run("ps --ppid " + std::to_string(program) + " -o pid=").output);
    int count = 0;
    for (pid_t pid; list >> pid;) ++count;
    return count;
}

}  // namespace

TEST(DesktopShell, TheWallpaperFillsEveryOutputOfSwayBehindItsWindowsAndTakesNoClick) {
    SwaySession sway(TWO_OUTPUTS);
    ASSERT_TRUE(sway.ready()) << "sway did not start";
    TempHome home;
    // The protocol traffic shows the buffers the scaled output gets.
    LaunchOptions options{joined(sway.clientEnvironment(), {"WAYLAND_DEBUG=client"}), false, {"--wallpaper"}};
    Aquarium wallpaper(home, options);
    openTerminal(sway, "HEADLESS-1", "foot");

    Screenshot first, second;
    // Beside the terminal on the first output, and across the whole second one.
    ASSERT_TRUE(waitForWater(sway, "HEADLESS-1", "wallpaper-sway-1", {760, 0, 520, 720}, first))
        << wallpaper.output().substr(0, 2000);
    ASSERT_TRUE(waitForWater(sway, "HEADLESS-2", "wallpaper-sway-2", second));
    EXPECT_EQ(second.width, 1920) << "the scaled output's picture is its size in pixels";
    EXPECT_LT(meanBrightness(first, {150, 150, 500, 250}), 40.0)
        << "the terminal is drawn above the aquarium";

    // A click on the background goes to the desktop: sway focuses the workspace clicked on.
    EXPECT_EQ(sway.focusedWorkspace(), "1");
    for (const auto& [x, y, workspace] : std::vector<std::tuple<int, int, std::string>>{
             {1500, 300, "2"}, {1000, 600, "1"}, {2000, 100, "2"}}) {
        sway.swaymsg("seat seat0 cursor set " + std::to_string(x) + " " + std::to_string(y) + " >/dev/null");
        sway.swaymsg("seat seat0 cursor press button1 >/dev/null");
        sway.swaymsg("seat seat0 cursor release button1 >/dev/null");
        sleepSeconds(0.2);
        EXPECT_EQ(sway.focusedWorkspace(), workspace) << "a click at " << x << "," << y;
    }

    // An output added while it runs gets the aquarium too.
    sway.swaymsg("create_output >/dev/null");
    sway.swaymsg("output HEADLESS-3 mode 800x600 >/dev/null");
    Screenshot third;
    EXPECT_TRUE(waitForWater(sway, "HEADLESS-3", "wallpaper-sway-3", third));
    EXPECT_EQ(third.width, 800);
    EXPECT_EQ(drawingProcesses(wallpaper.pid()), 3);

    wallpaper.signal(SIGTERM);
    EXPECT_EQ(wallpaper.waitForExit(10.0), 0);
    EXPECT_EQ(drawingProcesses(wallpaper.pid()), 0);
    // The scaled output was drawn at its 1920 x 1080 pixels with the buffer scale 2, never at its
    // 960 x 540 logical size and stretched (an opaque buffer of the aquarium's own, XRGB8888).
    const std::string traffic = wallpaper.output();
    EXPECT_NE(traffic.find("set_buffer_scale(2)"), std::string::npos);
    EXPECT_TRUE(std::regex_search(
        traffic, std::regex(R"(create_buffer\(new id wl_buffer@\d+, 0, 1920, 1080, \d+, 1\))")));
    EXPECT_FALSE(std::regex_search(
        traffic, std::regex(R"(create_buffer\(new id wl_buffer@\d+, 0, 960, 540, \d+, 1\))")));
}

TEST(DesktopShell, AWallpaperCoveredOnEveryOutputOfSwayDrawsNothingUntilUncovered) {
    SwaySession sway(TWO_OUTPUTS);
    ASSERT_TRUE(sway.ready()) << "sway did not start";
    TempHome home;
    Aquarium wallpaper(home, LaunchOptions{sway.clientEnvironment(), false, {"--wallpaper"}});
    Screenshot shot;
    ASSERT_TRUE(waitForWater(sway, "HEADLESS-2", "covered-sway-before", shot));
    ASSERT_TRUE(waitForWater(sway, "HEADLESS-1", "covered-sway-before-1", shot));
    openTerminal(sway, "HEADLESS-1", "left");
    openTerminal(sway, "HEADLESS-2", "right");
    for (const char* terminal : {"left", "right"})
        sway.swaymsg(std::string("'[app_id=") + terminal + "] fullscreen enable' >/dev/null");
    sleepSeconds(1.0);
    sway.grab("HEADLESS-1", "covered-sway-1");

    const double before = processTreeCpuSeconds(wallpaper.pid());
    sleepSeconds(10.0);
    const double used = processTreeCpuSeconds(wallpaper.pid()) - before;
    EXPECT_LE(used, 0.10) << "at most 1 % of a core over 10 s while covered";
    RecordProperty("covered_cpu_seconds_in_10s", std::to_string(used));

    for (const char* terminal : {"left", "right"})
        sway.swaymsg(std::string("'[app_id=") + terminal + "] fullscreen disable' >/dev/null");
    EXPECT_TRUE(drawsWithin(wallpaper.pid(), 1.0)) << "frames resume within a second";
    // The aquarium moves again beside the terminal.
    const ScreenBox beside{760, 0, 520, 720};
    const Screenshot a = sway.grab("HEADLESS-1", "uncovered-sway-1");
    sleepSeconds(0.3);
    const Screenshot b = sway.grab("HEADLESS-1", "uncovered-sway-1b");
    EXPECT_TRUE(waterAcross(b, beside));
    EXPECT_GT(changedOutside(within(a, beside), within(b, beside), {0, 0, 0, 0}), 1000);
}

// (sway's headless backend has no pointer device, and Debian has no program that makes a virtual
// one, so the pointer's part is tested on IdleInput alone.)
TEST(DesktopShell, TheIdleScreenCoversEveryOutputOfSwayAndEndsAtAKey) {
    SwaySession sway(TWO_OUTPUTS);
    ASSERT_TRUE(sway.ready()) << "sway did not start";
    openTerminal(sway, "HEADLESS-1", "foot");
    TempHome home;
    Aquarium idle(home, LaunchOptions{sway.clientEnvironment(), false, {"--idle"}});
    Screenshot shot;
    // Over the terminal too: the overlay layer is above every window.
    ASSERT_TRUE(waitForWater(sway, "HEADLESS-1", "idle-sway-1", shot)) << idle.output();
    ASSERT_TRUE(waitForWater(sway, "HEADLESS-2", "idle-sway-2", shot));
    EXPECT_EQ(shot.width, 1920);
    EXPECT_TRUE(idle.running());
    sway.client("wtype -s 100 -k Return");
    const auto keyed = Clock::now();
    EXPECT_EQ(idle.waitForExit(1.0), 0) << "ends with status 0 within a second of the key";
    EXPECT_LT(secondsSince(keyed), 1.05);
    EXPECT_EQ(drawingProcesses(idle.pid()), 0);
    // The terminal shows again.
    shot = sway.grab("HEADLESS-1", "idle-sway-ended");
    EXPECT_LT(meanBrightness(shot, {150, 150, 500, 250}), 40.0);
}

TEST(DesktopShell, WhereNoLayerShellCanBeHadItSaysSoAndEnds) {
    WestonSession weston;
    ASSERT_FALSE(weston.xDisplay.empty()) << "weston did not start";
    const std::vector<std::string> onWeston{"XDG_RUNTIME_DIR=" + weston.runtime.string(),
                                            "WAYLAND_DISPLAY=" + weston.socket};
    XServer x;
    struct Case {
        std::vector<std::string> environment;
        const char* option;
        const char* said;
    };
    for (const Case& c : std::vector<Case>{
             {onWeston, "--wallpaper", "no layer shell"},
             {onWeston, "--idle", "GNOME Shell offers none"},
             {{"WAYLAND_DISPLAY="}, "--idle", "needs a Wayland compositor"},
         }) {
        SCOPED_TRACE(c.option);
        TempHome home;
        Aquarium program(home, LaunchOptions{c.environment, false, {c.option}});
        EXPECT_EQ(program.waitForExit(20.0), 1);
        EXPECT_NE(program.output().find(c.said), std::string::npos) << program.output();
    }
}

namespace {

struct X11Desktop {
    X11Desktop() : x(2304, 1024) {
        monitors(
            "--setmonitor left 1280/300x720/200+0+0 screen --setmonitor right 1024/300x768/200+1280+0 none");
    }
    static void monitors(const std::string& arguments) { run("xrandr " + arguments + " >/dev/null 2>&1"); }
    XServer x;
    Openbox openbox;
};

// The same with the wallpaper started.
struct X11Wallpaper : X11Desktop {
    TempHome home;
    Aquarium wallpaper{home, LaunchOptions{{"WAYLAND_DISPLAY="}, false, {"--wallpaper"}}};
};

const ScreenBox LEFT{0, 0, 1280, 720};
const ScreenBox RIGHT{1280, 0, 1024, 768};

bool waitForWater(const std::string& name, const std::vector<ScreenBox>& boxes, Screenshot& shot,
                  double seconds = 60.0) {
    const auto start = Clock::now();
    do {
        shot = screenshot(name);
        if (shot.width > 0 && std::all_of(boxes.begin(), boxes.end(),
                                          [&shot](const ScreenBox& box) { return waterAcross(shot, box); }))
            return true;
        sleepSeconds(0.3);
    } while (secondsSince(start) < seconds);
    return false;
}

std::vector<std::string> wallpaperWindows() {
    std::istringstream list(run("xdotool search --class veltamar 2>/dev/null").output);
    std::vector<std::string> ids;
    for (std::string id; list >> id;) ids.push_back(id);
    return ids;
}

// Client windows from the bottom of the stack to the top, as the window manager keeps them.
std::vector<unsigned long> stacking() {
    std::istringstream text(run("xprop -root _NET_CLIENT_LIST_STACKING").output);
    std::vector<unsigned long> ids;
    for (std::string word; text >> word;)
        if (word.rfind("0x", 0) == 0) ids.push_back(std::stoul(word, nullptr, 16));
    return ids;
}

// True when the window is above every wallpaper window.
bool aboveWallpaper(const std::string& window) {
    const std::vector<unsigned long> order = stacking();
    const auto at = [&order](const std::string& id) {
        return std::find(order.begin(), order.end(), std::stoul(id)) - order.begin();
    };
    const std::vector<std::string> ours = wallpaperWindows();
    return !ours.empty() && std::all_of(ours.begin(), ours.end(), [&](const std::string& id) {
        return at(id) < at(window) && at(window) < static_cast<long>(order.size());
    });
}

// The windows the pointer is in, from the root down: the deepest one takes a click there.
std::vector<unsigned long> windowsUnderPointer() {
    std::vector<unsigned long> chain;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return chain;
    Window window = DefaultRootWindow(display);
    for (int depth = 0; depth < 10; ++depth) {
        Window root = 0, child = 0;
        int rootX, rootY, x, y;
        unsigned mask;
        if (!XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask) || child == 0)
            break;
        chain.push_back(child);
        window = child;
    }
    XCloseDisplay(display);
    return chain;
}

void lowerWindow(const std::string& window) {
    Display* display = XOpenDisplay(nullptr);
    XLowerWindow(display, std::stoul(window));
    XCloseDisplay(display);
}

// Asks the window manager to make a window full-screen on its monitor, as a pager would.
void makeFullScreen(const std::string& window) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = std::stoul(window);
    event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;  // add
    event.xclient.data.l[1] = static_cast<long>(XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False));
    event.xclient.data.l[3] = 1;  // from an application
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    XCloseDisplay(display);
}

std::string startProgram(const std::string& command) {
    std::string pid = run(command + " >/dev/null 2>&1 & echo $!").output;
    pid.erase(pid.find_last_not_of("\n ") + 1);
    return pid;
}

std::string windowOf(const std::string& pid) {
    for (int tries = 0; tries < 100; ++tries) {
        std::istringstream ids(
            run("xdotool search --sync --onlyvisible --pid " + pid + " 2>/dev/null").output);
        std::string id;
        if (ids >> id) return id;
        sleepSeconds(0.1);
    }
    return {};
}

}  // namespace

TEST(DesktopShell, TheWallpaperStaysBelowOpenboxsWindowsLetsClicksThroughAndFollowsTheMonitors) {
    X11Wallpaper desktop;
    ASSERT_TRUE(desktop.openbox.ready()) << "openbox did not start";
    Aquarium& wallpaper = desktop.wallpaper;
    Screenshot shot;
    ASSERT_TRUE(waitForWater("wallpaper-x11", {LEFT, RIGHT}, shot)) << wallpaper.output();
    const std::vector<std::string> ours = wallpaperWindows();
    ASSERT_EQ(ours.size(), 2u);
    for (const std::string& id : ours) {
        const std::string properties = run("xprop -id " + id + " _NET_WM_WINDOW_TYPE _NET_WM_DESKTOP").output;
        EXPECT_NE(properties.find("_NET_WM_WINDOW_TYPE_DESKTOP"), std::string::npos) << properties;
        EXPECT_NE(properties.find("4294967295"), std::string::npos) << "on every workspace: " << properties;
    }

    // A terminal stays above it however it is raised or lowered, and whatever raises the wallpaper.
    const std::string terminalPid = startProgram("xterm -geometry 80x24+100+100");
    const std::string terminal = windowOf(terminalPid);
    ASSERT_FALSE(terminal.empty());
    sleepSeconds(0.5);
    EXPECT_TRUE(aboveWallpaper(terminal));
    run("xdotool windowraise " + terminal + " windowactivate " + terminal);
    sleepSeconds(0.3);
    EXPECT_TRUE(aboveWallpaper(terminal)) << "raised";
    lowerWindow(terminal);
    sleepSeconds(0.3);
    EXPECT_TRUE(aboveWallpaper(terminal)) << "lowered";
    for (const std::string& id : ours)
        run("xdotool windowraise " + id + " windowactivate " + id + " 2>/dev/null");
    sleepSeconds(0.3);
    EXPECT_TRUE(aboveWallpaper(terminal)) << "the wallpaper raised";
    shot = screenshot("wallpaper-x11-terminal");
    EXPECT_GT(meanBrightness(shot, {150, 150, 300, 150}), 200.0) << "the terminal's white shows above it";

    // Over the background the pointer is in no window of the wallpaper (its input shape is empty):
    // the window manager takes the click there, here switching workspaces on Alt and the wheel.
    run("xdotool mousemove 1000 600");
    sleepSeconds(0.2);
    for (unsigned long window : windowsUnderPointer())
        for (const std::string& id : ours)
            EXPECT_NE(window, std::stoul(id)) << "the wallpaper would take the click";
    const auto workspace = [] { return run("xprop -root _NET_CURRENT_DESKTOP").output; };
    const std::string before = workspace();
    run("xdotool keydown alt click 5 keyup alt");
    sleepSeconds(0.3);
    EXPECT_NE(workspace(), before) << "the window manager took the wheel";
    // On the next workspace it shows too, without the terminal.
    EXPECT_TRUE(waitForWater("wallpaper-x11-workspace", {LEFT, RIGHT}, shot, 10.0));

    // A monitor resized is filled again; one removed loses its wallpaper, one added gets it.
    X11Desktop::monitors("--delmonitor right --setmonitor right 1000/300x800/200+1280+100 none");
    const ScreenBox resized{1280, 100, 1000, 800};
    EXPECT_TRUE(waitForWater("wallpaper-x11-resized", {LEFT, resized}, shot, 20.0));
    EXPECT_LT(meanBrightness(shot, {1280, 0, 1000, 90}), 5.0) << "nothing left where the monitor was";
    X11Desktop::monitors("--delmonitor right");
    for (int tries = 0; tries < 50 && wallpaperWindows().size() != 1; ++tries) sleepSeconds(0.2);
    EXPECT_EQ(wallpaperWindows().size(), 1u);
    EXPECT_EQ(drawingProcesses(wallpaper.pid()), 1);
    X11Desktop::monitors("--setmonitor right 1024/300x768/200+1280+0 none");
    EXPECT_TRUE(waitForWater("wallpaper-x11-added", {LEFT, RIGHT}, shot, 30.0));

    run("kill " + terminalPid);
    wallpaper.signal(SIGTERM);
    EXPECT_EQ(wallpaper.waitForExit(10.0), 0);
    EXPECT_TRUE(wallpaperWindows().empty());
}

TEST(DesktopShell, AWallpaperCoveredOnEveryMonitorOfX11DrawsNothingUntilUncovered) {
    X11Wallpaper desktop;
    ASSERT_TRUE(desktop.openbox.ready()) << "openbox did not start";
    Aquarium& wallpaper = desktop.wallpaper;
    Screenshot shot;
    ASSERT_TRUE(waitForWater("covered-x11-before", {LEFT, RIGHT}, shot)) << wallpaper.output();
    // A terminal on each monitor, made full-screen once it is there: a window that asks for full
    // screen as it maps may be put on openbox's first monitor whatever place it asks for.
    const std::vector<std::string> terminals{startProgram("xterm -geometry 80x24+100+100"),
                                             startProgram("xterm -geometry 80x24+1400+100")};
    for (const std::string& pid : terminals) {
        const std::string window = windowOf(pid);
        ASSERT_FALSE(window.empty());
        makeFullScreen(window);
    }
    // The window manager makes them full-screen in its own time on a loaded machine.
    const auto covered = [&shot] {
        return shot.width > 0 && meanBrightness(shot, LEFT) > 200.0 && meanBrightness(shot, RIGHT) > 200.0;
    };
    const auto start = Clock::now();
    do {
        sleepSeconds(0.3);
        shot = screenshot("covered-x11");
    } while (!covered() && secondsSince(start) < 15.0);
    ASSERT_TRUE(covered()) << "covered by the terminals: " << meanBrightness(shot, LEFT) << ", "
                           << meanBrightness(shot, RIGHT);
    sleepSeconds(0.5);

    const double before = processTreeCpuSeconds(wallpaper.pid());
    sleepSeconds(10.0);
    const double used = processTreeCpuSeconds(wallpaper.pid()) - before;
    EXPECT_LE(used, 0.10) << "at most 1 % of a core over 10 s while covered";
    RecordProperty("covered_cpu_seconds_in_10s", std::to_string(used));

    for (const std::string& pid : terminals) run("kill " + pid);
    EXPECT_TRUE(drawsWithin(wallpaper.pid(), 1.0)) << "frames resume within a second";
    EXPECT_TRUE(waitForWater("uncovered-x11", {LEFT, RIGHT}, shot, 5.0));
}
