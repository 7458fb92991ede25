// The built-in bubble picture ("Particle1"): one soft, round, glossy air bubble on black. Bubbles
// are drawn additively, so black adds nothing and the picture is all light: a thin bright rim, a
// faint body that brightens toward the edge, a sharp highlight and a weaker reflection opposite.
//
// The bubble squares are drawn with the picture turned a quarter: the picture's right edge faces
// up on screen and its bottom edge faces left, so the highlight painted at the lower right shows at
// the bubble's upper left, where the light comes from.

#include <cmath>

#include "asset_registry.h"
#include "paint_kit.h"

namespace veltamar::assetgen {

namespace {

constexpr int SIDE = 32;

double gauss(double d, double width) {
    return std::exp(-(d * d) / (width * width));
}

RgbImage paintBubble() {
    const double centre = SIDE / 2.0;
    const double radius = 13.5;
    const Colour rimTint = fromBytes(190, 232, 255);
    const Colour bodyTint = fromBytes(120, 190, 235);
    const Colour highlightTint = fromBytes(255, 255, 255);

    RgbImage image(SIDE, SIDE);
    for (int y = 0; y < SIDE; ++y) {
        for (int x = 0; x < SIDE; ++x) {
            // Four samples per pixel keep the rim smooth.
            Colour sum;
            for (int sy = 0; sy < 2; ++sy) {
                for (int sx = 0; sx < 2; ++sx) {
                    const double dx = x + 0.25 + 0.5 * sx - centre, dy = y + 0.25 + 0.5 * sy - centre;
                    const double r = std::hypot(dx, dy);
                    if (r > radius + 1.2) continue;
                    const double toward = (dx + dy) / std::max(r, 1e-6) * 0.7071;  // +1 toward the light
                    const double rim = gauss(r - radius * 0.94, 1.1) * (0.55 + 0.30 * toward);
                    const double body = r < radius ? 0.10 * std::pow(r / radius, 3.0) + 0.025 : 0.0;
                    const double highlight = gauss(std::hypot(dx - 5.0, dy - 5.0), 2.3) * 0.95 +
                                             gauss(std::hypot(dx - 3.2, dy - 3.2), 5.0) * 0.18;
                    // A thin crescent of reflected light on the far side.
                    const double crescent =
                        gauss(r - radius * 0.78, 1.4) * smoothstep(0.35, 0.95, -toward) * 0.35;
                    Colour c = scaled(rimTint, rim);
                    c = {c.r + bodyTint.r * body + highlightTint.r * highlight + rimTint.r * crescent,
                         c.g + bodyTint.g * body + highlightTint.g * highlight + rimTint.g * crescent,
                         c.b + bodyTint.b * body + highlightTint.b * highlight + rimTint.b * crescent};
                    sum = {sum.r + c.r * 0.25, sum.g + c.g * 0.25, sum.b + c.b * 0.25};
                }
            }
            image.at(x, y) = toRgb(sum);
        }
    }
    return image;
}

}  // namespace

VELTAMAR_ASSET(packedBitmap(166, "Particle1", paintBubble));

}  // namespace veltamar::assetgen
