#include "platform/heap_tuning.h"

#include <malloc.h>

namespace veltamar {

void keepFrameMemoryInHeap() {
    // Setting either value also stops the library from raising the threshold by itself after a large
    // block is freed: both stay as set here.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, 32 * 1024 * 1024);
}

void giveBackFreedHeap() {
    malloc_trim(0);
}

}  // namespace veltamar
