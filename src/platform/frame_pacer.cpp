#include "platform/frame_pacer.h"

#include <cmath>

namespace veltamar {

double FramePacer::delayUntilNextTick(double nowMs) const {
    const double sinceEpoch = nowMs - epochMs;
    const double nextTick = (std::floor(sinceEpoch / TICK_MS) + 1.0) * TICK_MS;
    return nextTick - sinceEpoch;
}

int FramePacer::timerDelayMs(double nowMs) const {
    return static_cast<int>(std::ceil(delayUntilNextTick(nowMs) - 1e-9));
}

}  // namespace veltamar
