#pragma once

// Makes no OpenGL context current on this thread (GLX on X11, EGL on Wayland), so the context can be
// deleted before the process ends.

namespace veltamar {

void releaseCurrentGlContext();

// Asks the driver to synchronise buffer swaps with the display's refresh where it offers that.
void requestSwapSync();

}  // namespace veltamar
