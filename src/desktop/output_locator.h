#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How a drawing process finds the output it draws on. The program that watches the outputs and the
// process it starts for one of them each have a connection of their own to the display, and the
// two do not share names for outputs: an X11 monitor has a name both can look up, but GTK gives a
// Wayland client no output names, only each monitor's place in the desktop's layout (in logical
// pixels) and the order the outputs were announced in. So a Wayland output is found again by its
// top-left corner, and among outputs that share one (mirrors) by its rank among them.

namespace veltamar {

struct OutputLocator {
    enum class System { Wayland, X11 };
    System system = System::Wayland;
    int x = 0;  // Wayland: the output's top-left corner in the layout
    int y = 0;
    int rank = 0;             // Wayland: among outputs at the same corner, in the display's order
    std::string monitorName;  // X11: the RandR monitor's name
};

// The form a locator is passed in (an environment variable of the drawing process):
// "wayland:X,Y#RANK" or "x11:NAME".
std::string formatLocator(const OutputLocator& locator);
std::optional<OutputLocator> parseLocator(std::string_view text);

// A Wayland output's top-left corner in the layout.
struct OutputCorner {
    int x = 0;
    int y = 0;
};

// The locators of outputs listed in the display's order.
std::vector<OutputLocator> waylandLocators(const std::vector<OutputCorner>& corners);
// Which of the outputs (in the display's order) the locator names; nothing when none is there.
std::optional<std::size_t> findWaylandOutput(const std::vector<OutputCorner>& corners,
                                             const OutputLocator& locator);

}  // namespace veltamar
