#pragma once

#include <array>

// The sine wave that moves a fin: the tail fin's trailing edge sways sideways and the pectoral
// fins flap with it. Each drawn frame steps the wave once and reads nine values, one per fin
// column; the phase advances once every seven frames.

namespace veltamar {

constexpr int FIN_WAVE_VALUES = 9;

struct FinWave {
    float phase;        // radians
    int tick;           // frames since the last phase step
    float spatialStep;  // phase difference between neighbouring columns, radians
    float amplitude;    // peak displacement per unit of fish size, model units
    float phaseStep;    // phase added at each step, radians

    // Advances one frame and returns the displacement of each column.
    std::array<float, FIN_WAVE_VALUES> step();
};

constexpr FinWave TAIL_WAVE_START = {0.0f, 0, 0.39269906f, 0.03f, 0.52359873f};
constexpr FinWave PECTORAL_WAVE_START = {0.0f, 0, 0.31415924f, 0.03f, 0.52359873f};

// The phase restarts at 0 once it has passed this; it is not reduced by a full turn.
constexpr float FIN_WAVE_PHASE_LIMIT = 6.283185f;

}  // namespace veltamar
