#pragma once

#include "saver/saver_options.h"

// The screensaver shell: the scene engine on a window that a screensaver daemon (or a preview in a
// settings dialog) hands over, through plain Xlib and GLX, without the toolkit. It takes no input,
// shows no window, text or message box of its own (messages go to the standard error stream,
// which the daemon keeps), holds no single-instance lock (a daemon runs one saver per monitor,
// perhaps beside the aquarium itself) and never writes the settings file.

namespace veltamar {

// Runs the saver until SIGTERM, SIGINT or SIGHUP arrives or the window is destroyed (status 0).
// Status 1 when the window cannot be drawn on.
int runSaver(const SaverOptions& options);

}  // namespace veltamar
