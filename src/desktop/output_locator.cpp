#include "desktop/output_locator.h"

#include <charconv>

namespace veltamar {

namespace {

constexpr std::string_view WAYLAND_PREFIX = "wayland:";
constexpr std::string_view X11_PREFIX = "x11:";

// Reads a whole decimal number (a sign allowed) off the front of text.
std::optional<int> takeNumber(std::string_view& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

bool takeChar(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

}  // namespace

std::string formatLocator(const OutputLocator& locator) {
    if (locator.system == OutputLocator::System::X11) return std::string(X11_PREFIX) + locator.monitorName;
    return std::string(WAYLAND_PREFIX) + std::to_string(locator.x) + "," + std::to_string(locator.y) + "#" +
           std::to_string(locator.rank);
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
    const auto x = takeNumber(text);
    if (!x || !takeChar(text, ',')) return std::nullopt;
    const auto y = takeNumber(text);
    if (!y || !takeChar(text, '#')) return std::nullopt;
    const auto rank = takeNumber(text);
    if (!rank || *rank < 0 || !text.empty()) return std::nullopt;
    locator.x = *x;
    locator.y = *y;
    locator.rank = *rank;
    return locator;
}

std::vector<OutputLocator> waylandLocators(const std::vector<OutputCorner>& corners) {
    std::vector<OutputLocator> locators;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        OutputLocator locator;
        locator.x = corners[i].x;
        locator.y = corners[i].y;
        for (std::size_t before = 0; before < i; ++before)
            if (corners[before].x == locator.x && corners[before].y == locator.y) ++locator.rank;
        locators.push_back(locator);
    }
    return locators;
}

std::optional<std::size_t> findWaylandOutput(const std::vector<OutputCorner>& corners,
                                             const OutputLocator& locator) {
    if (locator.system != OutputLocator::System::Wayland) return std::nullopt;
    int rank = 0;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        if (corners[i].x != locator.x || corners[i].y != locator.y) continue;
        if (rank++ == locator.rank) return i;
    }
    return std::nullopt;
}

}  // namespace veltamar
