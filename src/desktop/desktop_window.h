#pragma once

#include <memory>
#include <string>

#include "desktop/output_scene.h"
#include "desktop/x11_monitors.h"

// One X11 monitor's wallpaper: a window of type _NET_WM_WINDOW_TYPE_DESKTOP over the monitor, which
// window managers keep below every other window, on every workspace and out of task bars and
// pagers. Its input shape is empty, so clicks fall through to the root window, where the window
// manager (its desktop menu) and desktop programs take them. It follows its monitor when that is
// moved or resized. The scene is drawn on it through GlxWindow, as the saver draws on a daemon's
// window, and only while some of it can be seen: a window fully covered (a maximised or full-screen
// window over the whole monitor) or unmapped is not drawn.

namespace veltamar {

class GlxWindow;

class DesktopWindow : public DesktopSurface {
  public:
    // The window over the named monitor. Nothing when the monitor is not there (why: OutputGone) or
    // the window cannot be drawn on (why: Failed, the reason in problem).
    static std::unique_ptr<DesktopWindow> open(const std::string& monitorName, SurfaceEnd& why,
                                               std::string& problem);
    ~DesktopWindow() override;
    DesktopWindow(const DesktopWindow&) = delete;
    DesktopWindow& operator=(const DesktopWindow&) = delete;

    int width() const override;
    int height() const override;
    bool ready() const override { return true; }
    bool mayDraw() const override { return mapped && !fullyObscured; }
    SurfaceEnd ended() const override { return end; }
    void beforeFrame() override;
    void swapBuffers() override;

  private:
    DesktopWindow() = default;
    bool create(const X11Monitor& monitor, std::string& problem);
    void readEvents();
    void followMonitor();

    _XDisplay* display = nullptr;
    unsigned long window = 0;
    std::string monitorName;
    X11Monitor placed;
    std::unique_ptr<GlxWindow> glx;
    unsigned fdSource = 0;
    bool mapped = false;
    bool fullyObscured = true;
    SurfaceEnd end = SurfaceEnd::NotEnded;
};

}  // namespace veltamar
