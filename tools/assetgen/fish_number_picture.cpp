// The picture of the fish number dialog (500 x 512): the ten species in five columns and two rows
// of 100 x 90 cells (cell i at left 100 x (i mod 5) + 2, top 90 x (i div 5) + 2), each a small
// pane of water with the fish in it and a light tab in its top-left corner for the count the
// dialog writes there, all over a faded view of the aquarium's sea floor.

#include <array>
#include <cmath>

#include "aquarium_backdrop.h"
#include "asset_registry.h"
#include "fish_skins.h"
#include "paint_kit.h"
#include "picture_compositing.h"
#include "vector_paint.h"

namespace veltamar::assetgen {

namespace {

constexpr int WIDTH = 500;
constexpr int HEIGHT = 512;
constexpr int CELL_WIDTH = 100;
constexpr int CELL_HEIGHT = 90;
constexpr int CELL_MARGIN = 2;
constexpr int SPECIES = 10;
constexpr int FLOOR_TOP = HEIGHT - BACKDROP_HEIGHT * WIDTH / BACKDROP_WIDTH;  // the scaled backdrop's top

const Colour FADE_TOWARD = fromBytes(236, 240, 234);
const Colour DEEP_WATER = fromBytes(22, 86, 128);
const Colour SHALLOW_WATER = fromBytes(70, 150, 186);

// The backdrop shrunk to the picture's width (an average over each source block) and set on the
// bottom edge; its see-through sky and everything above it become open water.
Colour seaFloorAt(const RgbImage& backdrop, int x, int y) {
    const double k = static_cast<double>(BACKDROP_WIDTH) / WIDTH;
    const double sy = (y - FLOOR_TOP) * k;
    const Colour water = mix(SHALLOW_WATER, DEEP_WATER, clamp01(static_cast<double>(y) / HEIGHT));
    if (sy < 0) return water;
    Colour sum;
    int n = 0;
    for (int by = static_cast<int>(sy); by < static_cast<int>(sy + k) && by < BACKDROP_HEIGHT; ++by)
        for (int bx = static_cast<int>(x * k); bx < static_cast<int>((x + 1) * k) && bx < BACKDROP_WIDTH;
             ++bx) {
            const Rgb p = backdrop.at(bx, by);
            const Colour c = (p.r | p.g | p.b) ? fromBytes(p.r, p.g, p.b) : water;
            sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
            ++n;
        }
    if (n == 0) return water;
    return scaled(sum, 1.0 / n);
}

// A pane of water: light from above, a sandy strip at the bottom, a fine pale frame.
RgbaImage paintCell(int species) {
    RgbaImage cell(CELL_WIDTH, CELL_HEIGHT);
    const Distance pane = roundedRect(3.5, 3.5, 96.5, 86.5, 7.0);
    fill(cell, grown(pane, 1.2), fromBytes(250, 252, 246), 0.9);
    fill(cell, pane, [](double x, double y) {
        const double t = clamp01((y - 3.5) / 83.0);
        Colour c = mix(fromBytes(150, 214, 232), fromBytes(40, 120, 168), t);
        // Slanting shafts of light.
        const double shaft = std::pow(std::max(0.0, std::sin((x * 0.9 + y * 0.35) * 0.09)), 6.0);
        c = mix(c, fromBytes(235, 250, 255), 0.18 * shaft * (1.0 - t));
        // Sand along the bottom.
        const double sandLine = 78.0 + 2.0 * std::sin(x * 0.11 + 1.3);
        if (y > sandLine) c = mix(c, fromBytes(222, 204, 160), clamp01((y - sandLine) / 2.0) * 0.85);
        return c;
    });
    // A few bubbles rising on the right.
    for (auto [bx, by, r] :
         {std::array{88.0, 20.0, 2.4}, std::array{85.5, 30.0, 1.6}, std::array{89.0, 38.0, 1.2}}) {
        fill(cell, subtract(circle({bx, by}, r), circle({bx, by}, r - 0.7)), Colour{1, 1, 1}, 0.8);
        fill(cell, circle({bx - r * 0.35, by - r * 0.35}, 0.5), Colour{1, 1, 1}, 0.9);
    }
    paintFishPortrait(cell, species, 55.0, 46.0, 76.0);
    // The tab the count is written on.
    fill(cell, roundedRect(0.5, 0.5, 25.0, 19.5, 4.0), fromBytes(110, 130, 120), 0.6);
    fill(cell, roundedRect(1.0, 1.0, 24.5, 19.0, 3.5), [](double, double y) {
        return mix(fromBytes(255, 255, 250), fromBytes(226, 232, 214), clamp01((y - 1.0) / 18.0));
    });
    return cell;
}

RgbaImage paintFishNumberPicture() {
    const RgbImage backdrop = paintBackdrop();
    RgbaImage picture(WIDTH, HEIGHT);
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) {
            // Faded most near the top, where the cells sit, and a little less down on the sand.
            const double fade =
                0.62 - 0.12 * clamp01(static_cast<double>(y - FLOOR_TOP) / (HEIGHT - FLOOR_TOP));
            const Colour c = mix(seaFloorAt(backdrop, x, y), FADE_TOWARD, fade);
            const Rgb b = toRgb(c);
            picture.at(x, y) = {b.r, b.g, b.b, 255};
        }
    for (int s = 0; s < SPECIES; ++s)
        composite(picture, paintCell(s), CELL_WIDTH * (s % 5) + CELL_MARGIN,
                  CELL_HEIGHT * (s / 5) + CELL_MARGIN);
    return picture;
}

}  // namespace

VELTAMAR_ASSET(uiPicture(129, "fish_species", paintFishNumberPicture));

}  // namespace veltamar::assetgen
