// The built-in backdrop picture ("BackGround0"): an aquarium's back wall seen through the water.
// Light falls in from the surface near the top and fades with depth; below lie sand, stones and
// plants. Above the water line the picture is pure black, the one colour the backdrop loader makes
// transparent, so the colour plane behind it shows there; nothing below the line is pure black.

#include <cmath>
#include <functional>
#include <vector>

#include "aquarium_backdrop.h"
#include "asset_registry.h"
#include "paint_kit.h"

namespace veltamar::assetgen {

namespace {

constexpr int WIDTH = BACKDROP_WIDTH;
constexpr int HEIGHT = BACKDROP_HEIGHT;
constexpr double PI = 3.14159265358979323846;

// ---------------------------------------------------------------------------------------------
// Canvas and brushes

struct Canvas {
    std::vector<Colour> pixels = std::vector<Colour>(static_cast<std::size_t>(WIDTH) * HEIGHT);
    Colour& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * WIDTH + x]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < WIDTH && y < HEIGHT; }
    void blend(int x, int y, const Colour& c, double alpha) {
        if (!inside(x, y) || alpha <= 0.0) return;
        Colour& p = at(x, y);
        p = mix(p, c, clamp01(alpha));
    }
};

struct Point {
    double x, y;
};

// Colour of a brush-stroke pixel from where it lies in the stroke: t along the stroke (0 at the
// root), across in 0..1 from the centre line to the edge, side -1 or 1.
using StrokeShade = std::function<Colour(double t, double across, double side)>;

// One stroke painted as a union of round stamps: each pixel keeps its best coverage and the
// colour of the stamp whose centre lies closest, so the stroke has no seams or double edges.
class StrokeLayer {
  public:
    StrokeLayer()
        : coverage(static_cast<std::size_t>(WIDTH) * HEIGHT, 0.0f),
          across(static_cast<std::size_t>(WIDTH) * HEIGHT, 2.0f),
          colour(static_cast<std::size_t>(WIDTH) * HEIGHT) {}

    void stamp(Point c, double radius, Point tangent, double t, const StrokeShade& shade) {
        const int x0 = static_cast<int>(std::floor(c.x - radius - 1)),
                  x1 = static_cast<int>(std::ceil(c.x + radius + 1));
        const int y0 = static_cast<int>(std::floor(c.y - radius - 1)),
                  y1 = static_cast<int>(std::ceil(c.y + radius + 1));
        const double feather = std::min(1.0, radius * 2.0);
        for (int y = std::max(0, y0); y <= std::min(HEIGHT - 1, y1); ++y) {
            for (int x = std::max(0, x0); x <= std::min(WIDTH - 1, x1); ++x) {
                const double dx = x + 0.5 - c.x, dy = y + 0.5 - c.y;
                const double distance = std::sqrt(dx * dx + dy * dy);
                const double cover = clamp01(radius - distance + 0.5) * feather;
                if (cover <= 0.0) continue;
                const std::size_t i = static_cast<std::size_t>(y) * WIDTH + x;
                const double a = radius > 0 ? std::min(1.0, distance / radius) : 1.0;
                if (cover > coverage[i]) coverage[i] = static_cast<float>(cover);
                if (a < across[i]) {
                    across[i] = static_cast<float>(a);
                    const double side = tangent.x * dy - tangent.y * dx >= 0 ? 1.0 : -1.0;
                    colour[i] = shade(t, a, side);
                }
                grow(x, y);
            }
        }
    }

    // Lays the stroke onto the canvas with the given opacity and clears the layer.
    void compositeOnto(Canvas& canvas, double opacity = 1.0) {
        if (maxX < minX) return;
        for (int y = minY; y <= maxY; ++y) {
            for (int x = minX; x <= maxX; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * WIDTH + x;
                if (coverage[i] > 0.0f) canvas.blend(x, y, colour[i], coverage[i] * opacity);
                coverage[i] = 0.0f;
                across[i] = 2.0f;
            }
        }
        minX = minY = 1 << 30;
        maxX = maxY = -1;
    }

  private:
    void grow(int x, int y) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }

    std::vector<float> coverage;
    std::vector<float> across;
    std::vector<Colour> colour;
    int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
};

// A stroke along a curve with a width that varies along it.
struct Ribbon {
    std::function<Point(double t)> centre;
    std::function<double(double t)> halfWidth;
    StrokeShade shade;
};

void paintRibbon(StrokeLayer& layer, const Ribbon& ribbon) {
    double length = 0.0;
    Point previous = ribbon.centre(0.0);
    for (int k = 1; k <= 32; ++k) {
        const Point p = ribbon.centre(k / 32.0);
        length += std::hypot(p.x - previous.x, p.y - previous.y);
        previous = p;
    }
    const int steps = std::max(8, static_cast<int>(length * 2.5));
    for (int k = 0; k <= steps; ++k) {
        const double t = static_cast<double>(k) / steps;
        const Point p = ribbon.centre(t);
        const Point q = ribbon.centre(std::min(1.0, t + 0.002));
        const Point r = ribbon.centre(std::max(0.0, t - 0.002));
        Point tangent{q.x - r.x, q.y - r.y};
        const double norm = std::hypot(tangent.x, tangent.y);
        if (norm > 0) tangent = {tangent.x / norm, tangent.y / norm};
        layer.stamp(p, ribbon.halfWidth(t), tangent, t, ribbon.shade);
    }
}

// ---------------------------------------------------------------------------------------------
// The water

double waterLine(double x) {
    return 118.0 + 4.0 * std::sin(2 * PI * x / 233.0 + 0.7) + 2.2 * std::sin(2 * PI * x / 97.0 + 2.1) +
           1.0 * std::sin(2 * PI * x / 41.0 + 0.3);
}

// How deep a row lies below the water line, 0 at the line and 1 at the bottom of the picture.
double depthAt(double x, double y) {
    return clamp01((y - waterLine(x)) / (HEIGHT - waterLine(x)));
}

const Colour SHALLOW = fromBytes(78, 170, 186);
const Colour MIDWATER = fromBytes(22, 104, 146);
const Colour DEEP = fromBytes(8, 40, 84);
const Colour SHAFT_LIGHT = fromBytes(200, 240, 236);

Colour waterColour(double x, double y) {
    const double d = depthAt(x, y);
    Colour c = d < 0.45 ? mix(SHALLOW, MIDWATER, smoothstep(0.0, 0.45, d))
                        : mix(MIDWATER, DEEP, smoothstep(0.45, 1.0, d));
    // Slow swirls of brighter and darker water.
    const double swirl = fractalNoise(x / 160.0, y / 90.0, 4, 11);
    return scaled(c, 1.0 + 0.10 * swirl);
}

// Soft shafts of light fanning down from a sun above the left half of the picture.
double shaftLight(double x, double y) {
    const double sx = 380.0, sy = -420.0;
    const double angle = std::atan2(x - sx, y - sy);
    const double distance = std::hypot(x - sx, y - sy);
    const double bands = 0.5 + 0.5 * fractalNoise(angle * 22.0, 0.5, 3, 23);
    const double flicker = 0.6 + 0.4 * valueNoise(angle * 40.0, distance / 140.0, 29);
    const double shaft = smoothstep(0.52, 0.82, bands) * flicker;
    const double fade = std::exp(-std::max(0.0, y - waterLine(x)) / 210.0);
    return shaft * fade;
}

// Objects far away take on the colour of the water in front of them.
Colour hazed(const Colour& object, double x, double y, double haze) {
    return mix(object, waterColour(x, y), clamp01(haze));
}

// Colours under water lose red first.
Colour underwater(const Colour& c, double depth) {
    return {c.r * (0.80 - 0.25 * depth), c.g * (0.95 - 0.10 * depth), c.b};
}

// ---------------------------------------------------------------------------------------------
// Ground: distant ridges and the sand

double bump(double x, double at, double width) {
    return std::exp(-std::pow((x - at) / width, 2));
}

double farRidge(double x) {
    return 322.0 + 30.0 * fractalNoise(x / 150.0, 0.2, 5, 41) - 30.0 * bump(x, 860, 130) -
           46.0 * bump(x, 505, 34) - 30.0 * bump(x, 548, 22) - 24.0 * bump(x, 300, 60) -
           18.0 * bump(x, 710, 45);
}
double nearRidge(double x) {
    return 372.0 + 22.0 * fractalNoise(x / 110.0, 3.7, 4, 43) -
           30.0 * std::exp(-std::pow((x - 120) / 110.0, 2));
}
double sandLine(double x) {
    return 412.0 + 9.0 * fractalNoise(x / 140.0, 7.1, 3, 47) -
           10.0 * std::exp(-std::pow((x - 520) / 260.0, 2));
}

void paintRidges(Canvas& canvas) {
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            const double fx = x + 0.5, fy = y + 0.5;
            const double far = farRidge(fx);
            if (fy > far - 1.0) {
                const double rock = 0.5 + 0.5 * fractalNoise(fx / 24.0, fy / 18.0, 4, 51);
                Colour c = mix(fromBytes(30, 70, 88), fromBytes(58, 98, 104), rock);
                canvas.blend(x, y, hazed(c, fx, fy, 0.62), clamp01(fy - far + 1.0));
            }
            const double near = nearRidge(fx);
            if (fy > near - 1.0) {
                const double rock = 0.5 + 0.5 * fractalNoise(fx / 16.0, fy / 12.0, 5, 53);
                const double moss = smoothstep(0.1, 0.6, fractalNoise(fx / 30.0, fy / 9.0, 3, 57));
                Colour c = mix(fromBytes(44, 70, 76), fromBytes(92, 110, 104), rock);
                c = mix(c, fromBytes(60, 104, 64), moss * 0.6);
                // The ridge's crest catches the light from above.
                c = scaled(c, 1.0 + 0.35 * std::exp(-(fy - near) / 6.0));
                canvas.blend(x, y, hazed(c, fx, fy, 0.38), clamp01(fy - near + 1.0));
            }
        }
    }
}

// Network of bright lines that the rippled surface focuses onto the sand.
double caustics(double x, double y) {
    const double n = fractalNoise(x / 38.0 + 0.3 * std::sin(y / 17.0), y / 13.0, 3, 61);
    const double m = fractalNoise(x / 23.0, y / 9.0 + 2.1, 2, 67);
    return std::pow(1.0 - std::fabs(n), 10.0) * 0.8 + std::pow(1.0 - std::fabs(m), 14.0) * 0.5;
}

void paintSand(Canvas& canvas) {
    AssetRandom grain(71);
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            const double fx = x + 0.5, fy = y + 0.5;
            const double top = sandLine(fx);
            const double g = grain.uniform();
            if (fy < top - 1.0) continue;
            const double depthIntoSand = clamp01((fy - top) / (HEIGHT - top));
            const double ripple =
                std::sin(fy * 0.55 + fx * 0.035 + 5.0 * fractalNoise(fx / 70.0, fy / 25.0, 3, 73));
            Colour sand = mix(fromBytes(176, 160, 120), fromBytes(214, 196, 150),
                              0.5 + 0.5 * fractalNoise(fx / 50, fy / 20, 3, 79));
            sand = scaled(sand, 0.92 + 0.08 * ripple + 0.10 * (g - 0.5));
            sand = underwater(sand, 0.6);
            sand = scaled(sand, 0.70 + 0.30 * depthIntoSand);
            const Colour lit = mix(sand, SHAFT_LIGHT, 0.45 * caustics(fx, fy) * (0.4 + 0.6 * depthIntoSand));
            const Colour c = hazed(lit, fx, fy, 0.55 * (1.0 - depthIntoSand) * (1.0 - depthIntoSand));
            canvas.blend(x, y, c, clamp01(fy - top + 1.0));
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Stones

struct Stone {
    double x, y;    // centre
    double rx, ry;  // radii
    Colour base;
    std::uint32_t seed;
    double haze;
    double moss = 0.0;  // 0 bare .. 1 mossy top
};

void paintStone(Canvas& canvas, const Stone& s) {
    // Soft contact shadow on the ground first.
    for (int y = static_cast<int>(s.y); y < static_cast<int>(s.y + s.ry * 0.9); ++y) {
        for (int x = static_cast<int>(s.x - s.rx * 1.5); x < static_cast<int>(s.x + s.rx * 1.5); ++x) {
            if (!canvas.inside(x, y)) continue;
            const double dx = (x - s.x) / (s.rx * 1.35), dy = (y - s.y - s.ry * 0.45) / (s.ry * 0.45);
            const double shade = std::exp(-(dx * dx + dy * dy) * 2.0) * 0.55;
            canvas.at(x, y) = scaled(canvas.at(x, y), 1.0 - shade);
        }
    }
    const double lx = -0.35, ly = -0.80, lz = 0.48;  // light from above, a little to the left
    for (int y = static_cast<int>(s.y - s.ry - 3); y <= static_cast<int>(s.y + s.ry + 3); ++y) {
        for (int x = static_cast<int>(s.x - s.rx - 3); x <= static_cast<int>(s.x + s.rx + 3); ++x) {
            if (!canvas.inside(x, y)) continue;
            const double dx = (x + 0.5 - s.x) / s.rx, dy = (y + 0.5 - s.y) / s.ry;
            const double angle = std::atan2(dy, dx);
            // A lumpy outline, flattened where the stone rests on the ground.
            double radius = 1.0 +
                            0.07 * valueNoise(std::cos(angle) * 2.5 + 5, std::sin(angle) * 2.5 + 5, s.seed) +
                            0.03 * valueNoise(std::cos(angle) * 7 + 9, std::sin(angle) * 7 + 9, s.seed + 1);
            if (dy > 0.55) radius = std::min(radius, 0.55 / std::max(0.01, dy) * std::hypot(dx, dy));
            const double r = std::hypot(dx, dy);
            const double edge = (radius - r) * std::min(s.rx, s.ry);
            const double cover = clamp01(edge + 0.5);
            if (cover <= 0.0) continue;
            const double nx = dx / radius, ny = dy / radius;
            const double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
            const double diffuse = std::max(0.0, nx * lx + ny * ly + nz * lz);
            const double texture = fractalNoise(x / 7.0, y / 7.0, 4, s.seed + 2);
            const double speckle = valueNoise(x / 1.6, y / 1.6, s.seed + 3);
            Colour c = scaled(s.base, 0.30 + 0.95 * diffuse + 0.12 * texture + 0.05 * speckle);
            // A faint sheen where the light hits, and dark under the belly.
            c = mix(c, SHAFT_LIGHT, 0.25 * std::pow(diffuse, 8.0));
            c = scaled(c, 1.0 - 0.35 * smoothstep(0.2, 0.9, dy));
            c = mix(c, SHAFT_LIGHT, 0.30 * caustics(x * 1.3, y * 1.3) * std::max(0.0, -ny));
            // Moss settles on the upper side.
            const double patches = fractalNoise(x / 9.0, y / 7.0, 4, s.seed + 4);
            const double moss = smoothstep(0.25, 0.75, -ny + 0.6 * patches) * s.moss;
            c = mix(c, scaled(fromBytes(62, 100, 46), 0.45 + 0.6 * diffuse + 0.25 * speckle), moss * 0.85);
            canvas.blend(x, y, hazed(underwater(c, 0.5), x, y, s.haze), cover);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Plants

// Long ribbon leaves of eel grass that reach toward the light, bend with the current and twist,
// showing their edges where they turn.
void paintEelGrass(Canvas& canvas, StrokeLayer& layer, AssetRandom& rnd, double baseX, double baseY,
                   int leaves, double height, double haze) {
    for (int k = 0; k < leaves; ++k) {
        const double x0 = baseX + rnd.range(-20, 20);
        const double y0 = baseY + rnd.range(-2, 8);
        const double h = height * rnd.range(0.5, 1.0);
        const double lean = rnd.range(-0.35, 0.45) * h;
        const double wave = rnd.range(4, 16);
        const double phase = rnd.range(0, 2 * PI);
        const double twists = rnd.range(1.0, 3.5);
        const double twistPhase = rnd.range(0, 2 * PI);
        const double width = rnd.range(2.4, 4.0);
        const Colour tone = mix(fromBytes(52, 124, 48), fromBytes(110, 166, 62), rnd.uniform());
        auto facing = [=](double t) { return std::fabs(std::cos(t * twists * PI + twistPhase)); };
        Ribbon leaf;
        leaf.centre = [=](double t) {
            return Point{x0 + lean * t * t + wave * std::sin(t * 5.0 + phase) * t, y0 + 4.0 - (h + 4.0) * t};
        };
        leaf.halfWidth = [=](double t) {
            return width * (0.30 + 0.70 * facing(t)) * (1.0 - 0.75 * std::pow(t, 3.0));
        };
        leaf.shade = [=](double t, double across, double side) {
            // Leaves glow where the light shines through them near the top and lie in shadow at
            // the root.
            const double face = facing(t);
            Colour c = scaled(tone, 0.35 + 0.75 * std::sqrt(t) + 0.15 * face);
            c = mix(c, fromBytes(180, 218, 116), 0.35 * std::pow(t, 2.0) * (1.0 - across) * face);
            c = scaled(c, side > 0 ? 1.0 : 0.80 + 0.1 * face);
            c = scaled(c, 1.0 - 0.25 * across * across);
            const double y = y0 - h * t;
            return hazed(underwater(c, 0.3), x0, y, haze + 0.25 * (1.0 - t) * haze);
        };
        paintRibbon(layer, leaf);
        layer.compositeOnto(canvas);
    }
}

// A rosette of broad sword-shaped leaves.
void paintSwordPlant(Canvas& canvas, StrokeLayer& layer, AssetRandom& rnd, double baseX, double baseY,
                     int leaves, double size, double haze) {
    for (int k = 0; k < leaves; ++k) {
        const double spread = (k + 0.5) / leaves * 2.0 - 1.0;
        const double angle = spread * 1.05 + rnd.range(-0.12, 0.12);
        const double length = size * rnd.range(0.70, 1.0) * (1.0 - 0.25 * std::fabs(spread));
        const double droop = rnd.range(0.25, 0.55) * length * spread;
        const double width = size * rnd.range(0.085, 0.11);
        const Colour tone = mix(fromBytes(46, 118, 44), fromBytes(88, 150, 50), rnd.uniform());
        Ribbon leaf;
        leaf.centre = [=](double t) {
            const double reach = length * t;
            return Point{baseX + std::sin(angle) * reach + droop * t * t,
                         baseY - std::cos(angle) * reach + 0.35 * std::fabs(droop) * t * t};
        };
        leaf.halfWidth = [=](double t) {
            return width * std::pow(std::sin(PI * std::min(1.0, t * 0.93 + 0.07)), 0.75) *
                   (t < 0.18 ? 0.35 + t * 3.6 : 1.0);
        };
        leaf.shade = [=](double t, double across, double side) {
            Colour c = scaled(tone, 0.65 + 0.45 * t);
            // Pale midrib and side veins.
            c = mix(c, fromBytes(168, 206, 120), 0.55 * std::exp(-across * across * 60.0));
            const double vein = std::pow(std::fabs(std::sin((t * 9.0 + across * 1.3) * PI)), 24.0);
            c = mix(c, fromBytes(140, 190, 100), 0.25 * vein * (1.0 - across));
            c = scaled(c, side > 0 ? 1.05 : 0.72);
            c = scaled(c, 1.0 - 0.30 * across * across);
            return hazed(underwater(c, 0.3), baseX, baseY - length * t, haze);
        };
        paintRibbon(layer, leaf);
        layer.compositeOnto(canvas);
    }
}

// Upright red stems with pairs of small round leaves, a warm accent among the greens.
void paintRedStems(Canvas& canvas, StrokeLayer& layer, AssetRandom& rnd, double baseX, double baseY,
                   int stems, double height, double haze) {
    for (int k = 0; k < stems; ++k) {
        const double x0 = baseX + rnd.range(-34, 34);
        const double h = height * rnd.range(0.45, 1.0);
        const double lean = rnd.range(-0.25, 0.25) * h;
        auto stemAt = [=](double t) { return Point{x0 + lean * t * t, baseY - h * t}; };
        Ribbon stem;
        stem.centre = stemAt;
        stem.halfWidth = [](double) { return 1.1; };
        stem.shade = [=](double t, double, double) {
            return hazed(fromBytes(120, 52, 40), x0, baseY - h * t, haze);
        };
        paintRibbon(layer, stem);
        layer.compositeOnto(canvas);
        const int pairs = static_cast<int>(h / 11.0);
        for (int p = 1; p <= pairs; ++p) {
            const double t = static_cast<double>(p) / (pairs + 0.5);
            const Point node = stemAt(t);
            const double leafLength = 10.0 + 6.0 * (1.0 - t);
            for (int side = -1; side <= 1; side += 2) {
                const double tilt = side * rnd.range(0.9, 1.3) - 0.3 * side * t;
                const Colour tone = mix(fromBytes(168, 60, 44), fromBytes(214, 104, 60), t);
                Ribbon leaf;
                leaf.centre = [=](double s) {
                    return Point{node.x + std::sin(tilt) * leafLength * s,
                                 node.y - std::cos(tilt) * leafLength * s};
                };
                leaf.halfWidth = [=](double s) { return 3.6 * std::sin(PI * std::min(1.0, 0.1 + 0.9 * s)); };
                leaf.shade = [=](double, double across, double lit) {
                    Colour c = scaled(tone, lit > 0 ? 1.0 : 0.75);
                    c = scaled(c, 1.0 - 0.3 * across * across);
                    return hazed(underwater(c, 0.2), node.x, node.y, haze);
                };
                paintRibbon(layer, leaf);
                layer.compositeOnto(canvas);
            }
        }
    }
}

// Low tufts of fine grass along the sand.
void paintTufts(Canvas& canvas, StrokeLayer& layer, AssetRandom& rnd, double fromX, double toX, int count) {
    for (int k = 0; k < count; ++k) {
        const double x0 = rnd.range(fromX, toX);
        const double y0 = sandLine(x0) + rnd.range(6, 40);
        const int blades = 5 + static_cast<int>(rnd.range(0, 6));
        const double haze = 0.35 * (1.0 - clamp01((y0 - 410) / 90.0));
        for (int b = 0; b < blades; ++b) {
            const double h = rnd.range(8, 22);
            const double lean = rnd.range(-0.7, 0.7) * h;
            const double bx = x0 + rnd.range(-5, 5);
            const Colour tone = mix(fromBytes(70, 140, 60), fromBytes(120, 176, 70), rnd.uniform());
            Ribbon blade;
            blade.centre = [=](double t) { return Point{bx + lean * t * t, y0 - h * t}; };
            blade.halfWidth = [](double t) { return 1.2 * (1.0 - 0.8 * t); };
            blade.shade = [=](double t, double, double) {
                return hazed(underwater(scaled(tone, 0.6 + 0.5 * t), 0.4), bx, y0, haze);
            };
            paintRibbon(layer, blade);
            layer.compositeOnto(canvas);
        }
    }
}

// A weathered root of driftwood: a tapering branch with bark running along it.
void paintDriftwood(Canvas& canvas, StrokeLayer& layer, Point from, Point control, Point to, double thickness,
                    std::uint32_t seed, double haze) {
    Ribbon wood;
    wood.centre = [=](double t) {
        const double m = 1.0 - t;
        return Point{m * m * from.x + 2 * m * t * control.x + t * t * to.x,
                     m * m * from.y + 2 * m * t * control.y + t * t * to.y};
    };
    wood.halfWidth = [=](double t) {
        return thickness * (1.0 - 0.72 * t) * (1.0 + 0.08 * valueNoise(t * 12.0, 0.5, seed));
    };
    wood.shade = [=](double t, double across, double side) {
        // Bark grain runs along the branch.
        const double bark = fractalNoise(t * 30.0, across * 3.0 * side, 3, seed + 1);
        const double groove = std::pow(
            std::fabs(std::sin((across * side * 2.2 + 0.6 * valueNoise(t * 9.0, 0.0, seed + 2)) * PI)), 10.0);
        // Round in section: light on the upper side, dark below.
        const double light =
            side > 0 ? 1.05 - 0.30 * across + 0.25 * std::pow(1.0 - across, 6.0) : 0.78 - 0.50 * across;
        Colour c = mix(fromBytes(128, 106, 80), fromBytes(192, 170, 136), 0.5 + 0.5 * bark);
        c = scaled(c, light * (1.0 - 0.30 * groove));
        const Point p = wood.centre(t);
        return hazed(underwater(c, 0.4), p.x, p.y, haze);
    };
    paintRibbon(layer, wood);
    layer.compositeOnto(canvas);
}

// Small pebbles strewn over the sand.
void paintGravel(Canvas& canvas, AssetRandom& rnd, double fromX, double toX, int count) {
    for (int k = 0; k < count; ++k) {
        const double x = rnd.range(fromX, toX);
        const double y = sandLine(x) + rnd.range(18, 95);
        const double r = rnd.range(1.8, 4.6) * (0.6 + 0.4 * clamp01((y - 420) / 70.0));
        const Colour base = mix(fromBytes(110, 104, 96), fromBytes(176, 160, 134), rnd.uniform());
        paintStone(canvas,
                   {x, y, r * rnd.range(1.1, 1.6), r, base, static_cast<std::uint32_t>(500 + k), 0.1});
    }
}

// ---------------------------------------------------------------------------------------------
// Light: the shafts in the water, floating motes and the bright underside of the surface

void paintShaftsOver(Canvas& canvas, double strength) {
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) {
            const double s = shaftLight(x + 0.5, y + 0.5);
            if (s > 0.0) canvas.blend(x, y, SHAFT_LIGHT, s * strength);
        }
}

void paintMotes(Canvas& canvas, AssetRandom& rnd) {
    for (int k = 0; k < 260; ++k) {
        const double x = rnd.range(0, WIDTH), y = rnd.range(waterLine(x) + 12, 440);
        const double r = rnd.range(0.5, 1.4);
        const double glow = rnd.range(0.15, 0.45) * (1.0 - 0.6 * depthAt(x, y));
        for (int py = static_cast<int>(y - 3); py <= static_cast<int>(y + 3); ++py)
            for (int px = static_cast<int>(x - 3); px <= static_cast<int>(x + 3); ++px) {
                const double d = std::hypot(px + 0.5 - x, py + 0.5 - y);
                canvas.blend(px, py, SHAFT_LIGHT, glow * std::exp(-d * d / (r * r)));
            }
    }
}

void paintSurface(Canvas& canvas) {
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            const double fx = x + 0.5, fy = y + 0.5;
            const double below = fy - waterLine(fx);
            if (below < -1.0 || below > 40.0) continue;
            // The underside of the surface mirrors the light in a rippled silver band.
            const double ripple =
                0.5 + 0.5 * std::sin(fx * 0.13 + 7.0 * fractalNoise(fx / 45.0, below / 6.0, 3, 81));
            const double sparkle = std::pow(0.5 + 0.5 * fractalNoise(fx / 9.0, below / 3.0, 2, 83), 6.0);
            const double band = std::exp(-std::max(0.0, below) / 7.0) * (0.55 + 0.30 * ripple) +
                                sparkle * std::exp(-std::max(0.0, below) / 14.0);
            canvas.blend(x, y, fromBytes(214, 244, 246), clamp01(band) * clamp01(below + 1.0));
        }
    }
}

void paintVignette(Canvas& canvas) {
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) {
            const double dx = (x + 0.5) / WIDTH - 0.5, dy = (y + 0.5) / HEIGHT - 0.45;
            const double v = 1.0 - 0.55 * std::pow(dx * dx * 2.4 + dy * dy * 1.6, 1.5);
            canvas.at(x, y) = scaled(canvas.at(x, y), std::max(0.5, v));
        }
}

}  // namespace

// ---------------------------------------------------------------------------------------------

RgbImage paintBackdrop() {
    Canvas canvas;
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) canvas.at(x, y) = waterColour(x + 0.5, y + 0.5);
    paintShaftsOver(canvas, 0.34);
    paintRidges(canvas);

    StrokeLayer layer;
    AssetRandom rnd(2024);
    // Far plants on the ridges, deep in the haze.
    paintEelGrass(canvas, layer, rnd, 420, 345, 12, 100, 0.66);
    paintEelGrass(canvas, layer, rnd, 650, 332, 10, 90, 0.66);
    paintEelGrass(canvas, layer, rnd, 760, 318, 6, 70, 0.70);
    paintSwordPlant(canvas, layer, rnd, 300, 392, 9, 60, 0.45);
    paintSwordPlant(canvas, layer, rnd, 690, 386, 7, 46, 0.48);

    paintSand(canvas);

    // Rock group on the right, with eel grass behind it, a root of driftwood rising from it and
    // red stems beside it.
    paintEelGrass(canvas, layer, rnd, 900, 420, 16, 240, 0.30);
    paintEelGrass(canvas, layer, rnd, 990, 430, 10, 200, 0.26);
    paintDriftwood(canvas, layer, {902, 330}, {918, 272}, {884, 212}, 7.5, 402, 0.14);
    paintDriftwood(canvas, layer, {1000, 450}, {930, 320}, {800, 250}, 17.0, 401, 0.12);
    paintStone(canvas, {905, 432, 74, 50, fromBytes(120, 118, 112), 301, 0.18, 0.8});
    paintStone(canvas, {830, 452, 52, 34, fromBytes(134, 126, 110), 302, 0.10, 0.5});
    paintStone(canvas, {965, 462, 46, 30, fromBytes(110, 112, 114), 303, 0.08, 0.6});
    paintRedStems(canvas, layer, rnd, 760, 470, 7, 160, 0.12);

    // Left: a tall stand of eel grass and a sword plant in front of it.
    paintEelGrass(canvas, layer, rnd, 60, 448, 22, 310, 0.22);
    paintEelGrass(canvas, layer, rnd, 150, 452, 16, 260, 0.18);
    paintStone(canvas, {250, 470, 38, 24, fromBytes(140, 132, 118), 304, 0.05, 0.4});
    paintSwordPlant(canvas, layer, rnd, 205, 480, 13, 150, 0.06);

    // Pebbles and tufts across the open sand.
    paintGravel(canvas, rnd, 20, 1000, 90);
    paintStone(canvas, {470, 462, 20, 12, fromBytes(150, 140, 124), 305, 0.15});
    paintStone(canvas, {500, 470, 13, 8, fromBytes(120, 116, 110), 306, 0.12});
    paintStone(canvas, {612, 448, 17, 10, fromBytes(138, 128, 112), 307, 0.25});
    paintStone(canvas, {680, 488, 24, 14, fromBytes(126, 120, 116), 308, 0.05, 0.3});
    paintTufts(canvas, layer, rnd, 20, 1000, 40);
    paintEelGrass(canvas, layer, rnd, 560, 476, 7, 130, 0.10);

    paintShaftsOver(canvas, 0.16);
    paintMotes(canvas, rnd);
    paintSurface(canvas);
    paintVignette(canvas);

    RgbImage image(WIDTH, HEIGHT);
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            if (y + 0.5 < waterLine(x + 0.5)) continue;  // above the water: pure black, see-through
            Rgb p = toRgb(canvas.at(x, y));
            if (p.r == 0 && p.g == 0 && p.b == 0) p.b = 1;  // below it nothing may be see-through
            image.at(x, y) = p;
        }
    }
    return image;
}

VELTAMAR_ASSET(packedBitmap(154, "BackGround0", paintBackdrop));

}  // namespace veltamar::assetgen
