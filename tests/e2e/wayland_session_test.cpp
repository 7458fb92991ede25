#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "compositors.h"
#include "harness.h"

// A Wayland session: weston's headless compositor with its X11 compatibility server (Xwayland).
// The aquarium must run through the X11 server, where it can place its palette, toolbar and popup
// at screen positions.

using namespace veltamar::e2e;

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
