#pragma once

#include <algorithm>
#include <cmath>

#include "images.h"

// Laying one painted picture over another.

namespace veltamar::assetgen {

// Lays source over target with its top-left corner at (left, top), blending by the source's
// alpha; whatever falls outside the target is left out.
inline void composite(RgbaImage& target, const RgbaImage& source, int left, int top) {
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x) {
            const int tx = left + x, ty = top + y;
            if (tx < 0 || ty < 0 || tx >= target.width || ty >= target.height) continue;
            const Rgba& s = source.at(x, y);
            if (s.a == 0) continue;
            Rgba& d = target.at(tx, ty);
            const double sa = s.a / 255.0, da = d.a / 255.0;
            const double oa = sa + da * (1.0 - sa);
            auto channel = [&](std::uint8_t src, std::uint8_t dst) {
                const double v = (src * sa + dst * da * (1.0 - sa)) / oa;
                return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
            };
            d = {channel(s.r, d.r), channel(s.g, d.g), channel(s.b, d.b),
                 static_cast<std::uint8_t>(std::lround(oa * 255.0))};
        }
}

}  // namespace veltamar::assetgen
