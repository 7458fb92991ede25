#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How a drawing process finds the output it draws on. The program that watches the outputs and the
// process it starts for one of them each have a connection of their own to the display. An X11
// monitor has a name both look up. A Wayland output is the compositor's global of that number,
// which is the same for every client: the drawing process finds it among the outputs its own
// connection lists. (GTK gives a Wayland client neither output names nor a reliable place in the
// layout: after a mode change it reports an output at 0,0 that a new client sees elsewhere.)

namespace veltamar {

struct OutputLocator {
    enum class System { Wayland, X11 };
    System system = System::Wayland;
    std::uint32_t waylandGlobal = 0;  // Wayland: the output's global
    std::string monitorName;          // X11: the RandR monitor's name
};

// The form a locator is passed in (an environment variable of the drawing process):
// "wayland:GLOBAL" or "x11:NAME".
std::string formatLocator(const OutputLocator& locator);
std::optional<OutputLocator> parseLocator(std::string_view text);

}  // namespace veltamar
