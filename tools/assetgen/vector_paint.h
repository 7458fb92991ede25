#pragma once

#include <functional>
#include <vector>

#include "images.h"
#include "paint_kit.h"

// Anti-aliased painting of small pictures (icons, marks) from shapes given as signed distance
// functions: negative inside, positive outside, in pixels. Pixel (x, y) covers the square from
// (x, y) to (x + 1, y + 1), so its centre is (x + 0.5, y + 0.5).

namespace veltamar::assetgen {

struct Point2 {
    double x = 0, y = 0;
};

using Distance = std::function<double(double x, double y)>;
// The colour of a shape at a point (gradients and shading).
using Shader = std::function<Colour(double x, double y)>;

Distance circle(Point2 centre, double radius);
Distance ellipse(Point2 centre, double rx, double ry);
Distance roundedRect(double left, double top, double right, double bottom, double radius);
Distance polygon(std::vector<Point2> points);
// A stroke of the given half-width along the segment from a to b, with round ends.
Distance segment(Point2 a, Point2 b, double halfWidth);
// Points inside a and not inside b.
Distance subtract(Distance a, Distance b);
// Points inside a or inside b.
Distance unite(Distance a, Distance b);
// The shape grown by amount pixels (shrunk when negative).
Distance grown(Distance shape, double amount);

// Paints a shape over the picture with the given shader and opacity, blending its edge by the
// pixel's coverage.
void fill(RgbaImage& image, const Distance& shape, const Shader& shader, double opacity = 1.0);
void fill(RgbaImage& image, const Distance& shape, Colour colour, double opacity = 1.0);

}  // namespace veltamar::assetgen
