#pragma once

#include <sys/types.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Runs the real aquarium in a real window on its own Xvfb server, drives it with xdotool as a
// person would and looks at the screen with ImageMagick.

namespace veltamar::e2e {

// Output of a shell command (stdout), with its exit status.
struct CommandResult {
    int status;
    std::string output;
};
CommandResult run(const std::string& command);

// An Xvfb server on a free display; DISPLAY points at it while the object lives.
class XServer {
  public:
    XServer(int width = 1024, int height = 768);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    const std::string& display() const { return name; }

  private:
    pid_t pid = -1;
    std::string name;
    std::string previousDisplay;  // given back when the server goes
};

// A fresh directory that stands in for the user's home, and one for the session's runtime folder
// (XDG_RUNTIME_DIR, where the aquarium keeps its single-instance locks); removed with everything in
// them.
class TempHome {
  public:
    TempHome();
    ~TempHome();
    const std::string& path() const { return dir; }
    const std::string& runtimeDirectory() const { return runtime; }
    std::string configDirectory() const { return dir + "/.config/VeltamarScr"; }
    std::string settingsFile() const { return configDirectory() + "/OrvessaSet.ini"; }

  private:
    std::string dir;
    std::string runtime;
};

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    std::array<int, 3> at(int x, int y) const;
};

// Grabs the whole screen, keeps it as <artifacts>/<name>.png for people to look at, and returns
// its pixels. A grab that fails fails the test (and gives an empty screenshot).
Screenshot screenshot(const std::string& name);
// The pixels of a picture file (a screenshot taken by another tool).
Screenshot readPicture(const std::string& path);
std::string artifactDirectory();
// Keeps the artifacts (screenshots, the program's output) in `directory` from now on; empty: in the
// build's artifact folder again.
void keepArtifactsIn(const std::string& directory);

struct LaunchOptions {
    std::vector<std::string> environment;  // extra NAME=value entries
    bool recordSwaps = false;              // preload the swap recorder
    // The program's arguments; with any, it runs as the screensaver, which has no main frame for
    // the command injector to deliver to.
    std::vector<std::string> arguments = {};
    // Another build of the program (an unpacked package's), started without this build's preloaded
    // helpers; empty: this build's.
    std::string binary = {};
    // The stand-in for a network share that stops answering, mounted over this folder while the
    // program runs: its files do not open until the answer file exists.
    struct Share {
        std::string folder;
        std::string answerFile;
    };
    std::optional<Share> hangingShare = {};
};

// The mounted stand-in for a share: the folder's files stay where they are, seen through a FUSE
// mount (tests/support/hanging_share.c) over the folder, until the object goes.
class HangingShare {
  public:
    explicit HangingShare(const LaunchOptions::Share& share);
    ~HangingShare();
    HangingShare(const HangingShare&) = delete;
    HangingShare& operator=(const HangingShare&) = delete;

  private:
    std::string folder;
    std::string files;
    pid_t server = -1;
};

// The aquarium process (or the screensaver, given its arguments).
class Aquarium {
  public:
    explicit Aquarium(const TempHome& home, LaunchOptions options = {});
    ~Aquarium();

    pid_t pid() const { return child; }
    // Waits until the main window exists and has drawn (or the time is up).
    bool waitForWindow(double seconds = 20.0);
    // Waits for the process to end; gives its exit code, or nothing when it still runs.
    std::optional<int> waitForExit(double seconds);
    bool running();
    void terminate();
    // Sends a signal to the process.
    void signal(int number);
    // Times (ms) of the swaps recorded so far; only after the process has ended.
    std::vector<double> swapTimes() const;
    // Delivers a command to the main frame as a menu or toolbar does (within about 0.1 s).
    void sendCommand(int id);
    // Resident memory now, and the most it has been since the last resetPeakMemory(), in KiB.
    long residentKb() const;
    long peakResidentKb() const;
    void resetPeakMemory();
    int threadCount() const;
    // Threads of the program with this name.
    int threadsNamed(const std::string& name) const;
    // What the program has written to its standard output and error streams so far.
    std::string output() const;

  private:
    pid_t child = -1;
    std::string logFile;
    std::optional<int> exitCode;
    std::string swapFile;
    std::string commandFile;
    std::unique_ptr<HangingShare> share;
};

// Window ids with exactly this title.
std::vector<std::string> windowsNamed(const std::string& title);

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};
std::optional<Geometry> windowGeometry(const std::string& windowId);

// The aquarium's main window: the largest window titled "VeltamarScr" (its message boxes have the
// same title).
std::optional<std::string> mainWindow();
// Small windows titled "VeltamarScr": the program's message boxes.
std::vector<std::string> messageBoxes();
// Presses keys in the aquarium's main window, which first gets the keyboard: the test server has
// no window manager to give it back when a dialog or message box has gone.
void pressKeysInAquarium(const std::string& keys);
// Visible override-redirect windows (popup menus, palettes, toolbars) on top of the root window,
// other than the aquarium's own frame.
std::vector<Geometry> popupWindows();

void sleepSeconds(double seconds);
// Milliseconds on the clock the swap recorder stamps with (CLOCK_MONOTONIC).
double monotonicMs();

}  // namespace veltamar::e2e
