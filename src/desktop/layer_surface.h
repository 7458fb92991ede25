#pragma once

#include <memory>
#include <string>

#include "desktop/idle_input.h"
#include "desktop/output_locator.h"
#include "desktop/output_scene.h"

// One output's Wayland surface: a GTK window turned into a layer surface (gtk-layer-shell) anchored
// to the output's four edges, over the whole output whatever other surfaces reserve (exclusive zone
// -1), drawn with EGL at the output's size in pixels (a scaled output gets a buffer of its own
// scale, so it stays sharp). The wallpaper's is on the background layer, takes no keyboard and has
// an empty input region, so clicks go to the desktop. The idle screen's is on the overlay layer,
// takes the keyboard and hides the pointer, and ends at the first input.
//
// Frames follow the compositor's frame callbacks: one is asked for with every frame, and none is
// drawn until it comes. A compositor sends none while the surface cannot be seen (a full-screen
// window over it, the output off), so then nothing is drawn at all.

typedef struct _GtkWidget GtkWidget;
typedef struct _GdkMonitor GdkMonitor;
struct wl_callback;
struct wl_egl_window;
struct wl_surface;

namespace veltamar {

class LayerSurface : public DesktopSurface {
  public:
    // The surface on the output the locator names (GTK must be connected: openWaylandDisplay), or
    // nothing when the output is not there. What fails once the compositor has given the surface its
    // size is said on the error stream, and the surface ends (Failed).
    static std::unique_ptr<LayerSurface> open(const OutputLocator& locator, bool idleScreen);
    ~LayerSurface() override;
    LayerSurface(const LayerSurface&) = delete;
    LayerSurface& operator=(const LayerSurface&) = delete;

    int width() const override { return logicalWidth * scale; }
    int height() const override { return logicalHeight * scale; }
    bool ready() const override { return eglSurface != nullptr && width() > 0 && height() > 0; }
    bool mayDraw() const override { return ready() && !waitingForFrame; }
    SurfaceEnd ended() const override { return end; }
    void swapBuffers() override;

  private:
    LayerSurface(GdkMonitor* monitor, bool idleScreen);
    void connectSignals();
    void allocated(int logicalWidth, int logicalHeight);
    void rescale();
    bool makeEglSurface();
    void frameDone();
    void input(bool ends);
    void finish(SurfaceEnd why);
    static void onFrameDone(void* self, wl_callback* callback, unsigned time);

    GdkMonitor* monitor;
    const bool idleScreen;
    GtkWidget* window = nullptr;
    wl_surface* surface = nullptr;
    wl_egl_window* eglWindow = nullptr;
    void* eglDisplay = nullptr;
    void* eglConfig = nullptr;
    void* eglContext = nullptr;
    void* eglSurface = nullptr;
    wl_callback* frameCallback = nullptr;
    bool waitingForFrame = false;
    int logicalWidth = 0;
    int logicalHeight = 0;
    int scale = 1;
    unsigned long monitorRemovedHandler = 0;
    IdleInput idleInput;
    SurfaceEnd end = SurfaceEnd::NotEnded;
    std::string failure;
};

}  // namespace veltamar
