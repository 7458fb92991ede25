#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "harness.h"

// A Wayland session: weston's headless compositor with its X11 compatibility server (Xwayland).
// The aquarium must run through the X11 server, where it can place its palette, toolbar and popup
// at screen positions.

using namespace veltamar::e2e;
namespace fs = std::filesystem;

namespace {

class WestonSession {
  public:
    WestonSession() : runtime(fs::temp_directory_path() / ("veltamar-weston-" + std::to_string(getpid()))) {
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
        socket = "wayland-veltamar-" + std::to_string(getpid());
        const std::string log = (runtime / "weston.log").string();
        pid = fork();
        if (pid == 0) {
            setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
            unsetenv("WAYLAND_DISPLAY");
            const std::string socketOption = "--socket=" + socket;
            freopen(log.c_str(), "w", stdout);
            freopen(log.c_str(), "w", stderr);
            execlp("weston", "weston", "--backend=headless-backend.so", "--xwayland", socketOption.c_str(),
                   "--width=1024", "--height=768", "--idle-time=0", static_cast<char*>(nullptr));
            _exit(127);
        }
        // weston names the X11 display it listens on.
        for (int tries = 0; tries < 100 && xDisplay.empty(); ++tries) {
            sleepSeconds(0.1);
            std::ifstream in(log);
            const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            std::smatch match;
            if (std::regex_search(text, match, std::regex("xserver listening on display (:[0-9]+)")))
                xDisplay = match[1];
        }
    }
    ~WestonSession() {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        std::error_code ignored;
        fs::remove_all(runtime, ignored);
    }
    fs::path runtime;
    std::string socket;
    std::string xDisplay;
    pid_t pid = -1;
};

}  // namespace

TEST(WaylandSession, TheAquariumRunsThroughTheX11ServerOverTheWholeOutput) {
    WestonSession session;
    ASSERT_FALSE(session.xDisplay.empty()) << "weston with Xwayland did not start";
    const std::string previous = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    setenv("DISPLAY", session.xDisplay.c_str(), 1);  // as a Wayland session sets it for X11 programs
    {
        TempHome home;
        Aquarium aquarium(home, LaunchOptions{{"XDG_RUNTIME_DIR=" + session.runtime.string(),
                                               "WAYLAND_DISPLAY=" + session.socket},
                                              false});
        // The window appears on the X11 server only if the program went through it.
        EXPECT_TRUE(aquarium.waitForWindow(60));
        const auto window = mainWindow();
        ASSERT_TRUE(window);
        const auto g = windowGeometry(*window);
        ASSERT_TRUE(g);
        EXPECT_EQ(g->width, 1024);
        EXPECT_EQ(g->height, 768);
        // The X11 server of a Wayland session keeps no picture of its root window; the window's own
        // shows the aquarium.
        const std::string path = artifactDirectory() + "/wayland-session.png";
        sleepSeconds(2.0);
        run("import -window " + *window + " png:'" + path + "' 2>/dev/null");
        const CommandResult bottom =
            run("convert '" + path + "' -crop 1024x100+0+668 -format '%[fx:mean]' info:");
        EXPECT_GT(std::atof(bottom.output.c_str()), 0.1) << "the backdrop picture shows at the bottom";
        aquarium.terminate();
    }
    setenv("DISPLAY", previous.c_str(), 1);
}
