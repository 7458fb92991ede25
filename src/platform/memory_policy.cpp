#include "platform/memory_policy.h"

#include <cstdlib>  // defines __GLIBC__ on the GNU C library

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace veltamar {

void returnLargeBuffersToTheSystem() {
#ifdef __GLIBC__
    // The library's own starting value; setting it at all keeps it from moving.
    constexpr int MMAP_THRESHOLD_BYTES = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, MMAP_THRESHOLD_BYTES);
#endif
}

}  // namespace veltamar
