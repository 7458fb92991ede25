#include "app/display_backend.h"

#include <cstdlib>

namespace veltamar {

std::optional<std::string> gtkBackendToRequest(const char* waylandDisplay, const char* gdkBackend) {
    if (gdkBackend != nullptr) return std::nullopt;
    if (waylandDisplay == nullptr || *waylandDisplay == '\0') return std::nullopt;
    return "x11";
}

void requestX11BackendOnWayland() {
    if (const auto backend = gtkBackendToRequest(std::getenv("WAYLAND_DISPLAY"), std::getenv("GDK_BACKEND")))
        setenv("GDK_BACKEND", backend->c_str(), 0);
}

}  // namespace veltamar
