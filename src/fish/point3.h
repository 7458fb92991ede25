#pragma once

// A point or offset in world units.

namespace veltamar {

struct Point3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

}  // namespace veltamar
