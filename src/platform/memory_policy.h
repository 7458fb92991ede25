#pragma once

// The aquarium runs for hours and now and then holds a large buffer for a short while: the
// built-in music converted for the sound device, a picture being decoded. By default the C library
// raises its threshold for giving memory straight back to the system to the size of the largest
// such buffer freed so far, after which buffers of that size come from the heap and, once freed,
// stay with the process. Keeping the threshold fixed makes every large buffer go back to the
// system when it is freed, so the resident size does not step up with the first repetitions.

namespace veltamar {

// Called once at start-up, before the first large buffer.
void returnLargeBuffersToTheSystem();

}  // namespace veltamar
