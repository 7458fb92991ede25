#include "aquarium_driver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "scene_pixels.h"

namespace veltamar::e2e {

void mouseTo(int x, int y) {
    run("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y));
}

void clickAt(int x, int y, int button) {
    run("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click " +
        std::to_string(button));
}

int feedClicksShowingAPellet(const Screenshot& unfed, const std::vector<int>& xs, int y, int scale,
                             const std::string& shotName) {
    int shown = 0;
    for (int x : xs) {
        clickAt(x, y);
        const Box own{x - 30 * scale, y - 30 * scale, x + 30 * scale, y + 70 * scale};
        int pixels = 0;
        // Fish often take a pellet within half a second: the first look is as soon as the pick
        // has had a few frames to drop it.
        for (int look = 0; look < 4 && pixels == 0; ++look) {
            sleepSeconds(look == 0 ? 0.05 : 0.1);
            pixels = newPelletPixels(unfed, screenshot(shotName), own);
        }
        std::printf("feed click at (%d, %d): %d new pellet pixels under it\n", x, y, pixels);
        shown += pixels > 0 ? 1 : 0;
    }
    return shown;
}

std::optional<Geometry> popupOfSize(int width, int height) {
    for (const Geometry& g : popupWindows())
        if (g.width == width && g.height == height) return g;
    return std::nullopt;
}

std::optional<Geometry> waitForPopup(int width, int height, int y, double seconds) {
    for (double waited = 0; waited < seconds; waited += 0.1) {
        const auto popup = popupOfSize(width, height);
        if (popup && (y < 0 || popup->y == y)) return popup;
        sleepSeconds(0.1);
    }
    return std::nullopt;
}

bool revealToolbar() {
    mouseTo(500, 0);
    const bool shown = waitForPopup(TOOLBAR_WIDTH, TOOLBAR_HEIGHT, 0, 10.0).has_value();
    sleepSeconds(0.2);
    return shown;
}

void clickToolbarButton(ToolbarButton button) {
    revealToolbar();
    clickAt(button, 19);
    sleepSeconds(0.5);
}

void choosePaletteButton(int x, int y, PaletteButton button) {
    clickAt(x, y, 2);
    waitForPopup(PALETTE_WIDTH, PALETTE_HEIGHT, -1, 10.0);
    sleepSeconds(0.2);
    clickAt(x + button, y + 20);
    sleepSeconds(0.4);
}

void wander(int fromX, int fromY, int toX, int toY, double seconds) {
    const int steps = std::max(1, static_cast<int>(seconds * 20));
    for (int i = 1; i <= steps; ++i) {
        mouseTo(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
        sleepSeconds(seconds / steps * 0.6);  // the command itself takes the rest
    }
}

void dragAcross(int fromX, int fromY, int toX, int toY, double seconds) {
    mouseTo(fromX, fromY);
    run("xdotool mousedown 1");
    wander(fromX, fromY, toX, toY, seconds);
    run("xdotool mouseup 1");
}

}  // namespace veltamar::e2e
