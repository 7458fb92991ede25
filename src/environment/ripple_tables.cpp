#include "environment/ripple_tables.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace veltamar {

namespace {

// The tables hold their values to six significant digits.
double sixDigits(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return std::strtod(text, nullptr);
}

}  // namespace

const std::array<std::array<RippleVector, RIPPLE_GRID>, RIPPLE_GRID>& rippleVectors() {
    static const auto table = [] {
        std::array<std::array<RippleVector, RIPPLE_GRID>, RIPPLE_GRID> t{};
        for (int a = 0; a < RIPPLE_GRID; ++a) {
            for (int b = 0; b < RIPPLE_GRID; ++b) {
                const double x = a * 800.0 / 31.0;
                const double y = b * 800.0 / 31.0;
                const double length = std::sqrt(x * x + y * y);
                if (length == 0.0) {
                    t[a][b] = {0.0, 0.0, 0};
                    continue;
                }
                t[a][b] = {sixDigits(x / length), sixDigits(y / length), static_cast<int>(length)};
            }
        }
        return t;
    }();
    return table;
}

const std::array<double, 256>& rippleAmplitudes() {
    static const auto table = [] {
        std::array<double, 256> t{};
        for (int n = 1; n <= 254; ++n) {
            const double s = 1.0 - n / 2047.0;
            t[n] = sixDigits((0.5 - 0.5 * std::cos(s * 2.0 * 3.1428571 * 18.0)) * 0.125 * std::pow(s, 8));
        }
        return t;
    }();
    return table;
}

}  // namespace veltamar
