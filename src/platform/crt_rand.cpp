#include "platform/crt_rand.h"

#include <cstdint>

namespace veltamar {

namespace {
std::uint32_t randState = 1;
}

int crtRand() {
    randState = randState * 214013u + 2531011u;
    return static_cast<int>((randState >> 16) & 0x7fffu);
}

void crtSrand(unsigned int seed) { randState = seed; }

}  // namespace veltamar
