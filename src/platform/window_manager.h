#pragma once

// Whether the desktop's window manager can put a window into full-screen state. On X11 without a
// window manager (a bare X server such as Xvfb) nobody honours that request, and the frame is
// simply given the display's geometry instead.

namespace veltamar {

bool windowManagerSupportsFullScreen();

}  // namespace veltamar
