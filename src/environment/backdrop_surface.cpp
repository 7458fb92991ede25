#include "environment/backdrop_surface.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "settings/live_settings.h"

namespace veltamar {

float backdropSway = 0.0f;
bool backdropSwayRising = true;

namespace {

constexpr float SWAY_STEP = 0.008f;
constexpr float SWAY_TOP = 1.0f;
constexpr float SWAY_BOTTOM = -0.5f;
constexpr float SURFACE_Z = -90.0f;
constexpr int SURFACE_DIVISIONS = 2;

// Heights of the six rows, top to bottom (single-precision constants), on a tank 50 units high;
// a higher tank stretches them by as much.
constexpr float ROW_Y[BACKDROP_ORDER] = {39.0f, 23.6f, 8.2f, -7.2f, -22.6f, -38.0f};
constexpr double ROW_TANK_HEIGHT = 50.0;

void stepSway() {
    const int style = backgroundIndexInRange();
    if (style != 0 && style != 2) return;
    backdropSway += backdropSwayRising ? SWAY_STEP : -SWAY_STEP;
    if (backdropSway > SWAY_TOP) backdropSwayRising = false;
    if (backdropSway < SWAY_BOTTOM) backdropSwayRising = true;
}

BackdropPoint weighted(const BackdropPoint& p, double w) {
    return {p.x * w, p.y * w, p.z * w};
}

BackdropPoint sum(const BackdropPoint& a, const BackdropPoint& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

class GlStrips : public BackdropStripSink {
  public:
    void beginStrip() override { glBegin(GL_TRIANGLE_STRIP); }
    void vertex(float s, float t, const BackdropPoint& p) override {
        glTexCoord2f(s, t);
        glVertex3d(p.x, p.y, p.z);
    }
    void endStrip() override { glEnd(); }
};

}  // namespace

void buildBackdropControlPoints(BackdropPatch& patch, const TankBounds& tank) {
    stepSway();
    fitBackdropControlPoints(patch, tank);
}

void fitBackdropControlPoints(BackdropPatch& patch, const TankBounds& tank) {
    patch.backdropDivisions = SURFACE_DIVISIONS;
    const float w = backdropSway;
    const double step = (tank.sceneRight - tank.sceneLeft) * 0.2;
    const double rowScale = (tank.sceneTop - tank.sceneBottom) / ROW_TANK_HEIGHT;
    for (int c = 0; c < BACKDROP_ORDER; ++c) {
        const float columnX = static_cast<float>(tank.sceneLeft + c * step);
        const bool even = c % 2 == 0;
        for (int r = 0; r < BACKDROP_ORDER; ++r) {
            BackdropPoint& p = patch.backdropControlPoints[r][c];
            p.y = ROW_Y[r] * rowScale;
            if (r < 2) {
                // The top two rows sway: shifted sideways and pushed alternately back and forth.
                p.x = w + columnX;
                p.z = even ? w + SURFACE_Z : SURFACE_Z - w;
            } else {
                p.x = columnX;
                p.z = SURFACE_Z;
            }
        }
    }
}

BackdropPoint bezierPoint5(const BackdropCurve& q, float s) {
    const double u = s;
    const double m = 1.0f - s;
    const double weights[BACKDROP_ORDER] = {
        std::pow(u, 5),
        5.0 * std::pow(u, 4) * std::pow(m, 1),
        10.0 * std::pow(u, 3) * std::pow(m, 2),
        10.0 * std::pow(u, 2) * std::pow(m, 3),
        5.0 * std::pow(u, 1) * std::pow(m, 4),
        std::pow(m, 5),
    };
    BackdropPoint point;
    for (int k = 0; k < BACKDROP_ORDER; ++k) point = sum(point, weighted(q[k], weights[k]));
    return point;
}

void traceBackdropSurface(const BackdropControlPoints& points, int divisions, BackdropStripSink& sink) {
    if (divisions < 1) return;
    const int n = std::min(divisions, MAX_BACKDROP_DIVISIONS);
    const float steps = static_cast<float>(n);

    // The working column starts as the last control column, evaluated top to bottom.
    BackdropCurve lastColumn;
    for (int r = 0; r < BACKDROP_ORDER; ++r) lastColumn[r] = points[r][BACKDROP_ORDER - 1];
    std::array<BackdropPoint, MAX_BACKDROP_DIVISIONS + 1> previous;
    for (int j = 0; j <= n; ++j) previous[j] = bezierPoint5(lastColumn, j / steps);

    for (int i = 0; i <= n; ++i) {
        const float u = i / steps;
        BackdropCurve column;
        for (int r = 0; r < BACKDROP_ORDER; ++r) column[r] = bezierPoint5(points[r], u);
        sink.beginStrip();
        for (int j = 0; j <= n; ++j) {
            const float v = j / steps;
            sink.vertex((i - 1) / steps, v, previous[j]);
            const BackdropPoint next = bezierPoint5(column, v);
            sink.vertex(i / steps, v, next);
            previous[j] = next;
        }
        sink.endStrip();
    }
}

void drawBackdropSurface(const BackdropControlPoints& points, int divisions) {
    GlStrips strips;
    traceBackdropSurface(points, divisions, strips);
}

namespace {

// The surface as triangles, each corner with its texture coordinate t.
struct TexturedCorner {
    BackdropPoint point;
    double t = 0.0;
};
using SurfaceTriangle = std::array<TexturedCorner, 3>;

class TriangleCollector : public BackdropStripSink {
  public:
    std::vector<SurfaceTriangle> triangles;
    void beginStrip() override { strip.clear(); }
    void vertex(float, float t, const BackdropPoint& p) override { strip.push_back({p, t}); }
    void endStrip() override {
        for (std::size_t i = 2; i < strip.size(); ++i)
            triangles.push_back({strip[i - 2], strip[i - 1], strip[i]});
    }

  private:
    std::vector<TexturedCorner> strip;
};

// The part of a triangle where side(t) >= 0, for a side that is linear in t: t is affine across the
// flat triangle, so the part is the polygon cut off by one straight line.
template <typename Side>
std::vector<TexturedCorner> partWhere(const SurfaceTriangle& triangle, Side side) {
    std::vector<TexturedCorner> part;
    for (std::size_t i = 0; i < triangle.size(); ++i) {
        const TexturedCorner& a = triangle[i];
        const TexturedCorner& b = triangle[(i + 1) % triangle.size()];
        const double sa = side(a.t), sb = side(b.t);
        if (sa >= 0.0) part.push_back(a);
        if ((sa < 0.0) != (sb < 0.0)) {
            const double k = sa / (sa - sb);
            part.push_back({{a.point.x + k * (b.point.x - a.point.x), a.point.y + k * (b.point.y - a.point.y),
                             a.point.z + k * (b.point.z - a.point.z)},
                            a.t + k * (b.t - a.t)});
        }
    }
    return part;
}

// Window rows that a polygon's pixels may fall in; false when a corner cannot be projected.
constexpr int ROW_MARGIN = 1;
bool rowsTouched(const std::vector<TexturedCorner>& polygon, const GLdouble* model,
                 const GLdouble* projection, const GLint* viewport,
                 std::vector<std::pair<int, int>>& touched) {
    if (polygon.empty()) return true;
    double low = 1e300, high = -1e300;
    for (const TexturedCorner& c : polygon) {
        GLdouble x = 0, y = 0, z = 0;
        if (gluProject(c.point.x, c.point.y, c.point.z, model, projection, viewport, &x, &y, &z) != GL_TRUE ||
            !std::isfinite(y))
            return false;
        low = std::min(low, y);
        high = std::max(high, y);
    }
    touched.emplace_back(static_cast<int>(std::floor(low)) - ROW_MARGIN,
                         static_cast<int>(std::ceil(high)) + ROW_MARGIN);
    return true;
}

// How the picture is blended where it may sample transparent texels.
void blendKeyed(bool keyed) {
    if (keyed) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.0f);
    } else {
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
    }
}

void drawSurfaceInRows(const BackdropPatch& patch, const GLint* viewport, int first, int end) {
    if (end <= first) return;
    glScissor(viewport[0], first, viewport[2], end - first);
    drawBackdropSurface(patch.backdropControlPoints, patch.backdropDivisions);
}

}  // namespace

WindowRows surfaceRowsWithin(const BackdropPatch& patch, double tLow, double tHigh) {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (tHigh <= tLow) return {};

    TriangleCollector surface;
    traceBackdropSurface(patch.backdropControlPoints, patch.backdropDivisions, surface);
    std::vector<std::pair<int, int>> outside;  // rows of pixels whose t may lie outside tLow..tHigh
    for (const SurfaceTriangle& triangle : surface.triangles) {
        if (!rowsTouched(partWhere(triangle, [&](double t) { return t - tHigh; }), model, projection,
                         viewport, outside) ||
            !rowsTouched(partWhere(triangle, [&](double t) { return tLow - t; }), model, projection, viewport,
                         outside))
            return {};
    }

    // The widest stretch of the viewport's rows that none of those reaches.
    std::sort(outside.begin(), outside.end());
    WindowRows best;
    int free = viewport[1];
    auto consider = [&](int end) {
        if (end - free > best.end - best.first) best = {free, end};
    };
    for (const auto& [first, last] : outside) {
        consider(std::min(first, viewport[1] + viewport[3]));
        free = std::max(free, last + 1);
    }
    consider(viewport[1] + viewport[3]);
    return best;
}

void drawBackdropPicture(const BackdropPatch& patch, GLuint texture, const OpaqueRows& opaqueRows,
                         bool whiteLight) {
    if (texture == 0) return;  // no picture was loaded: the colour plane stays the background
    // A black-keyed picture is transparent where it was pure black, but the frame has blending
    // off at this point, which would paint those texels black over the colour plane. Blend by the
    // texture's alpha for this draw only, with the current colour made opaque, so exactly the keyed
    // texels let the plane through; the saved state is restored afterwards.
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT | GL_SCISSOR_BIT);
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_COLOR, current);
    glColor4f(current[0], current[1], current[2], 1.0f);

    glBindTexture(GL_TEXTURE_2D, texture);
    // Where the picture is never shrunk to less than 1/1.35 of its texels per pixel, every pixel
    // samples the full-size level of a mipmapped picture anyway: sampling without mipmaps then gives
    // the same pixels for a good deal less work.
    GLint minification = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minification);
    const bool fullSizeOnly = minification != GL_LINEAR && backdropTexelsPerPixel(patch) <= 1.35;
    if (fullSizeOnly) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    const bool fullSizeSampled = fullSizeOnly || minification == GL_LINEAR || minification == GL_NEAREST;

    // A lit colour that is white in every channel multiplies no texel.
    GLint environment = GL_MODULATE;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
    if (whiteLight) glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);

    // The rows of the screen where every sample comes from opaque texels: blending with an alpha of
    // one and a test that every sample passes change nothing there. Bilinear sampling reaches half
    // a texel row to either side (a row more is kept clear), and only the full-size level is known.
    GLint alphaBits = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    WindowRows opaque;
    if (alphaBits == 0 || opaqueRows.whole()) {
        opaque = {viewport[1], viewport[1] + viewport[3]};
    } else if (fullSizeSampled && opaqueRows.count > 3 && opaqueRows.height > 0) {
        const double rows = opaqueRows.height;
        opaque = surfaceRowsWithin(patch, (opaqueRows.first + 1.5) / rows,
                                   (opaqueRows.first + opaqueRows.count - 1.5) / rows);
    }

    glPushMatrix();
    if (opaque.empty()) {
        blendKeyed(true);
        drawBackdropSurface(patch.backdropControlPoints, patch.backdropDivisions);
    } else {
        glEnable(GL_SCISSOR_TEST);
        blendKeyed(false);
        drawSurfaceInRows(patch, viewport, opaque.first, opaque.end);
        blendKeyed(true);
        drawSurfaceInRows(patch, viewport, viewport[1], opaque.first);
        drawSurfaceInRows(patch, viewport, opaque.end, viewport[1] + viewport[3]);
    }
    glPopMatrix();

    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, environment);
    if (fullSizeOnly) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minification);
    glPopAttrib();
}

double backdropTexelsPerPixel(const BackdropPatch& patch) {
    GLint textureWidth = 0, textureHeight = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &textureWidth);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &textureHeight);
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    auto onScreen = [&](const BackdropPoint& p) {
        std::array<GLdouble, 3> window{};
        gluProject(p.x, p.y, p.z, model, projection, viewport, &window[0], &window[1], &window[2]);
        return window;
    };
    const auto& points = patch.backdropControlPoints;
    const auto topLeft = onScreen(points[0][0]);
    const auto topRight = onScreen(points[0][BACKDROP_ORDER - 1]);
    const auto bottomLeft = onScreen(points[BACKDROP_ORDER - 1][0]);
    const double across = std::hypot(topRight[0] - topLeft[0], topRight[1] - topLeft[1]);
    const double down = std::hypot(bottomLeft[0] - topLeft[0], bottomLeft[1] - topLeft[1]);
    if (across <= 0.0 || down <= 0.0) return 1e9;
    return std::max(textureWidth / across, textureHeight / down);
}

}  // namespace veltamar
