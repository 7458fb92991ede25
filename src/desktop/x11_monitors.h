#pragma once

#include <memory>
#include <string>
#include <vector>

#include "desktop/output_watcher.h"

// The X11 side of the wallpaper: the screen's monitors as RandR 1.5 lists them (one per output, or
// as set with `xrandr --setmonitor`), and a watcher that follows them. A server without RandR 1.5
// has one monitor, the whole screen, named "screen".

struct _XDisplay;

namespace veltamar {

struct X11Monitor {
    std::string name;
    int x = 0, y = 0, width = 0, height = 0;
};

// The monitors of the display's default screen, as active monitors (those showing something).
std::vector<X11Monitor> readX11Monitors(_XDisplay* display);

// Asks for the events that tell of monitors changing: RandR's screen changes and the root window's
// own (the server resizes or reconfigures it when monitors are set).
void watchX11Monitors(_XDisplay* display);

// True when the event (just read from the display) may mean the monitors changed; RandR's own
// events also update Xlib's idea of the screen.
bool x11MonitorsMayHaveChanged(_XDisplay* display, const void* event);

class X11Monitors : public OutputWatcher {
  public:
    // Nothing, with the reason, when the display cannot be opened.
    static std::unique_ptr<X11Monitors> open(std::string& problem);
    ~X11Monitors() override;
    X11Monitors(const X11Monitors&) = delete;
    X11Monitors& operator=(const X11Monitors&) = delete;
    std::vector<DesktopOutput> outputs() const override;

  private:
    X11Monitors() = default;
    void readEvents();

    _XDisplay* display = nullptr;
    unsigned fdSource = 0;
};

}  // namespace veltamar
