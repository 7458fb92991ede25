#pragma once

#include <string>

// Closing a window as its close box would, on a display without a window manager: the window is
// sent the WM_DELETE_WINDOW message that a window manager sends.

namespace veltamar::e2e {

bool closeWindow(const std::string& windowId);

}  // namespace veltamar::e2e
