#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "desktop/output_watcher.h"

// The Wayland side of the wallpaper and the idle screen. The program started with the option
// watches the compositor's outputs on a plain connection of its own (wl_output globals, named by
// their connector where the compositor says it) and learns whether the layer shell is offered;
// each drawing process connects GTK (its Wayland backend only, never Xwayland) and finds its output
// among GTK's monitors.

typedef struct _GdkMonitor GdkMonitor;
struct wl_display;
struct wl_registry;

namespace veltamar {

class WaylandOutputs : public OutputWatcher {
  public:
    // Connects to the compositor that WAYLAND_DISPLAY names; nothing, with the reason, when it
    // cannot.
    static std::unique_ptr<WaylandOutputs> open(std::string& problem);
    ~WaylandOutputs() override;
    WaylandOutputs(const WaylandOutputs&) = delete;
    WaylandOutputs& operator=(const WaylandOutputs&) = delete;

    // True when the compositor offers the layer shell (GNOME Shell does not).
    bool hasLayerShell() const { return layerShell; }
    std::vector<DesktopOutput> outputs() const override;

    struct Output;

  private:
    WaylandOutputs() = default;
    void readEvents();

    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    std::vector<std::unique_ptr<Output>> list;
    bool layerShell = false;
    unsigned fdSource = 0;
};

// Connects GTK to the Wayland compositor named by WAYLAND_DISPLAY. False, with the reason, when it
// cannot.
bool openWaylandDisplay(std::string& problem);

// GTK's monitor for the output global, or null when it is not (or no longer) there.
GdkMonitor* findWaylandMonitor(std::uint32_t global);

}  // namespace veltamar
