#include "app_icon.h"

#include <algorithm>
#include <cmath>

#include "vector_paint.h"

namespace veltamar::assetgen {

namespace {

const Colour OUTLINE = fromBytes(16, 24, 40);

// Points inside both shapes.
Distance intersect(Distance a, Distance b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) { return std::max(a(x, y), b(x, y)); };
}

}  // namespace

RgbaImage paintAppIcon(int size) {
    RgbaImage image(size, size);
    const double s = size;
    const auto at = [s](double x, double y) { return Point2{x * s, y * s}; };
    const double rim = std::max(0.8, s / 40.0);

    // The tank: deep water below, light water above, a few rays of light from the surface.
    const double margin = 0.05 * s;
    const Distance tank = roundedRect(margin, margin + 0.02 * s, s - margin, s - margin, 0.16 * s);
    fill(image, grown(tank, rim), OUTLINE);
    fill(image, tank, [s](double, double y) {
        return mix(fromBytes(96, 200, 240), fromBytes(8, 54, 128), clamp01(y / s));
    });
    for (const double x : {0.30, 0.55, 0.80}) {
        const Distance ray =
            polygon({at(x - 0.05, 0.0), at(x + 0.04, 0.0), at(x - 0.12, 1.0), at(x - 0.28, 1.0)});
        fill(image, intersect(tank, ray), Colour{1, 1, 1}, 0.12);
    }

    // Sand along the bottom.
    const Distance sand = intersect(tank, circle(at(0.5, 1.62), 0.78 * s));
    fill(image, sand, [s](double, double y) {
        return mix(fromBytes(238, 212, 148), fromBytes(186, 146, 86), clamp01((y / s - 0.84) / 0.12));
    });

    // The fish, facing left, orange with a lighter belly.
    const Colour orange = fromBytes(255, 148, 28), deep = fromBytes(210, 66, 10);
    const auto shade = [=](double, double y) { return mix(orange, deep, clamp01((y / s - 0.36) / 0.26)); };
    const Distance body = ellipse(at(0.46, 0.50), 0.25 * s, 0.155 * s);
    const Distance tail = polygon({at(0.66, 0.50), at(0.86, 0.33), at(0.81, 0.50), at(0.86, 0.67)});
    const Distance fin = polygon({at(0.36, 0.37), at(0.52, 0.24), at(0.60, 0.38)});
    const Distance fish = unite(unite(body, tail), fin);
    fill(image, grown(fish, rim), OUTLINE);
    fill(image, tail, shade);
    fill(image, fin, shade);
    fill(image, body, shade);
    fill(image, ellipse(at(0.45, 0.56), 0.17 * s, 0.055 * s), fromBytes(255, 222, 170), 0.7);
    fill(image, circle(at(0.31, 0.46), 0.055 * s), Colour{1, 1, 1});
    fill(image, circle(at(0.30, 0.46), 0.028 * s), OUTLINE);

    // Bubbles rising from the fish's mouth.
    for (const auto& [x, y, r] :
         {std::array<double, 3>{0.22, 0.33, 0.045}, {0.27, 0.20, 0.035}, {0.20, 0.11, 0.028}}) {
        const Distance bubble = circle(at(x, y), std::max(r * s, 0.9));
        fill(image, subtract(bubble, grown(bubble, -std::max(0.7, s / 64.0))), Colour{1, 1, 1}, 0.85);
        fill(image, bubble, Colour{1, 1, 1}, 0.18);
    }
    return image;
}

}  // namespace veltamar::assetgen
