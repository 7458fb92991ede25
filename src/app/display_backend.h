#pragma once

#include <optional>
#include <string>

// The aquarium needs the global pointer position and places its palette, toolbar and popup at
// screen positions, which a Wayland session does not give to its clients: there it runs through
// the session's X11 compatibility server instead. A backend the user chose is left alone.

namespace veltamar {

// The GTK backend to ask for, given WAYLAND_DISPLAY and GDK_BACKEND as found in the environment
// (null when unset): "x11" on a Wayland session where no backend was chosen, otherwise nothing.
std::optional<std::string> gtkBackendToRequest(const char* waylandDisplay, const char* gdkBackend);

// Sets GDK_BACKEND accordingly; to be called before GTK starts.
void requestX11BackendOnWayland();

}  // namespace veltamar
