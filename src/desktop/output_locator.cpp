#include "desktop/output_locator.h"

#include <charconv>

namespace veltamar {

namespace {

constexpr std::string_view WAYLAND_PREFIX = "wayland:";
constexpr std::string_view X11_PREFIX = "x11:";

}  // namespace

std::string formatLocator(const OutputLocator& locator) {
    if (locator.system == OutputLocator::System::X11) return std::string(X11_PREFIX) + locator.monitorName;
    return std::string(WAYLAND_PREFIX) + std::to_string(locator.waylandGlobal);
}

std::optional<OutputLocator> parseLocator(std::string_view text) {
    OutputLocator locator;
    if (text.substr(0, X11_PREFIX.size()) == X11_PREFIX) {
        locator.system = OutputLocator::System::X11;
        locator.monitorName = std::string(text.substr(X11_PREFIX.size()));
        if (locator.monitorName.empty()) return std::nullopt;
        return locator;
    }
    if (text.substr(0, WAYLAND_PREFIX.size()) != WAYLAND_PREFIX) return std::nullopt;
    text.remove_prefix(WAYLAND_PREFIX.size());
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, locator.waylandGlobal);
    if (text.empty() || error != std::errc() || stop != end || locator.waylandGlobal == 0)
        return std::nullopt;
    return locator;
}

}  // namespace veltamar
