#pragma once

#include <memory>
#include <string>
#include <vector>

#include "desktop/output_locator.h"
#include "desktop/output_watcher.h"

// The Wayland side of the wallpaper and the idle screen: the connection to the compositor through
// GTK (its Wayland backend only, never Xwayland), whether the compositor offers the layer shell
// they need, and its outputs as GTK's monitors.

typedef struct _GdkMonitor GdkMonitor;

namespace veltamar {

// Connects GTK to the Wayland compositor named by WAYLAND_DISPLAY. False, with the reason, when it
// cannot.
bool openWaylandDisplay(std::string& problem);

// True when the compositor offers the layer shell (GNOME Shell does not).
bool waylandHasLayerShell();

// Every monitor's corner in the layout, in the display's order.
std::vector<OutputCorner> waylandCorners();
// The monitor a locator names, or null.
GdkMonitor* findWaylandMonitor(const OutputLocator& locator);

class WaylandOutputs : public OutputWatcher {
  public:
    WaylandOutputs();
    ~WaylandOutputs() override;
    std::vector<DesktopOutput> outputs() const override;

  private:
    void watch(GdkMonitor* monitor);
    unsigned long addedHandler = 0;
    unsigned long removedHandler = 0;
};

}  // namespace veltamar
