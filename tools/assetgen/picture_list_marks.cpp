// Small pictures of the background images dialog's picture buttons (16 x 16): add, remove,
// remove all, start and stop the slide show. Round green, red and grey buttons with a white sign.

#include <algorithm>

#include "asset_registry.h"
#include "vector_paint.h"

namespace veltamar::assetgen {

namespace {

constexpr int SIZE = 16;

RgbaImage paintRoundButton(Colour light, Colour dark, const Distance& sign) {
    RgbaImage image(SIZE, SIZE);
    const Point2 centre{8.0, 8.0};
    fill(image, circle(centre, 7.6), fromBytes(30, 34, 38));
    fill(image, circle(centre, 6.8),
         [=](double, double y) { return mix(light, dark, clamp01((y - 1.0) / 14.0)); });
    fill(image, ellipse({8.0, 5.0}, 4.6, 2.4), Colour{1, 1, 1}, 0.3);
    fill(image, sign, Colour{1, 1, 1});
    return image;
}

const Colour GREEN_LIGHT = fromBytes(120, 230, 110), GREEN_DARK = fromBytes(20, 120, 30);
const Colour RED_LIGHT = fromBytes(250, 130, 110), RED_DARK = fromBytes(160, 30, 20);
const Colour BLUE_LIGHT = fromBytes(130, 190, 250), BLUE_DARK = fromBytes(20, 70, 160);

Distance bar(double x0, double y0, double x1, double y1) {
    return roundedRect(x0, y0, x1, y1, 0.6);
}

Distance unite(Distance a, Distance b) {
    return [a, b](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

RgbaImage paintAdd() {
    return paintRoundButton(GREEN_LIGHT, GREEN_DARK,
                            unite(bar(4.0, 7.0, 12.0, 9.0), bar(7.0, 4.0, 9.0, 12.0)));
}
RgbaImage paintRemove() {
    return paintRoundButton(RED_LIGHT, RED_DARK, bar(4.0, 7.0, 12.0, 9.0));
}
RgbaImage paintRemoveAll() {
    return paintRoundButton(RED_LIGHT, RED_DARK,
                            unite(polygon({{4.5, 5.9}, {5.9, 4.5}, {11.5, 10.1}, {10.1, 11.5}}),
                                  polygon({{10.1, 4.5}, {11.5, 5.9}, {5.9, 11.5}, {4.5, 10.1}})));
}
RgbaImage paintStart() {
    return paintRoundButton(BLUE_LIGHT, BLUE_DARK, polygon({{6.0, 4.5}, {12.0, 8.0}, {6.0, 11.5}}));
}
RgbaImage paintStop() {
    return paintRoundButton(BLUE_LIGHT, BLUE_DARK, bar(5.0, 5.0, 11.0, 11.0));
}

}  // namespace

VELTAMAR_ASSET(uiPicture(289, "bitmap289", paintAdd));
VELTAMAR_ASSET(uiPicture(283, "bitmap283", paintRemove));
VELTAMAR_ASSET(uiPicture(284, "bitmap284", paintRemoveAll));
VELTAMAR_ASSET(uiPicture(285, "bitmap285", paintStart));
VELTAMAR_ASSET(uiPicture(286, "bitmap286", paintStop));

}  // namespace veltamar::assetgen
