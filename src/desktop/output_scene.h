#pragma once

#include <functional>

#include "render/frame_renderer.h"

// One output's drawing process: the aquarium as the saver shows it, on a surface of the desktop's
// (a Wayland layer surface, an X11 desktop window), paced like the aquarium view (at most one frame
// per 15.625 ms tick) and drawn only while the desktop can show it, so a covered wallpaper costs
// nothing. The process runs GLib's main loop, where GTK and the surfaces deliver their events.

namespace veltamar {

// Why a surface has ended; the drawing process ends with the matching status.
enum class SurfaceEnd {
    NotEnded,
    Closed,      // the desktop closed it, or the process was asked to end: status 0
    Input,       // the idle screen saw input: CHILD_STATUS_INPUT
    OutputGone,  // its output went away: CHILD_STATUS_OUTPUT_GONE
    Failed,      // it cannot be drawn on: status 1
};

class DesktopSurface : public FrameHost {
  public:
    // The size to draw at, in pixels; 0 until the desktop has given one.
    virtual int width() const = 0;
    virtual int height() const = 0;
    // True once an OpenGL context is current on the surface and it has a size.
    virtual bool ready() const = 0;
    // True while a frame drawn now would be seen: the desktop asked for one (Wayland frame
    // callbacks) or the surface is not covered (X11 visibility).
    virtual bool mayDraw() const = 0;
    virtual SurfaceEnd ended() const = 0;
    // Looks at the surface's events just before a frame (an X11 window's size and end).
    virtual void beforeFrame() {}

    void hideCursor() override {}

    // Called by the surface when any of the above may have changed; set by the scene's loop.
    std::function<void()> changed;

  protected:
    void tellChanged() {
        if (changed) changed();
    }
};

// The drawing process's exit status for a surface that ended so.
int statusForEnd(SurfaceEnd end);

// Runs the aquarium on the surface until the surface ends or SIGTERM, SIGINT or SIGHUP arrives.
// With sound, the built-in music plays. Gives the drawing process's exit status.
int runOutputScene(DesktopSurface& surface, bool sound);

}  // namespace veltamar
