// The ten species skins (resources 10000 to 10009, "fish0" to "fish9"): 64 x 64 pictures painted
// onto the fish's skin layout, so each picture is a side view of the fish with its eye and
// pectoral fin in two corner patches. The species share the painting of eyes, gill cover, fin rays
// and shading and differ in colours and markings.

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "asset_registry.h"
#include "fish/fish_skin_layout.h"
#include "fish_skins.h"
#include "paint_kit.h"
#include "vector_paint.h"

namespace veltamar::assetgen {

namespace {

namespace skin = veltamar::fishskin;

enum class Feature { Body, Lips, DorsalFin, AnalFin, TailFin, Eye, Pectoral, Empty };

// One point of the picture, in the terms of the feature it belongs to.
struct Spot {
    Feature feature = Feature::Empty;
    double x = 0, z = 0;  // side view: model coordinates
    double u = 0;         // along the body: 0 at the face, 1 at the tail root
    double v = 0;         // across the body: -1 at the belly, 1 at the back
    double out = 0;       // fins: 0 at the body, 1 at the fin's far edge
    double eyeR = 0;      // eye: distance from its centre in eye radii
    double eyeDx = 0, eyeDz = 0;
    double along = 0;  // pectoral fin: 0 front edge, 1 back edge
};

constexpr double DORSAL_TIP_Z = 0.499;
constexpr double ANAL_TIP_Z = -0.5;
constexpr double OUTLINE_MARGIN = 1.2;  // pixels of body colour beyond the outline, against bleeding

Feature featureAt(int column, int row) {
    if (skin::inPectoralPatch(column, row)) return Feature::Pectoral;
    if (skin::inEyePatch(column, row)) return Feature::Eye;
    const skin::SidePoint p = skin::sideViewPoint(column, row);
    if (p.x < skin::LIP_JOINT_X) return std::fabs(p.z) < 0.16 ? Feature::Lips : Feature::Empty;
    const double margin = OUTLINE_MARGIN * skin::PIXEL_Z;
    if (p.x <= skin::BODY_BACK_X && p.z <= skin::bodyTopZ(p.x) + margin &&
        p.z >= skin::bodyBottomZ(p.x) - margin)
        return Feature::Body;
    if (p.x >= skin::TAIL_FIN_FROM_X) return Feature::TailFin;
    return p.z > 0 ? Feature::DorsalFin : Feature::AnalFin;
}

Spot locate(Feature feature, double column, double row) {
    Spot s;
    s.feature = feature;
    if (feature == Feature::Eye) {
        s.eyeDx = (column - skin::EYE_PATCH.centreColumn) / skin::EYE_PATCH.radius;
        s.eyeDz = (skin::EYE_PATCH.centreRow - row) / skin::EYE_PATCH.radius;
        s.eyeR = std::hypot(s.eyeDx, s.eyeDz);
        s.x = skin::EYE_CENTRE_X + s.eyeDx * skin::EYE_RADIUS;
        s.z = skin::EYE_CENTRE_Z + s.eyeDz * skin::EYE_RADIUS;
    } else if (feature == Feature::Pectoral) {
        const auto& P = skin::PECTORAL_PATCH;
        s.along = clamp01((column - P.left) / (P.right - P.left));
        s.out = clamp01((P.bottom - row) / (P.bottom - P.top));
        s.x = -0.06 + 0.04 * s.along;  // about where the fin stands, for markings that follow x
        s.z = 0.0;
    } else {
        s.x = skin::VIEW_X_MIN + column * skin::PIXEL_X;
        s.z = skin::VIEW_Z_MAX - row * skin::PIXEL_Z;
    }
    const double top = skin::bodyTopZ(s.x), bottom = skin::bodyBottomZ(s.x);
    s.u = clamp01((s.x - skin::BODY_FRONT_X) / (skin::BODY_BACK_X - skin::BODY_FRONT_X));
    s.v = std::clamp((s.z - 0.5 * (top + bottom)) / (0.5 * (top - bottom)), -1.0, 1.0);
    switch (feature) {
        case Feature::DorsalFin:
            s.out = clamp01((s.z - top) / (DORSAL_TIP_Z - top));
            break;
        case Feature::AnalFin:
            s.out = clamp01((bottom - s.z) / (bottom - ANAL_TIP_Z));
            break;
        case Feature::TailFin:
            s.out = clamp01((s.x - skin::BODY_BACK_X + 0.02) / (skin::TAIL_TIP_X - skin::BODY_BACK_X + 0.02));
            break;
        default:
            break;
    }
    return s;
}

struct SpeciesLook {
    Colour back, flank, belly;  // body, top to bottom
    Colour fin, finEdge;        // dorsal and anal fins
    Colour tail, tailEdge;      // tail fin
    Colour pectoral;
    Colour lip;
    Colour iris;
    // Markings over the base colours of body, lips and fins (side view), given the base colour.
    std::function<Colour(const Spot&, const Colour&)> markings;
};

Colour baseColour(const SpeciesLook& look, const Spot& s) {
    switch (s.feature) {
        case Feature::Body: {
            if (s.v > 0) return mix(look.flank, look.back, smoothstep(0.05, 1.0, s.v));
            return mix(look.flank, look.belly, smoothstep(0.05, 0.95, -s.v));
        }
        case Feature::Lips: {
            // The lips carry on the face's colours, tinted toward the species' lip colour.
            const Colour face = s.v > 0 ? mix(look.flank, look.back, smoothstep(0.05, 1.0, s.v))
                                        : mix(look.flank, look.belly, smoothstep(0.05, 0.95, -s.v));
            return mix(face, look.lip, 0.3);
        }
        case Feature::DorsalFin:
        case Feature::AnalFin:
            return mix(look.fin, look.finEdge, smoothstep(0.55, 1.0, s.out));
        case Feature::TailFin:
            return mix(look.tail, look.tailEdge, smoothstep(0.55, 1.0, s.out));
        case Feature::Pectoral:
            return mix(look.pectoral, look.finEdge, smoothstep(0.6, 1.0, s.out));
        default:
            return look.flank;
    }
}

Colour eyeColour(const SpeciesLook& look, const Spot& s) {
    if (s.eyeR > 0.88) return scaled(mix(look.back, {0.1, 0.1, 0.1}, 0.5), 0.8);  // rim
    // Highlight up and forward of the pupil.
    if (std::hypot(s.eyeDx + 0.2, s.eyeDz - 0.22) < 0.16) return {0.95, 0.95, 0.92};
    if (s.eyeR < 0.44) return {0.03, 0.03, 0.05};
    const double t = (s.eyeR - 0.44) / 0.44;
    return mix(scaled(look.iris, 1.15), scaled(look.iris, 0.6), t);
}

// Shading every species shares: gill cover, fin rays, scales, the mouth line, the fins' sheen.
Colour shared(const Spot& s, Colour c, std::uint32_t seed) {
    switch (s.feature) {
        case Feature::Body: {
            const double gill = skin::GILL_X - 0.035 * (1.0 - s.v * s.v) + 0.02 * s.v;
            const double d = std::fabs(s.x - gill);
            if (s.v > -0.85 && s.v < 0.75) c = scaled(c, 1.0 - 0.28 * (1.0 - smoothstep(0.0, 0.011, d)));
            const double scales = valueNoise(s.x * 180.0, s.z * 180.0, seed);
            c = scaled(c, 1.0 + 0.05 * scales);
            c = scaled(c, 1.0 - 0.14 * smoothstep(0.75, 1.0, std::fabs(s.v)));  // rounding off to the edges
            break;
        }
        case Feature::Lips:
            if (std::fabs(s.z - skin::MOUTH_Z) < 0.008 && s.x < -0.3) c = scaled(c, 0.45);
            break;
        case Feature::DorsalFin:
        case Feature::AnalFin:
        case Feature::TailFin: {
            // Rays fan out from the body; they run toward the fin's far edge.
            const double fan =
                s.feature == Feature::TailFin ? s.z / (0.4 + (s.x - 0.2)) : s.x - 0.45 * std::fabs(s.z);
            const double frequency = s.feature == Feature::TailFin ? 60.0 : 170.0;
            c = scaled(c, 0.9 + 0.1 * std::cos(fan * frequency));
            break;
        }
        case Feature::Pectoral:
            c = scaled(c, 0.9 + 0.1 * std::cos(s.along * 14.0));
            break;
        default:
            break;
    }
    return c;
}

RgbImage paintSkin(const SpeciesLook& look, std::uint32_t seed) {
    RgbImage image(skin::SKIN_SIDE, skin::SKIN_SIDE);
    constexpr int SUB = 3;  // 3 x 3 samples per pixel
    for (int row = 0; row < skin::SKIN_SIDE; ++row)
        for (int column = 0; column < skin::SKIN_SIDE; ++column) {
            const Feature feature = featureAt(column, row);
            Colour sum;
            for (int sy = 0; sy < SUB; ++sy)
                for (int sx = 0; sx < SUB; ++sx) {
                    const Spot s =
                        locate(feature, column + (sx + 0.5) / SUB - 0.5, row + (sy + 0.5) / SUB - 0.5);
                    Colour c;
                    if (feature == Feature::Eye) {
                        c = eyeColour(look, s);
                    } else {
                        c = baseColour(look, s);
                        if (look.markings && feature != Feature::Pectoral) c = look.markings(s, c);
                        c = shared(s, c, seed);
                    }
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            image.at(column, row) = toRgb(scaled(sum, 1.0 / (SUB * SUB)));
        }
    return image;
}

// Weight 0..1 of a soft band: full within halfWidth of centre, fading over `soft`.
double band(double value, double centre, double halfWidth, double soft) {
    return 1.0 - smoothstep(halfWidth, halfWidth + soft, std::fabs(value - centre));
}

Colour rgb(int r, int g, int b) {
    return fromBytes(r, g, b);
}

// A vertical band across body and fins, slanting back toward the top.
double slantedBand(const Spot& s, double x, double halfWidth, double slant = 0.15) {
    return band(s.x - slant * s.z, x, halfWidth, 0.008);
}

struct DotField {
    std::vector<skin::SidePoint> centres;
    std::vector<double> radii;
};

DotField scatterDots(std::uint64_t seed, int count, double rMin, double rMax) {
    AssetRandom random(seed);
    DotField field;
    for (int i = 0; i < count; ++i) {
        field.centres.push_back({random.range(-0.26, 0.33), random.range(-0.5, 0.5)});
        field.radii.push_back(random.range(rMin, rMax));
    }
    return field;
}

double dotWeight(const DotField& field, double x, double z) {
    double w = 0;
    for (std::size_t i = 0; i < field.centres.size(); ++i) {
        const double d = std::hypot(x - field.centres[i].x, (z - field.centres[i].z) * 0.75);
        w = std::max(w, 1.0 - smoothstep(field.radii[i] * 0.7, field.radii[i], d));
    }
    return w;
}

// 0: jade, emerald with a pale belly, a dark line along the flank and flame-coloured fins.
SpeciesLook jade() {
    SpeciesLook look{rgb(10, 90, 50),
                     rgb(30, 170, 90),
                     rgb(210, 235, 170),
                     rgb(240, 90, 30),
                     rgb(255, 220, 80),
                     rgb(240, 80, 25),
                     rgb(255, 215, 70),
                     rgb(250, 140, 60),
                     rgb(120, 200, 120),
                     rgb(240, 60, 30),
                     {}};
    look.markings = [](const Spot& s, const Colour& c) {
        if (s.feature != Feature::Body) return c;
        const double line = band(s.z, 0.03 - 0.08 * s.u, 0.006, 0.006) * smoothstep(0.2, 0.3, s.u);
        return mix(c, rgb(5, 50, 30), 0.8 * line);
    };
    return look;
}

// 1: silver angel with three black bars running into the fins.
SpeciesLook zebraAngel() {
    SpeciesLook look{rgb(150, 160, 165),
                     rgb(220, 228, 232),
                     rgb(245, 245, 240),
                     rgb(200, 205, 210),
                     rgb(90, 95, 100),
                     rgb(200, 205, 210),
                     rgb(120, 125, 130),
                     rgb(225, 230, 235),
                     rgb(200, 200, 200),
                     rgb(200, 30, 25),
                     {}};
    look.markings = [](const Spot& s, const Colour& c) {
        const double bars = std::max({slantedBand(s, skin::EYE_CENTRE_X, 0.018, 0.05),
                                      slantedBand(s, -0.02, 0.03), slantedBand(s, 0.17, 0.02, 0.3)});
        return mix(c, rgb(20, 20, 25), 0.92 * bars);
    };
    return look;
}

// 2: azure discus, turquoise with wavy orange lines.
SpeciesLook azure() {
    SpeciesLook look{rgb(20, 90, 150),
                     rgb(40, 170, 200),
                     rgb(120, 210, 220),
                     rgb(30, 130, 190),
                     rgb(255, 140, 40),
                     rgb(40, 150, 200),
                     rgb(255, 150, 50),
                     rgb(90, 190, 220),
                     rgb(60, 150, 190),
                     rgb(230, 40, 30),
                     {}};
    look.markings = [](const Spot& s, const Colour& c) {
        if (s.feature != Feature::Body && s.feature != Feature::DorsalFin && s.feature != Feature::AnalFin)
            return c;
        const double wave = std::sin((s.z + 0.012 * std::sin(s.x * 55.0)) * 2.0 * 3.14159265 / 0.05);
        return mix(c, rgb(215, 95, 40), 0.8 * smoothstep(0.45, 0.85, wave));
    };
    return look;
}

// 3: ruby, deep red with a dark scale net and golden fins.
SpeciesLook ruby() {
    SpeciesLook look{rgb(110, 10, 25),
                     rgb(200, 25, 45),
                     rgb(240, 110, 110),
                     rgb(250, 200, 40),
                     rgb(255, 240, 150),
                     rgb(250, 195, 35),
                     rgb(255, 240, 160),
                     rgb(250, 205, 70),
                     rgb(220, 60, 70),
                     rgb(250, 220, 60),
                     {}};
    look.markings = [](const Spot& s, const Colour& c) {
        if (s.feature != Feature::Body) return c;
        const double net = std::fabs(std::sin((s.x + s.z) * 95.0)) * std::fabs(std::sin((s.x - s.z) * 95.0));
        return scaled(c, 1.0 - 0.35 * smoothstep(0.0, 0.25, 0.25 - net));
    };
    return look;
}

// 4: clown, orange with three black-edged white bars and black fin rims.
SpeciesLook clown() {
    SpeciesLook look{rgb(230, 90, 10),
                     rgb(255, 120, 20),
                     rgb(255, 150, 60),
                     rgb(255, 120, 20),
                     rgb(15, 15, 15),
                     rgb(255, 120, 20),
                     rgb(15, 15, 15),
                     rgb(255, 130, 30),
                     rgb(255, 130, 40),
                     rgb(240, 120, 20),
                     {}};
    look.markings = [](const Spot& s, const Colour& c) {
        if (s.feature != Feature::Body && s.feature != Feature::Lips) return c;
        Colour out = c;
        for (double x : {-0.185, 0.02, 0.225}) {
            const double white = band(s.x - 0.12 * s.z, x, 0.024, 0.004);
            const double edge = band(s.x - 0.12 * s.z, x, 0.034, 0.004);
            out = mix(out, rgb(15, 15, 15), edge);
            out = mix(out, rgb(250, 250, 250), white);
        }
        return out;
    };
    return look;
}

// 5: lemon, bright yellow all over with a white spine at the tail root.
SpeciesLook lemon() {
    SpeciesLook look{rgb(235, 200, 0),
                     rgb(255, 230, 20),
                     rgb(255, 245, 120),
                     rgb(255, 225, 10),
                     rgb(255, 250, 180),
                     rgb(255, 220, 0),
                     rgb(255, 240, 120),
                     rgb(255, 240, 90),
                     rgb(255, 215, 60),
                     rgb(40, 40, 60),
                     {}};
    look.markings = [](const Spot& s, const Colour& c) {
        if (s.feature != Feature::Body) return c;
        const double spine = 1.0 - smoothstep(0.006, 0.014, std::hypot(s.x - 0.235, (s.z - 0.0) * 0.4));
        return mix(c, rgb(255, 255, 250), spine);
    };
    return look;
}

// 6: royal blue with a black saddle and a yellow tail.
SpeciesLook royal() {
    SpeciesLook look{rgb(15, 35, 140),
                     rgb(35, 80, 220),
                     rgb(70, 120, 235),
                     rgb(30, 60, 190),
                     rgb(10, 10, 30),
                     rgb(255, 215, 0),
                     rgb(255, 240, 120),
                     rgb(60, 110, 230),
                     rgb(30, 60, 170),
                     rgb(20, 20, 30),
                     {}};
    look.markings = [](const Spot& s, const Colour& c) {
        if (s.feature != Feature::Body) return c;
        // A dark stripe from behind the eye arching back to the tail root, closed toward the back.
        const double arch = 0.12 + 0.08 * std::sin((s.u - 0.15) * 3.14159265);
        const double stripe = band(s.z, arch - 0.02, 0.025, 0.008) * smoothstep(0.15, 0.22, s.u);
        return mix(c, rgb(8, 10, 25), 0.95 * stripe);
    };
    return look;
}

// 7: leopard, olive to khaki with dark brown spots on body and fins.
SpeciesLook leopard() {
    SpeciesLook look{rgb(95, 100, 40),
                     rgb(170, 165, 80),
                     rgb(225, 215, 160),
                     rgb(180, 160, 90),
                     rgb(235, 220, 170),
                     rgb(175, 160, 85),
                     rgb(230, 215, 160),
                     rgb(200, 185, 120),
                     rgb(150, 140, 80),
                     rgb(240, 130, 20),
                     {}};
    const DotField dots = scatterDots(7007, 140, 0.012, 0.022);
    look.markings = [dots](const Spot& s, const Colour& c) {
        if (s.feature == Feature::Lips) return c;
        return mix(c, rgb(60, 35, 15), 0.85 * dotWeight(dots, s.x, s.z));
    };
    return look;
}

// 8: moorish, white with broad black bands, a yellow back and a black tail.
SpeciesLook moorish() {
    SpeciesLook look{rgb(250, 220, 60),
                     rgb(245, 245, 235),
                     rgb(250, 250, 245),
                     rgb(245, 240, 220),
                     rgb(250, 250, 250),
                     rgb(20, 20, 20),
                     rgb(245, 245, 245),
                     rgb(245, 235, 200),
                     rgb(250, 200, 120),
                     rgb(250, 200, 40),
                     {}};
    look.markings = [](const Spot& s, const Colour& c) {
        if (s.feature == Feature::TailFin) return c;
        const double black = std::max(slantedBand(s, -0.13, 0.05, 0.2), slantedBand(s, 0.13, 0.045, -0.1));
        return mix(c, rgb(15, 15, 15), black);
    };
    return look;
}

// 9: gramma, violet front fading into a golden rear.
SpeciesLook gramma() {
    SpeciesLook look{rgb(120, 20, 140),
                     rgb(175, 50, 200),
                     rgb(210, 130, 230),
                     rgb(165, 50, 190),
                     rgb(240, 200, 250),
                     rgb(255, 200, 0),
                     rgb(255, 235, 120),
                     rgb(200, 100, 220),
                     rgb(220, 120, 220),
                     rgb(255, 200, 60),
                     {}};
    look.markings = [](const Spot& s, const Colour& c) {
        if (s.feature != Feature::Body && s.feature != Feature::DorsalFin && s.feature != Feature::AnalFin)
            return c;
        const double t = smoothstep(0.05, 0.2, s.x + 0.1 * s.z);
        const Colour gold = s.v > 0 ? mix(rgb(255, 210, 20), rgb(230, 160, 0), s.v) : rgb(255, 220, 40);
        return mix(c, gold, t);
    };
    return look;
}

const std::vector<std::function<SpeciesLook()>>& speciesLooks() {
    static const std::vector<std::function<SpeciesLook()>> looks = {
        jade, zebraAngel, azure, ruby, clown, lemon, royal, leopard, moorish, gramma};
    return looks;
}

std::uint32_t speciesSeed(int species) {
    return 0x5eed0000u + static_cast<std::uint32_t>(species);
}

RgbImage paintSpecies(int species) {
    return paintSkin(speciesLooks()[species](), speciesSeed(species));
}

// ---------------------------------------------------------------------------------------------
// Side views: the outlines of the model's parts in the side view's (x, z) plane.

constexpr double PI = 3.14159265358979323846;
constexpr double PORTRAIT_EYE_SCALE = 1.6;  // the eye a little larger, so it reads at icon sizes

using Outline = std::vector<skin::SidePoint>;

double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

Outline bodyOutline() {
    Outline points;
    constexpr int STEPS = 40;
    for (int i = 0; i <= STEPS; ++i) {
        const double x = lerp(skin::BODY_FRONT_X, skin::BODY_BACK_X, static_cast<double>(i) / STEPS);
        points.push_back({x, skin::bodyTopZ(x)});
    }
    for (int i = STEPS; i >= 0; --i) {
        const double x = lerp(skin::BODY_FRONT_X, skin::BODY_BACK_X, static_cast<double>(i) / STEPS);
        points.push_back({x, skin::bodyBottomZ(x)});
    }
    return points;
}

// The two lips: quarter ellipses from their joints with the body round to the tip of the mouth.
Outline lipsOutline() {
    Outline points;
    constexpr int STEPS = 12;
    const double upperJoint = skin::LIP_JOINT_X, lowerJoint = -0.255;
    for (int i = 0; i <= STEPS; ++i) {
        const double a = 0.5 * PI * i / STEPS;
        points.push_back({upperJoint - (upperJoint - skin::NOSE_X) * std::sin(a), 0.124 * std::cos(a)});
    }
    for (int i = STEPS; i >= 0; --i) {
        const double a = 0.5 * PI * i / STEPS;
        points.push_back({lowerJoint - (lowerJoint - skin::NOSE_X) * std::sin(a), -0.118 * std::cos(a)});
    }
    points.push_back({-0.22, -0.1});
    points.push_back({-0.22, 0.1});
    return points;
}

// A sail fin: its base along the body, its free edge climbing to a tip swept back over the tail.
Outline sailOutline(double baseFrontX, double baseBackX, double edgeFrontX, double tipX, double tipZ,
                    bool above) {
    auto baseZ = [&](double x) { return above ? skin::bodyTopZ(x) - 0.012 : skin::bodyBottomZ(x) + 0.012; };
    const double edgeFrontZ = baseZ(baseFrontX) + (above ? 0.035 : -0.035);
    Outline points;
    constexpr int STEPS = 16;
    for (int i = 0; i <= STEPS; ++i) {
        const double x = lerp(baseFrontX, baseBackX, static_cast<double>(i) / STEPS);
        points.push_back({x, baseZ(x)});
    }
    for (int i = STEPS; i >= 0; --i) {
        const double a = static_cast<double>(i) / STEPS;
        points.push_back({lerp(edgeFrontX, tipX, std::pow(a, 1.35)),
                          lerp(edgeFrontZ, tipZ, std::pow(std::sin(0.5 * PI * a), 0.75))});
    }
    return points;
}

// The tail: a short fan from inside the body's end to a slightly forked trailing edge.
Outline tailOutline() {
    Outline points;
    constexpr int STEPS = 12;
    for (int i = 0; i <= STEPS; ++i) {
        const double a = static_cast<double>(i) / STEPS, m = 2.0 * a - 1.0;
        points.push_back({0.170 + 0.012 * m * m, lerp(-0.075, 0.078, a)});
    }
    for (int i = STEPS; i >= 0; --i) {
        const double a = static_cast<double>(i) / STEPS, m = 2.0 * a - 1.0;
        points.push_back({0.296 + 0.028 * m * m, lerp(-0.198, 0.206, a)});
    }
    return points;
}

// The pectoral fin laid back along the flank: rooted on a short upright line behind the gill.
constexpr skin::SidePoint PECTORAL_ROOT_LOW{-0.096, -0.023};
constexpr skin::SidePoint PECTORAL_ROOT_HIGH{-0.090, 0.027};
constexpr double PECTORAL_REACH = 0.077;

Outline pectoralOutline() {
    Outline points;
    constexpr int STEPS = 16;
    for (int i = 0; i <= STEPS; ++i) {
        const double a = static_cast<double>(i) / STEPS, reach = std::sin(PI * a);
        points.push_back({lerp(PECTORAL_ROOT_LOW.x, PECTORAL_ROOT_HIGH.x, a) + PECTORAL_REACH * reach,
                          lerp(PECTORAL_ROOT_LOW.z, PECTORAL_ROOT_HIGH.z, a) - 0.006 * reach});
    }
    return points;
}

}  // namespace

void paintFishPortrait(RgbaImage& image, int species, double centreX, double centreY, double height) {
    const SpeciesLook look = speciesLooks()[species]();
    const std::uint32_t seed = speciesSeed(species);
    const double scale = height / (DORSAL_TIP_Z - ANAL_TIP_Z);
    auto shape = [&](const Outline& outline) {
        std::vector<Point2> points;
        for (const skin::SidePoint& p : outline)
            points.push_back({centreX + p.x * scale, centreY - p.z * scale});
        return polygon(std::move(points));
    };
    auto model = [&](double px, double py) {
        return skin::SidePoint{(px - centreX) / scale, (centreY - py) / scale};
    };
    // Body, lips and the three sail fins take their colours from the side view of the skin.
    auto sideView = [&](Feature feature) -> Shader {
        return [&, feature](double px, double py) {
            const skin::SidePoint p = model(px, py);
            const Spot s = locate(feature, skin::sideViewColumn(p.x), skin::sideViewRow(p.z));
            Colour c = baseColour(look, s);
            if (look.markings) c = look.markings(s, c);
            return shared(s, c, seed);
        };
    };
    const Shader pectoralShade = [&](double px, double py) {
        const skin::SidePoint p = model(px, py);
        const double a = clamp01((p.z - PECTORAL_ROOT_LOW.z) / (PECTORAL_ROOT_HIGH.z - PECTORAL_ROOT_LOW.z));
        const double reach = std::max(0.05, std::sin(PI * a)) * PECTORAL_REACH;
        const double out = clamp01((p.x - lerp(PECTORAL_ROOT_LOW.x, PECTORAL_ROOT_HIGH.x, a)) / reach);
        const auto& patch = skin::PECTORAL_PATCH;
        const Spot s =
            locate(Feature::Pectoral, lerp(patch.left, patch.right, a), lerp(patch.bottom, patch.top, out));
        return shared(s, baseColour(look, s), seed);
    };
    const double eyeRadius = skin::EYE_RADIUS * PORTRAIT_EYE_SCALE;
    const Shader eyeShade = [&](double px, double py) {
        const skin::SidePoint p = model(px, py);
        const double dx = (p.x - skin::EYE_CENTRE_X) / eyeRadius, dz = (p.z - skin::EYE_CENTRE_Z) / eyeRadius;
        const auto& patch = skin::EYE_PATCH;
        return eyeColour(look, locate(Feature::Eye, patch.centreColumn + dx * patch.radius,
                                      patch.centreRow - dz * patch.radius));
    };

    const Distance tail = shape(tailOutline());
    const Distance dorsal = shape(sailOutline(0.059, 0.125, 0.067, 0.192, DORSAL_TIP_Z, true));
    const Distance anal = shape(sailOutline(0.065, 0.133, 0.073, 0.187, ANAL_TIP_Z, false));
    const Distance body = shape(bodyOutline());
    const Distance lips = shape(lipsOutline());

    // A thin dark rim keeps the fish apart from whatever lies behind it.
    const Colour rim = scaled(look.back, 0.35);
    for (const Distance* part : {&tail, &dorsal, &anal, &body, &lips})
        fill(image, grown(*part, 0.8), rim, 0.55);
    fill(image, tail, sideView(Feature::TailFin), 0.94);
    fill(image, dorsal, sideView(Feature::DorsalFin), 0.94);
    fill(image, anal, sideView(Feature::AnalFin), 0.94);
    fill(image, lips, sideView(Feature::Lips));
    fill(image, body, sideView(Feature::Body));
    fill(image, shape(pectoralOutline()), pectoralShade, 0.8);
    const Point2 eye{centreX + skin::EYE_CENTRE_X * scale, centreY - skin::EYE_CENTRE_Z * scale};
    fill(image, circle(eye, eyeRadius * scale + 0.6), rim, 0.7);
    fill(image, circle(eye, eyeRadius * scale), eyeShade);
}

VELTAMAR_ASSET(packedBitmap(10000, "fish0", [] { return paintSpecies(0); }));
VELTAMAR_ASSET(packedBitmap(10001, "fish1", [] { return paintSpecies(1); }));
VELTAMAR_ASSET(packedBitmap(10002, "fish2", [] { return paintSpecies(2); }));
VELTAMAR_ASSET(packedBitmap(10003, "fish3", [] { return paintSpecies(3); }));
VELTAMAR_ASSET(packedBitmap(10004, "fish4", [] { return paintSpecies(4); }));
VELTAMAR_ASSET(packedBitmap(10005, "fish5", [] { return paintSpecies(5); }));
VELTAMAR_ASSET(packedBitmap(10006, "fish6", [] { return paintSpecies(6); }));
VELTAMAR_ASSET(packedBitmap(10007, "fish7", [] { return paintSpecies(7); }));
VELTAMAR_ASSET(packedBitmap(10008, "fish8", [] { return paintSpecies(8); }));
VELTAMAR_ASSET(packedBitmap(10009, "fish9", [] { return paintSpecies(9); }));

}  // namespace veltamar::assetgen
