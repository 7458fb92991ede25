// Builds the vertex tables of the fish model (positions, smooth normals, texture coordinates of the
// eight parts) and writes them as constant tables into a C++ source file, the only argument:
//
//   ninja -C build regenerate-fish-model     (writes src/fish/fish_model_data.cpp)
//
// The shapes are made from a few curves: the body's side outline (shared with the skin painters),
// its width, and outlines of the fins. Each part is then fitted exactly onto the extents its layout
// declares, the normals are averaged over the quads around each vertex, and the texture
// coordinates follow the skin layout.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "fish/fish_model.h"
#include "fish/fish_skin_layout.h"

using namespace veltamar;
namespace skin = veltamar::fishskin;

namespace {

constexpr double PI = std::numbers::pi;

struct Vec {
    double x = 0, y = 0, z = 0;
    Vec operator+(const Vec& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec operator-(const Vec& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec operator*(double k) const { return {x * k, y * k, z * k}; }
    double& operator[](int i) { return i == 0 ? x : i == 1 ? y : z; }
    double operator[](int i) const { return i == 0 ? x : i == 1 ? y : z; }
};
Vec cross(const Vec& a, const Vec& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(const Vec& a, const Vec& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double length(const Vec& a) {
    return std::sqrt(dot(a, a));
}
Vec lerp(const Vec& a, const Vec& b, double t) {
    return a + (b - a) * t;
}
double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

struct Grid {
    FishPart part;
    std::vector<Vec> positions;           // row after row
    std::vector<skin::SkinCoord> coords;  // filled by the part's builder when not the side view
    std::vector<Vec> normals;
    const FishPartLayout& layout() const { return fishPartLayout(part); }
    Vec& at(int row, int column) {
        return positions[static_cast<std::size_t>(row) * layout().columns + column];
    }
};

Grid newGrid(FishPart part) {
    Grid g{part, {}, {}, {}};
    g.positions.resize(static_cast<std::size_t>(g.layout().rows) * g.layout().columns);
    return g;
}

// Half-width of the body at x, from the lips (as wide as their joint) to the slim tail root.
double bodyHalfWidth(double x) {
    static constexpr std::array<skin::detail::OutlinePoint, 11> WIDTH = {{{-0.266, 0.052},
                                                                          {-0.248, 0.066},
                                                                          {-0.228, 0.078},
                                                                          {-0.195, 0.086},
                                                                          {-0.120, 0.0915},
                                                                          {-0.070, 0.093},
                                                                          {0.000, 0.089},
                                                                          {0.080, 0.073},
                                                                          {0.160, 0.046},
                                                                          {0.220, 0.022},
                                                                          {0.263, 0.007}}};
    return skin::detail::monotoneCubic(WIDTH, x);
}

// The body: rows run around the stored half of the cross-section from the back ridge (row 0) to
// the belly (row 8), columns from the face to the tail root. The section is a full-sided oval:
// flat flanks thinning to the ridge and the belly.
Grid buildBody() {
    Grid g = newGrid(FishPart::Body);
    const auto& L = g.layout();
    for (int c = 0; c < L.columns; ++c) {
        const double a = static_cast<double>(c) / (L.columns - 1);
        const double spacing = 0.72 * a + 0.28 * (0.5 - 0.5 * std::cos(PI * a));  // closer at both ends
        const double x = lerp(skin::BODY_FRONT_X, skin::BODY_BACK_X, spacing);
        const double top = skin::bodyTopZ(x), bottom = skin::bodyBottomZ(x);
        const double centre = 0.5 * (top + bottom), half = 0.5 * (top - bottom);
        const double w = bodyHalfWidth(x);
        for (int r = 0; r < L.rows; ++r) {
            const double theta = PI * r / (L.rows - 1);
            const double side = std::pow(std::sin(theta), 0.8);
            g.at(r, c) = {x, -w * side, centre + half * std::cos(theta)};
        }
    }
    return g;
}

// A lip: a quarter of a rounded cap over the front of the body. Rows run from the joint with the
// body to the tip of the mouth, where the row closes to a point; columns run a quarter round the
// cap between the ridge (y = 0) and the mouth line (z = 0).
Grid buildLip(FishPart part, double jointX, double halfHeight, double halfWidth, bool upper) {
    Grid g = newGrid(part);
    const auto& L = g.layout();
    const double reach = jointX - skin::NOSE_X;
    for (int r = 0; r < L.rows; ++r) {
        const double alpha = 0.5 * PI * r / (L.rows - 1);
        const double x = jointX - reach * std::sin(alpha);
        const double ring = std::cos(alpha);
        for (int c = 0; c < L.columns; ++c) {
            const double phi = 0.5 * PI * c / (L.columns - 1);  // 0 at the ridge, 90 degrees at the mouth
            const double z = halfHeight * ring * std::cos(phi) * (upper ? 1.0 : -1.0);
            g.at(r, c) = {x, -halfWidth * ring * std::sin(phi), z};
        }
    }
    return g;
}

// Dorsal or anal fin: columns run along the base on the body from front to back, rows from the
// base (row 0) to the free edge. The free edge climbs from the front of the base to a point swept
// back over the tail root, so the fin is a tall sail; the fin is gently rippled sideways.
Grid buildSailFin(FishPart part, double baseFrontX, double baseBackX, double edgeFrontX, double tipX,
                  double tipZ, bool above) {
    Grid g = newGrid(part);
    const auto& L = g.layout();
    const double sign = above ? 1.0 : -1.0;
    auto baseZ = [&](double x) { return above ? skin::bodyTopZ(x) - 0.012 : skin::bodyBottomZ(x) + 0.012; };
    const double edgeFrontZ = baseZ(baseFrontX) + sign * 0.035;
    for (int c = 0; c < L.columns; ++c) {
        const double a = static_cast<double>(c) / (L.columns - 1);
        const double bx = lerp(baseFrontX, baseBackX, a);
        const Vec base{bx, 0, baseZ(bx)};
        const Vec edge{lerp(edgeFrontX, tipX, std::pow(a, 1.35)), 0,
                       lerp(edgeFrontZ, tipZ, std::pow(std::sin(0.5 * PI * a), 0.75))};
        for (int r = 0; r < L.rows; ++r) {
            const double t = static_cast<double>(r) / (L.rows - 1);
            Vec p = lerp(base, edge, t);
            p.y = 0.017 * t * std::cos(2.0 * PI * a);
            g.at(r, c) = p;
        }
    }
    return g;
}

// Tail: a short fan. Columns run from its lower tip to its upper tip; row 0 is rooted inside the
// tail end of the body, row 1 is the trailing edge, slightly forked and cupped.
Grid buildTail() {
    Grid g = newGrid(FishPart::TailFin);
    const auto& L = g.layout();
    for (int c = 0; c < L.columns; ++c) {
        const double a = static_cast<double>(c) / (L.columns - 1);
        const double m = 2.0 * a - 1.0;  // -1 at the lower tip, 1 at the upper tip
        g.at(TAIL_ATTACHED_ROW, c) = {0.170 + 0.012 * m * m, 0.0, lerp(-0.075, 0.078, a)};
        g.at(TAIL_TRAILING_ROW, c) = {0.296 + 0.028 * m * m, 0.009 - 0.015 * (1.0 - m * m),
                                      lerp(-0.198, 0.206, a)};
    }
    return g;
}

// Eyes: a low dome on the head. Columns run once round the eye (the last equals the first), row 0
// is the rim on the body, row 1 the iris, row 2 the centre point. Texture coordinates go to the
// eye patch of the skin.
Grid buildEye() {
    Grid g = newGrid(FishPart::Eyes);
    const auto& L = g.layout();
    const std::array<double, 3> radius = {1.0, 0.62, 0.0};
    const std::array<double, 3> height = {-0.075, -0.089, -0.094};
    for (int r = 0; r < L.rows; ++r)
        for (int c = 0; c < L.columns; ++c) {
            const double theta = 0.5 * PI + 2.0 * PI * c / (L.columns - 1);
            const double dx = radius[r] * std::cos(theta), dz = radius[r] * std::sin(theta);
            g.at(r, c) = {skin::EYE_CENTRE_X + skin::EYE_RADIUS * dx, height[r],
                          skin::EYE_CENTRE_Z + skin::EYE_RADIUS * dz};
            g.coords.push_back(skin::eyeCoord(dx, dz));
        }
    return g;
}

// Pectoral fin: a small fan rooted on the flank behind the gill, sweeping back and out. Row 1 is
// the base, a short upright line inside the flank; row 0 is the outer edge: its first nine columns
// run from the root's lower end out round the fan's rim and back to the root's upper end, the last
// three lie on the root (the part of the fin that never flaps). Texture coordinates go to the fin
// patch of the skin.
Grid buildPectoral() {
    Grid g = newGrid(FishPart::PectoralFins);
    const auto& L = g.layout();
    constexpr int RIM_COLUMNS = 9;
    const Vec rootLow{-0.096, -0.061, -0.023}, rootHigh{-0.090, -0.061, 0.027};
    for (int c = 0; c < L.columns; ++c) {
        Vec base, outer;
        if (c < RIM_COLUMNS) {
            const double a = static_cast<double>(c) / (RIM_COLUMNS - 1);
            const double reach = std::sin(PI * a);
            base = lerp(rootLow, rootHigh, a);
            outer = {base.x + 0.077 * reach, -0.061 - 0.103 * reach, base.z - 0.006 * reach};
        } else {
            const double a = static_cast<double>(c - RIM_COLUMNS + 1) / (L.columns - RIM_COLUMNS + 1);
            base = outer = lerp(rootHigh, rootLow, a);
        }
        g.at(PECTORAL_OUTER_ROW, c) = outer;
        g.at(PECTORAL_BASE_ROW, c) = base;
    }
    for (int r = 0; r < L.rows; ++r)
        for (int c = 0; c < L.columns; ++c) {
            const double a = std::min(1.0, static_cast<double>(c) / (RIM_COLUMNS - 1));
            const double reach = c < RIM_COLUMNS ? std::sin(PI * a) : 0.0;
            g.coords.push_back(skin::pectoralCoord(a, r == PECTORAL_OUTER_ROW ? reach : 0.0));
        }
    return g;
}

// Fits the part exactly onto its declared extents, axis by axis, and reports how far that moved it.
void fitToExtents(Grid& g) {
    const auto& L = g.layout();
    for (int axis = 0; axis < 3; ++axis) {
        double lo = 1e9, hi = -1e9;
        for (const Vec& p : g.positions) lo = std::min(lo, p[axis]), hi = std::max(hi, p[axis]);
        const double wantLo = L.extentMin[axis], wantHi = L.extentMax[axis];
        const double scale = (hi > lo) ? (wantHi - wantLo) / (hi - lo) : 1.0;
        for (Vec& p : g.positions) p[axis] = (hi > lo) ? wantLo + (p[axis] - lo) * scale : wantLo;
        std::fprintf(stderr, "%-13s axis %c: %.4f..%.4f -> %.4f..%.4f (scale %.3f)\n", L.name, "xyz"[axis],
                     lo, hi, wantLo, wantHi, scale);
    }
}

// Smooth normals: each vertex gets the normalised sum of the normals of the quads around every
// vertex at the same place (so closed rings, collapsed rows and tips are smooth too), turned to
// the outside given by `outward`. On the mirror plane of a mirrored part the normal lies in it.
template <typename Outward>
void computeNormals(Grid& g, Outward outward) {
    const auto& L = g.layout();
    auto key = [](const Vec& p) {
        return std::array<long, 3>{std::lround(p.x * 1e6), std::lround(p.y * 1e6), std::lround(p.z * 1e6)};
    };
    std::map<std::array<long, 3>, Vec> sums;
    for (int r = 0; r + 1 < L.rows; ++r)
        for (int c = 0; c + 1 < L.columns; ++c) {
            const Vec p00 = g.at(r, c), p01 = g.at(r, c + 1), p10 = g.at(r + 1, c), p11 = g.at(r + 1, c + 1);
            Vec n = cross(p11 - p00, p01 - p10);  // diagonals: robust where an edge has collapsed
            const Vec centre = (p00 + p01 + p10 + p11) * 0.25;
            if (dot(n, outward(centre)) < 0) n = n * -1.0;
            for (const Vec& p : {p00, p01, p10, p11}) sums[key(p)] = sums[key(p)] + n;
        }
    g.normals.clear();
    for (const Vec& p : g.positions) {
        Vec n = sums[key(p)];
        if (L.mirrored && std::fabs(p.y) < 1e-9) n.y = 0;
        const double len = length(n);
        g.normals.push_back(len > 0 ? n * (1.0 / len) : outward(p) * (1.0 / length(outward(p))));
    }
}

void sideViewCoords(Grid& g) {
    g.coords.clear();
    for (const Vec& p : g.positions) g.coords.push_back(skin::sideViewCoord(p.x, p.z));
}

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", v);
    std::string s = text;
    if (s == "-0.000000") s = "0.000000";
    return s + "f";
}

bool writeSource(const std::string& path, const std::vector<Grid>& parts) {
    FILE* out = std::fopen(path.c_str(), "w");
    if (!out) return false;
    std::fprintf(out,
                 "// Generated by tools/fishmodel (target veltamar-fishmodel); do not edit by hand.\n"
                 "// Regenerate with:  ninja -C build regenerate-fish-model\n"
                 "//\n"
                 "// Vertex tables of the fish model: for every part, row after row, the position (model\n"
                 "// units, nose along -x, z up), the smooth normal and the skin texture coordinate.\n\n"
                 "#include \"fish/fish_model.h\"\n\n"
                 "namespace veltamar {\n\n"
                 "const FishVertex FISH_MODEL_VERTICES[FISH_MODEL_VERTEX_COUNT] = {\n");
    for (const Grid& g : parts) {
        const auto& L = g.layout();
        std::fprintf(out, "    // %s: %d rows x %d columns%s\n", L.name, L.rows, L.columns,
                     L.mirrored ? ", stored half (y <= 0)" : "");
        for (std::size_t i = 0; i < g.positions.size(); ++i) {
            const Vec& p = g.positions[i];
            const Vec& n = g.normals[i];
            const auto& t = g.coords[i];
            std::fprintf(out, "    {{%s, %s, %s}, {%s, %s, %s}, {%s, %s}},\n", number(p.x).c_str(),
                         number(p.y).c_str(), number(p.z).c_str(), number(n.x).c_str(), number(n.y).c_str(),
                         number(n.z).c_str(), number(t.s).c_str(), number(t.t).c_str());
        }
    }
    std::fprintf(out, "};\n\n}  // namespace veltamar\n");
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp\n", argv[0]);
        return 2;
    }
    std::vector<Grid> parts;
    parts.push_back(buildBody());
    parts.push_back(buildLip(FishPart::UpperLip, -0.262, 0.124, 0.057, true));
    parts.push_back(buildLip(FishPart::LowerLip, -0.255, 0.118, 0.056, false));
    parts.push_back(buildSailFin(FishPart::DorsalFin, 0.059, 0.125, 0.067, 0.192, 0.499, true));
    parts.push_back(buildSailFin(FishPart::AnalFin, 0.065, 0.133, 0.073, 0.187, -0.500, false));
    parts.push_back(buildTail());
    parts.push_back(buildEye());
    parts.push_back(buildPectoral());

    for (Grid& g : parts) {
        fitToExtents(g);
        const FishPart part = g.part;
        computeNormals(g, [part](const Vec& p) -> Vec {
            switch (part) {
                case FishPart::Body: {
                    const double centre = 0.5 * (skin::bodyTopZ(p.x) + skin::bodyBottomZ(p.x));
                    return {0, p.y, p.z - centre};
                }
                case FishPart::UpperLip:
                case FishPart::LowerLip:
                    return {p.x - skin::LIP_JOINT_X, p.y, p.z};
                default:
                    return {0, -1, 0};  // fins and eyes face the stored half's side
            }
        });
        if (g.coords.empty()) sideViewCoords(g);
    }
    if (!writeSource(argv[1], parts)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
