// The toolbar's background: a strip of deep water lit from above, with light playing on it, a
// glassy sheen over its upper half and, past the title at its right end, swaying weed and rising
// bubbles. Painted for the strip's 948 x 26 dialog units at two pixels a unit; the toolbar scales
// it to its size on the screen.

#include <cmath>
#include <vector>

#include "asset_registry.h"
#include "ui/ui_picture_ids.h"
#include "vector_paint.h"

namespace veltamar::assetgen {

namespace {

constexpr int WIDTH = TOOLBAR_BACKGROUND_WIDTH;
constexpr int HEIGHT = TOOLBAR_BACKGROUND_HEIGHT;
// Where the title and the link end (727 units); the decoration keeps to the right of it.
constexpr double DECORATION_START = 1480.0;

Colour water(double y) {
    const Colour surface = fromBytes(44, 122, 176), middle = fromBytes(14, 62, 112),
                 floor = fromBytes(5, 24, 54);
    const double t = y / HEIGHT;
    return t < 0.5 ? mix(surface, middle, t / 0.5) : mix(middle, floor, (t - 0.5) / 0.5);
}

// Bright, thin, wandering lines where the surface focuses the light.
double caustic(double x, double y) {
    const double n = fractalNoise(x / 64.0, y / 16.0, 3, 0x5eaf00d);
    const double line = std::pow(1.0 - std::min(1.0, std::abs(n) * 2.2), 6.0);
    return line * (1.0 - 0.8 * y / HEIGHT);
}

// One strand of weed growing from the bottom edge, swaying as it rises.
Distance weed(double foot, double height, double sway, double phase) {
    std::vector<Point2> points;
    constexpr int STEPS = 9;
    for (int i = 0; i <= STEPS; ++i) {
        const double t = static_cast<double>(i) / STEPS;
        points.push_back({foot + sway * std::sin(phase + t * 3.4) * t, HEIGHT + 2.0 - height * t});
    }
    Distance strand = segment(points[0], points[1], 4.4);
    for (int i = 1; i < STEPS; ++i) {
        const double halfWidth = 4.4 * (1.0 - 0.7 * (i + 1.0) / STEPS);
        strand = unite(strand, segment(points[i], points[i + 1], halfWidth));
    }
    return strand;
}

RgbaImage paintToolbarBackground() {
    RgbaImage image(WIDTH, HEIGHT);
    const Colour light = fromBytes(170, 235, 255);
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            Colour c = mix(water(py), light, 0.28 * caustic(px, py));
            // Soft, slow changes of depth along the strip.
            c = scaled(c, 1.0 + 0.08 * fractalNoise(px / 260.0, py / 90.0, 2, 0xdee9));
            // The sheen: a faint lightening of the upper half that ends in a soft edge.
            c = mix(c, Colour{1, 1, 1}, 0.10 * (1.0 - smoothstep(18.0, 27.0, py)));
            const Rgb rgb = toRgb(c);
            image.at(x, y) = {rgb.r, rgb.g, rgb.b, 255};
        }
    }

    AssetRandom random(0x70013a2);
    for (int i = 0; i < 9; ++i) {
        const double foot = DECORATION_START + 40.0 + i * 44.0 + random.range(-12.0, 12.0);
        const double height = random.range(26.0, 48.0);
        const Colour green = mix(fromBytes(18, 96, 74), fromBytes(40, 130, 70), random.uniform());
        fill(
            image, weed(foot, height, random.range(5.0, 10.0), random.range(0.0, 6.0)),
            [=](double, double y) {
                return mix(scaled(green, 1.35), scaled(green, 0.55), clamp01(y / HEIGHT));
            },
            0.85);
    }
    for (int i = 0; i < 14; ++i) {
        const Point2 c{DECORATION_START + random.range(20.0, WIDTH - DECORATION_START - 12.0),
                       random.range(6.0, 44.0)};
        const double r = random.range(1.6, 4.0);
        fill(image, subtract(circle(c, r), circle(c, r - 0.9)), fromBytes(210, 245, 255), 0.7);
        fill(image, circle({c.x - r * 0.35, c.y - r * 0.35}, r * 0.28), Colour{1, 1, 1}, 0.9);
    }

    // A light line along the top edge and a dark one along the bottom.
    for (int x = 0; x < WIDTH; ++x) {
        image.at(x, 0) = {150, 212, 242, 255};
        image.at(x, HEIGHT - 1) = {2, 12, 28, 255};
    }
    return image;
}

}  // namespace

VELTAMAR_ASSET(uiPicture(TOOLBAR_BACKGROUND_PICTURE, "toolbar-background", paintToolbarBackground));

}  // namespace veltamar::assetgen
