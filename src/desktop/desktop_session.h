#pragma once

#include "saver/saver_options.h"

// The desktop shell: the aquarium as the saver shows it, as the desktop's background behind every
// window (--wallpaper) or as the screen a compositor's idle daemon shows (--idle), on every output.
//
// The program started with the option watches the outputs (Wayland through GTK, X11 through RandR)
// and runs this same program again once per output, with the output named in its environment;
// that process draws on the output's own surface and nothing else. Settings are read and never
// written, nothing is said but on the error stream, and the built-in music plays (once, from one
// output's process) only with --sound.

namespace veltamar {

// Runs until SIGTERM, SIGINT or SIGHUP (status 0), or for the idle screen until the first input
// (status 0). Status 1 when nothing can be shown: no display, a Wayland compositor without the
// layer shell (GNOME Shell), the idle screen without Wayland, or no output could be drawn on.
int runDesktop(const SaverOptions& options);

}  // namespace veltamar
