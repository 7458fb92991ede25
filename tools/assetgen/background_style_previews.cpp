// Small previews of the background styles 1 to 3 of the aquarium settings dialog (88 x 56): the
// tank without its backdrop picture, in front of a plain colour (238), a two-colour gradient (156)
// and the cycling colours of the automatic mode (244), with two fish, bubbles and the sand.

#include <array>
#include <cmath>
#include <functional>

#include "asset_registry.h"
#include "fish_skins.h"
#include "paint_kit.h"
#include "vector_paint.h"

namespace veltamar::assetgen {

namespace {

constexpr int WIDTH = 88;
constexpr int HEIGHT = 56;
constexpr double INNER_LEFT = 3.0, INNER_TOP = 3.0, INNER_RIGHT = WIDTH - 3.0, INNER_BOTTOM = HEIGHT - 3.0;

using Background = std::function<Colour(double u, double v)>;  // u across, v down, both 0..1

RgbaImage paintPreview(const Background& background) {
    RgbaImage image(WIDTH, HEIGHT);
    const Distance frame = roundedRect(0.5, 0.5, WIDTH - 0.5, HEIGHT - 0.5, 5.0);
    const Distance glass = roundedRect(INNER_LEFT, INNER_TOP, INNER_RIGHT, INNER_BOTTOM, 3.0);
    fill(image, frame, [](double, double y) {
        return mix(fromBytes(120, 126, 132), fromBytes(40, 44, 50), clamp01(y / HEIGHT));
    });
    fill(image, glass, [&](double x, double y) {
        return background((x - INNER_LEFT) / (INNER_RIGHT - INNER_LEFT),
                          (y - INNER_TOP) / (INNER_BOTTOM - INNER_TOP));
    });
    // The sea floor: a low sandy bank with a darker ripple.
    const Distance sand = [](double x, double y) {
        const double top = HEIGHT - 12.0 + 2.5 * std::sin(x * 0.09 + 0.6) + 1.2 * std::sin(x * 0.27);
        return top - y;
    };
    fill(image, subtract(glass, [&](double x, double y) { return -sand(x, y); }), [](double x, double y) {
        const Colour c = mix(fromBytes(214, 190, 140), fromBytes(150, 126, 90), clamp01((y - 40.0) / 14.0));
        return scaled(c, 0.94 + 0.06 * std::sin(x * 0.8 + y * 0.3));
    });
    paintFishPortrait(image, 4, 30.0, 24.0, 22.0);
    paintFishPortrait(image, 2, 60.0, 30.0, 18.0);
    for (auto [bx, by, r] :
         {std::array{74.0, 12.0, 1.6}, std::array{72.0, 19.0, 1.2}, std::array{75.0, 25.0, 0.9}})
        fill(image, subtract(circle({bx, by}, r), circle({bx, by}, r - 0.6)), Colour{1, 1, 1}, 0.85);
    // The glass catches a little light along its top.
    fill(image, roundedRect(INNER_LEFT + 2.0, INNER_TOP + 1.0, INNER_RIGHT - 2.0, INNER_TOP + 3.0, 1.0),
         Colour{1, 1, 1}, 0.18);
    return image;
}

// Style 1: one fixed colour.
RgbaImage paintFixedStyle() {
    return paintPreview(
        [](double, double v) { return mix(fromBytes(26, 74, 150), fromBytes(18, 56, 120), v); });
}

// Style 2: a two-colour gradient, green at the top down to black.
RgbaImage paintGradientStyle() {
    return paintPreview([](double, double v) { return mix(fromBytes(0, 255, 0), fromBytes(0, 0, 0), v); });
}

// Style 3: the automatic colours, as the backdrop shows them at one moment of their cycle: the
// corner colours of that moment blended across the glass.
RgbaImage paintAutomaticStyle() {
    const double phase = 60.0;
    const double a = phase / 30.0, b = phase * 0.04, c = phase / 17.0;
    auto clamped = [](double r, double g, double bl) { return Colour{clamp01(r), clamp01(g), clamp01(bl)}; };
    const Colour bottom = clamped(1 - std::cos(a), 1 - std::sin(b), 1 - std::cos(c));
    const Colour topRight = clamped(std::sin(a), std::cos(b), std::sin(c));
    const Colour topLeft = clamped(std::sin(a), 1 - std::cos(b), std::sin(c));
    return paintPreview([=](double u, double v) { return mix(mix(topLeft, topRight, u), bottom, v); });
}

}  // namespace

VELTAMAR_ASSET(uiPicture(156, "style_gradient", paintGradientStyle));
VELTAMAR_ASSET(uiPicture(238, "style_fixed", paintFixedStyle));
VELTAMAR_ASSET(uiPicture(244, "style_automatic", paintAutomaticStyle));

}  // namespace veltamar::assetgen
