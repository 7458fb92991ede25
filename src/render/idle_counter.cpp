#include "render/idle_counter.h"

namespace veltamar {

int idleCounter = 0;

bool advanceIdleCounter() {
    if (idleCounter >= 100) return true;
    ++idleCounter;
    return idleCounter == 100;
}

}  // namespace veltamar
