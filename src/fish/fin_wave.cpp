#include "fish/fin_wave.h"

#include <cmath>

namespace veltamar {

std::array<float, FIN_WAVE_VALUES> FinWave::step() {
    const int old = tick;
    tick = old + 1;
    if (old > 5) {
        phase += phaseStep;
        tick = 0;
    }
    if (phase > FIN_WAVE_PHASE_LIMIT) phase = 0.0f;

    std::array<float, FIN_WAVE_VALUES> values{};
    for (int i = 0; i < FIN_WAVE_VALUES; ++i) values[i] = std::sin(i * spatialStep + phase) * amplitude;
    return values;
}

}  // namespace veltamar
