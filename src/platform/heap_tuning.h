#pragma once

// How the C library's heap treats memory given back to it, set once at the start of the process.

namespace veltamar {

// The software renderer builds every frame from a few hundred 64 KiB blocks that it takes from the
// heap and gives back when the frame is done. By default the C library then hands the top of the
// heap back to the system and takes it again in the next frame, page by freshly zeroed page (about
// 220 page faults a frame with a full tank). This keeps up to 32 MiB of freed heap for the next
// frame instead; blocks of 128 KiB and more still come straight from the system and go straight
// back when freed, so a large picture or sound read once leaves nothing behind.
void keepFrameMemoryInHeap();

// Gives every whole free page of the heap back to the system, wherever it lies in the heap. Called
// once the program has settled, it lets go of what starting up used and no longer needs (most of
// it the renderer's shader compiler's working memory, freed in the middle of the heap where the
// trim threshold never reaches); the frame's own blocks are taken again by the next frame and then
// kept as above.
void giveBackFreedHeap();

}  // namespace veltamar
