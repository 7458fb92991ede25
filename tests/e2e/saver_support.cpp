#include "saver_support.h"

#include <chrono>

namespace veltamar::e2e {

namespace {

bool undrawn(const std::array<int, 3>& c) {
    const int r = static_cast<int>((UNDRAWN_COLOUR >> 16) & 0xff),
              g = static_cast<int>((UNDRAWN_COLOUR >> 8) & 0xff), b = static_cast<int>(UNDRAWN_COLOUR & 0xff);
    return std::abs(c[0] - r) < 8 && std::abs(c[1] - g) < 8 && std::abs(c[2] - b) < 8;
}

bool water(const std::array<int, 3>& c, Light light) {
    if (light == Light::Dark) return c[2] > c[0] + 5 && c[1] > c[0] + 5 && c[2] < 70 && c[1] < 70;
    return c[2] > c[0] + 40 && c[2] > 60;
}

}  // namespace

int undrawnPixels(const Screenshot& shot, const ScreenBox& box) {
    int count = 0;
    for (int y = box.y; y < box.y + box.height; ++y)
        for (int x = box.x; x < box.x + box.width; ++x)
            if (undrawn(shot.at(x, y))) ++count;
    return count;
}

bool waterAcross(const Screenshot& shot, const ScreenBox& box, Light light) {
    constexpr int STRIPS = 12;
    const int top = box.y + box.height * 3 / 10;
    const int bottom = box.y + box.height * 6 / 10;
    for (int strip = 0; strip < STRIPS; ++strip) {
        const int left = box.x + box.width * strip / STRIPS;
        const int right = box.x + box.width * (strip + 1) / STRIPS;
        int wet = 0, all = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x, ++all)
                if (water(shot.at(x, y), light)) ++wet;
        if (all == 0 || wet * 2 < all) return false;
    }
    return true;
}

bool aquariumFills(const Screenshot& shot, const ScreenBox& box) {
    return shot.width > 0 && undrawnPixels(shot, box) == 0 && waterAcross(shot, box);
}

int changedOutside(const Screenshot& before, const Screenshot& after, const ScreenBox& box) {
    int count = 0;
    for (int y = 0; y < after.height; ++y)
        for (int x = 0; x < after.width; ++x)
            if (!box.contains(x, y) && before.at(x, y) != after.at(x, y)) ++count;
    return count;
}

bool waitUntilFilled(const std::string& name, const ScreenBox& box, Screenshot& shot, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    do {
        shot = screenshot(name);
        if (aquariumFills(shot, box)) return true;
        sleepSeconds(0.5);
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

double meanBrightness(const Screenshot& shot, const ScreenBox& box) {
    double sum = 0.0;
    long count = 0;
    for (int y = box.y; y < box.y + box.height; ++y)
        for (int x = box.x; x < box.x + box.width; ++x, ++count)
            for (const int channel : shot.at(x, y)) sum += channel;
    return count > 0 ? sum / (3.0 * static_cast<double>(count)) : 0.0;
}

Screenshot within(const Screenshot& shot, const ScreenBox& box) {
    Screenshot part;
    part.width = box.width;
    part.height = box.height;
    for (int y = box.y; y < box.y + box.height; ++y)
        for (int x = box.x; x < box.x + box.width; ++x)
            for (const int channel : shot.at(x, y)) part.rgb.push_back(static_cast<std::uint8_t>(channel));
    return part;
}

void keepBoxOf(const std::string& name, const ScreenBox& box) {
    const std::string from = artifactDirectory() + "/" + name + ".png";
    const std::string to = artifactDirectory() + "/" + name + "-window.png";
    run("convert '" + from + "' -crop " + std::to_string(box.width) + "x" + std::to_string(box.height) + "+" +
        std::to_string(box.x) + "+" + std::to_string(box.y) + " +repage '" + to + "' 2>/dev/null");
}

}  // namespace veltamar::e2e
