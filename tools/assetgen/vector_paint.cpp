#include "vector_paint.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veltamar::assetgen {

Distance circle(Point2 c, double radius) {
    return [=](double x, double y) { return std::hypot(x - c.x, y - c.y) - radius; };
}

// Distance approximated by scaling the unit-circle distance with the gradient length, which is
// exact enough for edge blending.
Distance ellipse(Point2 c, double rx, double ry) {
    return [=](double x, double y) {
        const double nx = (x - c.x) / rx, ny = (y - c.y) / ry;
        const double k = std::hypot(nx, ny);
        const double gradient = std::hypot(nx / rx, ny / ry);
        return gradient > 1e-9 ? (k - 1.0) * k / gradient : -std::min(rx, ry);
    };
}

Distance roundedRect(double left, double top, double right, double bottom, double radius) {
    const double cx = (left + right) / 2, cy = (top + bottom) / 2;
    const double hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
    return [=](double x, double y) {
        const double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
        const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
        return outside + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

Distance polygon(std::vector<Point2> points) {
    return [points = std::move(points)](double x, double y) {
        double nearest = std::numeric_limits<double>::max();
        bool inside = false;
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Point2 a = points[j], b = points[i];
            const double ex = b.x - a.x, ey = b.y - a.y;
            const double t = std::clamp(((x - a.x) * ex + (y - a.y) * ey) / (ex * ex + ey * ey), 0.0, 1.0);
            nearest = std::min(nearest, std::hypot(x - a.x - t * ex, y - a.y - t * ey));
            if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * ex / ey) inside = !inside;
        }
        return inside ? -nearest : nearest;
    };
}

Distance segment(Point2 a, Point2 b, double halfWidth) {
    return [=](double x, double y) {
        const double ex = b.x - a.x, ey = b.y - a.y;
        const double length2 = ex * ex + ey * ey;
        const double t =
            length2 > 0 ? std::clamp(((x - a.x) * ex + (y - a.y) * ey) / length2, 0.0, 1.0) : 0.0;
        return std::hypot(x - a.x - t * ex, y - a.y - t * ey) - halfWidth;
    };
}

Distance unite(Distance a, Distance b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

Distance subtract(Distance a, Distance b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

Distance grown(Distance shape, double amount) {
    return [shape = std::move(shape), amount](double x, double y) { return shape(x, y) - amount; };
}

void fill(RgbaImage& image, const Distance& shape, const Shader& shader, double opacity) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double coverage = clamp01(0.5 - shape(px, py)) * opacity;
            if (coverage <= 0) continue;
            const Colour c = shader(px, py);
            Rgba& d = image.at(x, y);
            // "Over" compositing in straight (not premultiplied) alpha.
            const double da = d.a / 255.0;
            const double oa = coverage + da * (1 - coverage);
            auto channel = [&](double src, std::uint8_t dst) {
                const double v = (clamp01(src) * coverage + dst / 255.0 * da * (1 - coverage)) / oa;
                return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255));
            };
            d = {channel(c.r, d.r), channel(c.g, d.g), channel(c.b, d.b),
                 static_cast<std::uint8_t>(std::lround(oa * 255))};
        }
    }
}

void fill(RgbaImage& image, const Distance& shape, Colour colour, double opacity) {
    fill(
        image, shape, [colour](double, double) { return colour; }, opacity);
}

}  // namespace veltamar::assetgen
