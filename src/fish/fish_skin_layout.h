#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

// Where each feature of the fish lies on a species skin. The model generator (tools/fishmodel)
// gives the model its texture coordinates from these rules and the skin painters
// (tools/assetgen/fish_skins.cpp) paint by them, so a skin's eyes land on the eyes and its fin
// colours on the fins.
//
// A skin is one 64 x 64 picture. Most of it is a side view of the fish, nose to the left and top
// up: model x -0.324..0.324 runs across the picture and model z -0.5..0.5 up it, texel centre to
// texel centre. Two corners the side view leaves empty (above and below the snout) hold patches of
// their own: the eye (top-down view of the eyeball) and the pectoral fins (laid flat).
//
// Picture pixels are counted from the top-left corner (column, row), as painters think of them.
// The picture is stored bottom row first, so the texture's t grows upward; every t lies in 1..2
// (the skin is sampled with repeat wrapping), every s in 0..1.

namespace veltamar::fishskin {

constexpr int SKIN_SIDE = 64;

constexpr double VIEW_X_MIN = -0.324;
constexpr double VIEW_X_MAX = 0.324;
constexpr double VIEW_Z_MIN = -0.5;
constexpr double VIEW_Z_MAX = 0.5;
// Model units between the centres of neighbouring pixels.
constexpr double PIXEL_X = (VIEW_X_MAX - VIEW_X_MIN) / (SKIN_SIDE - 1);
constexpr double PIXEL_Z = (VIEW_Z_MAX - VIEW_Z_MIN) / (SKIN_SIDE - 1);

struct SkinCoord {
    double s, t;
};

struct SidePoint {
    double x, z;
};

// Texture coordinate of a point of the picture (pixel centres at whole numbers).
constexpr SkinCoord coordOfPixel(double column, double row) {
    return {(column + 0.5) / SKIN_SIDE, 1.0 + (SKIN_SIDE - 0.5 - row) / SKIN_SIDE};
}

// Side view: model (x, z) <-> picture.
constexpr double sideViewColumn(double x) {
    return (x - VIEW_X_MIN) / PIXEL_X;
}
constexpr double sideViewRow(double z) {
    return (VIEW_Z_MAX - z) / PIXEL_Z;
}
constexpr SkinCoord sideViewCoord(double x, double z) {
    return coordOfPixel(sideViewColumn(x), sideViewRow(z));
}
constexpr SidePoint sideViewPoint(int column, int row) {
    return {VIEW_X_MIN + column * PIXEL_X, VIEW_Z_MAX - row * PIXEL_Z};
}

// A round patch: the eyeball seen from outside, (dx, dz) its offset from the centre in eye radii
// (x toward the tail, z up).
struct RoundPatch {
    double centreColumn, centreRow, radius;  // pixels
};
constexpr RoundPatch EYE_PATCH = {7.0, 56.0, 6.0};  // below the snout

constexpr SkinCoord eyeCoord(double dx, double dz) {
    return coordOfPixel(EYE_PATCH.centreColumn + dx * EYE_PATCH.radius,
                        EYE_PATCH.centreRow - dz * EYE_PATCH.radius);
}
// Offset in eye radii of a picture pixel from the eye's centre.
constexpr SidePoint eyeOffsetOfPixel(int column, int row) {
    return {(column - EYE_PATCH.centreColumn) / EYE_PATCH.radius,
            (EYE_PATCH.centreRow - row) / EYE_PATCH.radius};
}
constexpr bool inEyePatch(int column, int row) {
    return column <= EYE_PATCH.centreColumn + EYE_PATCH.radius + 1 &&
           row >= EYE_PATCH.centreRow - EYE_PATCH.radius - 1;
}

// A rectangular patch for the pectoral fins: `along` 0..1 from the fin's front edge to its back
// edge runs to the right, `out` 0..1 from the base on the body to the outer edge runs up.
struct RectPatch {
    double left, top, right, bottom;  // pixel centres
};
constexpr RectPatch PECTORAL_PATCH = {1.0, 1.0, 12.0, 12.0};  // above the snout

constexpr SkinCoord pectoralCoord(double along, double out) {
    return coordOfPixel(PECTORAL_PATCH.left + along * (PECTORAL_PATCH.right - PECTORAL_PATCH.left),
                        PECTORAL_PATCH.bottom - out * (PECTORAL_PATCH.bottom - PECTORAL_PATCH.top));
}
struct FinPoint {
    double along, out;
};
constexpr FinPoint pectoralPointOfPixel(int column, int row) {
    return {(column - PECTORAL_PATCH.left) / (PECTORAL_PATCH.right - PECTORAL_PATCH.left),
            (PECTORAL_PATCH.bottom - row) / (PECTORAL_PATCH.bottom - PECTORAL_PATCH.top)};
}
constexpr bool inPectoralPatch(int column, int row) {
    return column <= PECTORAL_PATCH.right + 1 && row <= PECTORAL_PATCH.bottom + 1;
}

// Landmarks of the side view.
constexpr double NOSE_X = -0.324;       // tip of the lips
constexpr double LIP_JOINT_X = -0.262;  // where the lips meet the body
constexpr double MOUTH_Z = 0.0;         // the line between upper and lower lip
constexpr double BODY_FRONT_X = -0.266;
constexpr double BODY_BACK_X = 0.263;
constexpr double EYE_CENTRE_X = -0.213;
constexpr double EYE_CENTRE_Z = 0.059;
constexpr double EYE_RADIUS = 0.019;
constexpr double GILL_X = -0.15;          // the gill cover's rear edge at mid-height
constexpr double TAIL_FIN_FROM_X = 0.20;  // fin area behind this belongs to the tail, before it to
                                          // the dorsal (above) or anal (below) fin
constexpr double TAIL_TIP_X = 0.324;

namespace detail {

struct OutlinePoint {
    double x, v;
};

// Monotone cubic (Fritsch-Carlson) through the points; flat beyond the ends. Extremes of the
// curve lie exactly on points, so the outline's height and depth are those of its points.
template <std::size_t N>
double monotoneCubic(const std::array<OutlinePoint, N>& p, double x) {
    if (x <= p.front().x) return p.front().v;
    if (x >= p.back().x) return p.back().v;
    std::size_t k = 0;
    while (x > p[k + 1].x) ++k;
    auto secant = [&](std::size_t i) { return (p[i + 1].v - p[i].v) / (p[i + 1].x - p[i].x); };
    auto tangent = [&](std::size_t i) {
        if (i == 0) return secant(0);
        if (i == N - 1) return secant(N - 2);
        const double a = secant(i - 1), b = secant(i);
        if (a * b <= 0) return 0.0;
        return 2.0 / (1.0 / a + 1.0 / b);  // harmonic mean keeps the curve monotone
    };
    const double h = p[k + 1].x - p[k].x;
    const double t = (x - p[k].x) / h;
    const double t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * p[k].v + (t3 - 2 * t2 + t) * h * tangent(k) +
           (-2 * t3 + 3 * t2) * p[k + 1].v + (t3 - t2) * h * tangent(k + 1);
}

inline constexpr std::array<OutlinePoint, 11> BODY_TOP = {{{-0.266, 0.118},
                                                           {-0.240, 0.150},
                                                           {-0.200, 0.185},
                                                           {-0.120, 0.226},
                                                           {-0.030, 0.242},
                                                           {0.060, 0.238},
                                                           {0.120, 0.224},
                                                           {0.160, 0.200},
                                                           {0.200, 0.140},
                                                           {0.235, 0.088},
                                                           {0.263, 0.062}}};

inline constexpr std::array<OutlinePoint, 11> BODY_BOTTOM = {{{-0.266, -0.112},
                                                              {-0.240, -0.140},
                                                              {-0.200, -0.170},
                                                              {-0.120, -0.206},
                                                              {-0.020, -0.228},
                                                              {0.040, -0.230},
                                                              {0.100, -0.222},
                                                              {0.150, -0.204},
                                                              {0.190, -0.160},
                                                              {0.225, -0.105},
                                                              {0.263, -0.058}}};

}  // namespace detail

// The body's outline in the side view: its top and bottom z at model x.
inline double bodyTopZ(double x) {
    return detail::monotoneCubic(detail::BODY_TOP, x);
}
inline double bodyBottomZ(double x) {
    return detail::monotoneCubic(detail::BODY_BOTTOM, x);
}

}  // namespace veltamar::fishskin
