// Pictures of the command surfaces: the popup menu's two icons (24 x 24) and the tool palette's
// eight buttons (32 x 32). Each shows what its command does; all are drawn with a dark outline so
// that they read on the light menu and on the palette's deep blue alike.

#include <array>
#include <cmath>
#include <vector>

#include "asset_registry.h"
#include "ui/ui_picture_ids.h"
#include "vector_paint.h"

namespace veltamar::assetgen {

namespace {

constexpr int MENU_ICON_SIZE = 24;

const Colour OUTLINE = fromBytes(16, 24, 40);
const Colour WHITE{1, 1, 1};

Colour vertical(Colour top, Colour bottom, double y, double y0, double y1) {
    return mix(top, bottom, clamp01((y - y0) / (y1 - y0)));
}

// A shape with a dark rim of the given width around it.
void outlined(RgbaImage& image, const Distance& shape, const Shader& shader, double rim = 1.0) {
    fill(image, grown(shape, rim), OUTLINE);
    fill(image, shape, shader);
}
void outlined(RgbaImage& image, const Distance& shape, Colour colour, double rim = 1.0) {
    outlined(
        image, shape, [colour](double, double) { return colour; }, rim);
}

// A rectangle of the given half-width laid along the segment from a to b.
Distance band(Point2 a, Point2 b, double halfWidth) {
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    const double nx = -(b.y - a.y) / length * halfWidth, ny = (b.x - a.x) / length * halfWidth;
    return polygon({{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}});
}

// An orange fish facing right; k scales a fish drawn for a 24-pixel picture.
void paintFish(RgbaImage& image, double k, Point2 offset) {
    auto at = [&](double x, double y) { return Point2{offset.x + x * k, offset.y + y * k}; };
    const Colour orange = fromBytes(255, 150, 30), deep = fromBytes(214, 72, 12);
    const double top = offset.y + 7.5 * k, bottom = offset.y + 16.5 * k;
    auto shade = [=](double, double y) { return vertical(orange, deep, y, top, bottom); };
    const Distance tail = polygon({at(1.0, 7.0), at(6.0, 12.0), at(1.0, 17.0), at(3.0, 12.0)});
    const Distance fin = polygon({at(8.0, 8.8), at(10.5, 5.8), at(13.5, 8.6)});
    const Distance body = ellipse(at(10.0, 12.0), 6.5 * k, 4.2 * k);
    fill(image, grown(unite(unite(tail, fin), body), 0.9), OUTLINE);
    fill(image, tail, shade);
    fill(image, fin, shade);
    fill(image, body, shade);
    fill(image, ellipse(at(9.6, 10.6), 4.0 * k, 1.2 * k), fromBytes(255, 230, 190), 0.55);
    fill(image, circle(at(13.6, 11.0), 1.35 * k), WHITE);
    fill(image, circle(at(14.0, 11.0), 0.75 * k), OUTLINE);
}

// A round badge with a plus (adding) or a minus (taking away).
void paintBadge(RgbaImage& image, Point2 centre, double radius, bool plus) {
    const Colour face = plus ? fromBytes(40, 190, 70) : fromBytes(220, 50, 45);
    const Colour lower = plus ? fromBytes(10, 120, 40) : fromBytes(150, 20, 20);
    fill(image, circle(centre, radius + 1.0), WHITE);
    outlined(
        image, circle(centre, radius),
        [=](double, double y) { return vertical(face, lower, y, centre.y - radius, centre.y + radius); },
        0.8);
    const double arm = radius * 0.55, thick = std::max(0.75, radius * 0.17);
    fill(image, segment({centre.x - arm, centre.y}, {centre.x + arm, centre.y}, thick), WHITE);
    if (plus) fill(image, segment({centre.x, centre.y - arm}, {centre.x, centre.y + arm}, thick), WHITE);
}

// Adding and deleting fish: a fish with a plus and a minus badge.
RgbaImage paintFishCount(int size) {
    RgbaImage image(size, size);
    const double k = size / 24.0;
    paintFish(image, k, {-0.5 * k, 0.5 * k});
    const double r = 4.2 * k;
    paintBadge(image, {size - r - 1.2 * k, r + 1.2 * k}, r, true);
    paintBadge(image, {size - r - 1.2 * k, size - r - 1.2 * k}, r, false);
    return image;
}

RgbaImage paintMenuFishIcon() {
    return paintFishCount(MENU_ICON_SIZE);
}

// Leaving: an open door and a green arrow pointing out through it.
RgbaImage paintMenuExitIcon() {
    RgbaImage image(MENU_ICON_SIZE, MENU_ICON_SIZE);
    const Distance frame = roundedRect(3.5, 1.5, 14.5, 22.5, 1.0);
    fill(image, grown(frame, 0.8), OUTLINE);
    fill(image, frame, fromBytes(150, 156, 166));
    fill(image, roundedRect(5.0, 3.0, 13.0, 22.5, 0.5), fromBytes(22, 30, 52));
    const Distance door = polygon({{5.0, 3.0}, {10.0, 5.0}, {10.0, 23.0}, {5.0, 22.5}});
    outlined(
        image, door,
        [](double x, double) {
            return mix(fromBytes(196, 128, 64), fromBytes(132, 74, 30), clamp01((x - 5) / 5));
        },
        0.6);
    fill(image, circle({8.8, 13.5}, 0.9), fromBytes(255, 214, 90));

    const Colour green = fromBytes(70, 220, 80), darkGreen = fromBytes(20, 140, 40);
    const Distance arrow =
        unite(segment({11.5, 12.0}, {18.0, 12.0}, 1.7), polygon({{16.5, 6.5}, {23.0, 12.0}, {16.5, 17.5}}));
    outlined(
        image, arrow, [=](double, double y) { return vertical(green, darkGreen, y, 7.0, 17.0); }, 0.9);
    return image;
}

// Feeding: a tilted food shaker with pellets falling from its open end.
RgbaImage paintFeed() {
    RgbaImage image(PALETTE_PICTURE_SIZE, PALETTE_PICTURE_SIZE);
    const Point2 base{5.0, 5.0}, lid{19.0, 17.0};
    const Colour yellow = fromBytes(255, 214, 60), amber = fromBytes(220, 150, 20);
    const Distance can = grown(band(base, lid, 5.0), 0.8);
    outlined(image, can,
             [=](double x, double y) { return mix(yellow, amber, clamp01((y - x + 6.0) / 12.0)); });
    // A fish on the label and the red cap at the open end.
    fill(image, ellipse({11.5, 11.0}, 2.8, 1.7), fromBytes(255, 120, 40));
    fill(image, polygon({{8.3, 9.0}, {9.6, 11.0}, {8.3, 13.0}}), fromBytes(255, 120, 40));
    const double length = std::hypot(lid.x - base.x, lid.y - base.y);
    const Point2 capStart{lid.x - 2.6 * (lid.x - base.x) / length, lid.y - 2.6 * (lid.y - base.y) / length};
    fill(image, grown(band(capStart, lid, 5.0), 0.8), fromBytes(220, 40, 40));
    // The pellets are named plainly rather than bound as a structured binding: clang before 16
    // cannot capture structured bindings in a lambda.
    for (const auto& pellet : {std::array{23.0, 22.0, 1.9}, std::array{19.5, 25.5, 1.7},
                               std::array{25.5, 27.0, 1.6}, std::array{21.5, 29.8, 1.4}}) {
        const double x = pellet[0], y = pellet[1], r = pellet[2];
        outlined(
            image, circle({x, y}, r),
            [=](double px, double py) {
                return mix(fromBytes(240, 160, 80), fromBytes(150, 80, 30),
                           clamp01((px - x + py - y) / (2 * r) + 0.5));
            },
            0.8);
    }
    return image;
}

// Touching: a finger tip coming down on a fish, with lines where it startles.
RgbaImage paintTouch() {
    RgbaImage image(PALETTE_PICTURE_SIZE, PALETTE_PICTURE_SIZE);
    paintFish(image, 1.0, {1.0, 9.0});
    const Colour skin = fromBytes(255, 208, 168), shadow = fromBytes(214, 150, 112);
    const Distance finger = segment({28.5, 1.0}, {18.0, 15.5}, 3.4);
    outlined(image, finger, [=](double x, double) { return mix(skin, shadow, clamp01((x - 16.0) / 14.0)); });
    fill(image, ellipse({19.6, 14.0}, 1.7, 1.2), fromBytes(255, 236, 226));
    for (auto [x0, y0, x1, y1] : {std::array{13.0, 12.5, 10.5, 9.5}, std::array{15.0, 9.5, 14.0, 6.0},
                                  std::array{22.5, 19.5, 26.0, 21.5}}) {
        fill(image, segment({x0, y0}, {x1, y1}, 1.4), OUTLINE);
        fill(image, segment({x0, y0}, {x1, y1}, 0.7), WHITE);
    }
    return image;
}

RgbaImage paintFishDialog() {
    return paintFishCount(PALETTE_PICTURE_SIZE);
}

// The spare tool does nothing of its own: the plain arrow pointer.
RgbaImage paintSpare() {
    RgbaImage image(PALETTE_PICTURE_SIZE, PALETTE_PICTURE_SIZE);
    const Distance arrow = polygon(
        {{10.0, 3.5}, {10.0, 25.5}, {15.0, 20.5}, {18.8, 28.5}, {22.2, 27.0}, {18.4, 19.2}, {25.2, 19.2}});
    outlined(
        image, arrow,
        [](double x, double y) { return mix(WHITE, fromBytes(200, 210, 224), clamp01((x + y - 14) / 30)); },
        1.2);
    return image;
}

// Ripples: a drop falling into water and the rings it spreads.
RgbaImage paintRipple() {
    RgbaImage image(PALETTE_PICTURE_SIZE, PALETTE_PICTURE_SIZE);
    const Point2 centre{16.0, 22.0};
    const Colour light = fromBytes(200, 245, 255), deep = fromBytes(60, 170, 230);
    for (int i = 2; i >= 0; --i) {
        const double rx = 4.5 + i * 5.0, ry = 1.8 + i * 1.9;
        const Distance ring =
            subtract(ellipse(centre, rx + 0.9, ry + 0.9), ellipse(centre, rx - 0.9, ry - 0.9));
        fill(image, grown(ring, 0.8), OUTLINE, 0.9);
        fill(image, ring, mix(light, deep, i / 2.0));
    }
    const Distance drop = unite(circle({16.0, 10.5}, 3.2), polygon({{13.4, 9.0}, {16.0, 2.0}, {18.6, 9.0}}));
    outlined(image, drop, [=](double x, double) { return mix(light, deep, clamp01((x - 13.0) / 7.0)); });
    fill(image, ellipse({14.9, 9.8}, 0.9, 1.5), WHITE, 0.9);
    return image;
}

// The aquarium settings: a steel gear.
RgbaImage paintSettingsDialog() {
    RgbaImage image(PALETTE_PICTURE_SIZE, PALETTE_PICTURE_SIZE);
    const Point2 hub{16.0, 16.0};
    const Distance outline = [=](double x, double y) {
        const double dx = x - hub.x, dy = y - hub.y;
        const double tooth = smoothstep(-0.3, 0.3, std::cos(8.0 * std::atan2(dy, dx)));
        return std::hypot(dx, dy) - (10.0 + 3.6 * tooth);
    };
    const Distance gear = subtract(outline, circle(hub, 4.2));
    outlined(image, gear, [](double x, double y) {
        return mix(fromBytes(240, 244, 248), fromBytes(110, 120, 136), clamp01((x + y - 10.0) / 26.0));
    });
    fill(image, subtract(circle(hub, 7.4), circle(hub, 5.6)), fromBytes(90, 100, 116), 0.7);
    return image;
}

// The swirl: a spinning cone of wire rings narrowing to its point.
RgbaImage paintSwirl() {
    RgbaImage image(PALETTE_PICTURE_SIZE, PALETTE_PICTURE_SIZE);
    const Colour top = fromBytes(230, 250, 255), bottom = fromBytes(40, 150, 255);
    for (int i = 0; i < 5; ++i) {
        const Point2 c{16.0 + (i % 2 == 0 ? -0.8 : 0.8), 5.5 + i * 4.6};
        const double rx = 13.0 - i * 2.6, ry = 3.0 - i * 0.42;
        const Distance ring = subtract(ellipse(c, rx + 0.85, ry + 0.85), ellipse(c, rx - 0.85, ry - 0.85));
        fill(image, grown(ring, 0.8), OUTLINE, 0.9);
        fill(image, ring, mix(top, bottom, i / 4.0));
    }
    outlined(image, circle({16.0, 28.5}, 1.8), bottom, 0.8);
    // The arrow of the turn at the widest ring.
    outlined(image, polygon({{24.5, 2.0}, {30.0, 5.5}, {24.5, 9.0}}), top, 0.8);
    return image;
}

// Pointing: a sight ring with a red dot where the click lands.
RgbaImage paintPoint() {
    RgbaImage image(PALETTE_PICTURE_SIZE, PALETTE_PICTURE_SIZE);
    const Point2 c{16.0, 16.0};
    const Distance ring = subtract(circle(c, 10.5), circle(c, 8.3));
    Distance sight = ring;
    for (auto [x0, y0, x1, y1] : {std::array{16.0, 1.5, 16.0, 8.0}, std::array{16.0, 24.0, 16.0, 30.5},
                                  std::array{1.5, 16.0, 8.0, 16.0}, std::array{24.0, 16.0, 30.5, 16.0}})
        sight = unite(sight, segment({x0, y0}, {x1, y1}, 1.1));
    outlined(image, sight, WHITE);
    outlined(image, circle(c, 2.8), fromBytes(255, 60, 50));
    fill(image, circle({15.2, 15.2}, 0.9), WHITE, 0.8);
    return image;
}

}  // namespace

VELTAMAR_ASSET(uiPicture(MENU_ICON_EXIT, "icon175", paintMenuExitIcon));
VELTAMAR_ASSET(uiPicture(MENU_ICON_FISH, "icon180", paintMenuFishIcon));
VELTAMAR_ASSET(uiPicture(PALETTE_PICTURE_FEED, "palette-feed", paintFeed));
VELTAMAR_ASSET(uiPicture(PALETTE_PICTURE_TOUCH, "palette-touch", paintTouch));
VELTAMAR_ASSET(uiPicture(PALETTE_PICTURE_FISH_DIALOG, "palette-fish-dialog", paintFishDialog));
VELTAMAR_ASSET(uiPicture(PALETTE_PICTURE_SPARE, "palette-spare", paintSpare));
VELTAMAR_ASSET(uiPicture(PALETTE_PICTURE_RIPPLE, "palette-ripple", paintRipple));
VELTAMAR_ASSET(uiPicture(PALETTE_PICTURE_SETTINGS_DIALOG, "palette-settings", paintSettingsDialog));
VELTAMAR_ASSET(uiPicture(PALETTE_PICTURE_SWIRL, "palette-swirl", paintSwirl));
VELTAMAR_ASSET(uiPicture(PALETTE_PICTURE_POINT, "palette-point", paintPoint));

}  // namespace veltamar::assetgen
