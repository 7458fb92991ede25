// Pictures of the settings dialogs: the off and on marks of the two-state buttons (a dark and a
// lit green lamp, 16 x 16) and the aquarium settings dialog's icon (32 x 32).

#include <array>
#include <cmath>

#include "asset_registry.h"
#include "vector_paint.h"

namespace veltamar::assetgen {

namespace {

constexpr int MARK_SIZE = 16;
constexpr int ICON_SIZE = 32;

Colour vertical(Colour top, Colour bottom, double y, double y0, double y1) {
    return mix(top, bottom, clamp01((y - y0) / (y1 - y0)));
}

// A round lamp in a dark metal bezel; lit lamps glow from the centre, dark ones only catch a
// little light at their top.
RgbaImage paintLamp(bool lit) {
    RgbaImage image(MARK_SIZE, MARK_SIZE);
    const Point2 centre{8.0, 8.0};
    fill(image, circle(centre, 7.5), [](double, double y) {
        return vertical(fromBytes(120, 124, 128), fromBytes(28, 30, 32), y, 0.5, 15.5);
    });
    fill(image, circle(centre, 6.2), fromBytes(10, 14, 10));

    const Colour core = lit ? fromBytes(205, 255, 205) : fromBytes(58, 78, 58);
    const Colour body = lit ? fromBytes(0, 225, 40) : fromBytes(22, 44, 24);
    const Colour rim = lit ? fromBytes(0, 110, 20) : fromBytes(8, 18, 10);
    fill(image, circle(centre, 5.6), [=](double x, double y) {
        const double r = std::hypot(x - 7.6, y - 8.6) / 5.6;
        return r < 0.45 ? mix(core, body, r / 0.45) : mix(body, rim, clamp01((r - 0.45) / 0.55));
    });
    // The glint of the glass dome.
    fill(image, ellipse({6.4, 5.4}, 2.6, 1.7), Colour{1, 1, 1}, lit ? 0.75 : 0.35);
    return image;
}

RgbaImage paintOffMark() {
    return paintLamp(false);
}
RgbaImage paintOnMark() {
    return paintLamp(true);
}

// A gear with eight teeth and a hole, for the "settings" part of the icon.
Distance gear(Point2 c, double rootRadius, double toothHeight, double holeRadius) {
    const Distance outline = [=](double x, double y) {
        const double dx = x - c.x, dy = y - c.y;
        const double angle = std::atan2(dy, dx);
        const double tooth = smoothstep(-0.25, 0.25, std::cos(8.0 * angle));
        return std::hypot(dx, dy) - (rootRadius + toothHeight * tooth);
    };
    return subtract(outline, circle(c, holeRadius));
}

// The settings dialog's icon: a small tank of blue water with an orange fish and bubbles, and a
// steel gear at its lower right.
RgbaImage paintSettingsIcon() {
    RgbaImage image(ICON_SIZE, ICON_SIZE);
    const Distance tank = roundedRect(1.5, 2.5, 29.5, 28.5, 5.0);
    fill(image, grown(tank, 1.0), fromBytes(12, 40, 92));
    fill(image, tank, [](double, double y) {
        return vertical(fromBytes(96, 200, 250), fromBytes(10, 70, 160), y, 2.5, 28.5);
    });
    // Light falling through the water surface.
    fill(image, roundedRect(3.5, 4.0, 27.5, 7.0, 1.5), Colour{1, 1, 1}, 0.22);
    // Sand.
    fill(image, subtract(tank, roundedRect(0, 0, 32, 24.5, 0)), fromBytes(214, 184, 120));

    const Colour orange = fromBytes(255, 140, 20), deep = fromBytes(210, 70, 10);
    auto fishShade = [=](double, double y) { return vertical(orange, deep, y, 9.5, 20.5); };
    fill(image, polygon({{3.0, 9.5}, {8.5, 15.0}, {3.0, 20.5}, {5.0, 15.0}}), fishShade);
    fill(image, polygon({{11.0, 11.0}, {14.0, 7.5}, {17.5, 10.5}}), fishShade);
    fill(image, ellipse({14.0, 15.0}, 8.0, 5.0), fishShade);
    fill(image, ellipse({13.5, 13.5}, 5.0, 1.6), Colour{1, 0.9, 0.7}, 0.45);
    fill(image, circle({18.3, 13.6}, 1.6), Colour{1, 1, 1});
    fill(image, circle({18.7, 13.6}, 0.9), fromBytes(10, 10, 20));

    for (auto [x, y, r] : {std::array{24.5, 6.5, 1.8}, std::array{22.0, 10.5, 1.2}}) {
        fill(image, subtract(circle({x, y}, r), circle({x, y}, r - 0.7)), Colour{1, 1, 1}, 0.9);
        fill(image, circle({x - r * 0.35, y - r * 0.35}, 0.45), Colour{1, 1, 1});
    }

    const Point2 hub{24.0, 24.0};
    fill(image, grown(gear(hub, 5.2, 1.9, 2.0), 1.0), fromBytes(30, 32, 36));
    fill(image, gear(hub, 5.2, 1.9, 2.0), [](double x, double y) {
        return mix(fromBytes(236, 238, 240), fromBytes(120, 126, 134), clamp01((x + y - 38.0) / 14.0));
    });
    return image;
}

}  // namespace

VELTAMAR_ASSET(uiPicture(138, "icon138", paintSettingsIcon));
VELTAMAR_ASSET(uiPicture(183, "icon183", paintOffMark));
VELTAMAR_ASSET(uiPicture(184, "icon184", paintOnMark));

}  // namespace veltamar::assetgen
