#include "desktop/x11_monitors.h"

#include <glib-unix.h>

#include "desktop/output_locator.h"

// Last: Xlib's macros (None, Status, Bool, ...) would clash with names of the program's headers.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace veltamar {

namespace {

bool hasMonitorList(Display* display) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    return XRRQueryExtension(display, &eventBase, &errorBase) && XRRQueryVersion(display, &major, &minor) &&
           (major > 1 || (major == 1 && minor >= 5));
}

}  // namespace

std::vector<X11Monitor> readX11Monitors(Display* display) {
    std::vector<X11Monitor> monitors;
    const Window root = DefaultRootWindow(display);
    if (hasMonitorList(display)) {
        int count = 0;
        XRRMonitorInfo* list = XRRGetMonitors(display, root, True, &count);
        for (int i = 0; i < count; ++i) {
            char* name = list[i].name ? XGetAtomName(display, list[i].name) : nullptr;
            monitors.push_back({name ? name : "monitor-" + std::to_string(i), list[i].x, list[i].y,
                                list[i].width, list[i].height});
            if (name) XFree(name);
        }
        if (list) XRRFreeMonitors(list);
    }
    if (monitors.empty()) {
        const int screen = DefaultScreen(display);
        monitors.push_back({"screen", 0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)});
    }
    return monitors;
}

void watchX11Monitors(Display* display) {
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, StructureNotifyMask);
    int eventBase = 0, errorBase = 0;
    if (XRRQueryExtension(display, &eventBase, &errorBase))
        XRRSelectInput(display, root, RRScreenChangeNotifyMask);
}

bool x11MonitorsMayHaveChanged(Display* display, const void* data) {
    const XEvent* event = static_cast<const XEvent*>(data);
    int eventBase = 0, errorBase = 0;
    if (XRRQueryExtension(display, &eventBase, &errorBase) &&
        event->type == eventBase + RRScreenChangeNotify) {
        XRRUpdateConfiguration(const_cast<XEvent*>(event));
        return true;
    }
    return event->type == ConfigureNotify && event->xconfigure.window == DefaultRootWindow(display);
}

std::unique_ptr<X11Monitors> X11Monitors::open(std::string& problem) {
    std::unique_ptr<X11Monitors> watcher(new X11Monitors());
    watcher->display = XOpenDisplay(nullptr);
    if (!watcher->display) {
        problem = "cannot open the display (is DISPLAY set?)";
        return nullptr;
    }
    watchX11Monitors(watcher->display);
    XFlush(watcher->display);
    watcher->fdSource = g_unix_fd_add(
        ConnectionNumber(watcher->display), G_IO_IN,
        [](int, GIOCondition, gpointer self) -> gboolean {
            static_cast<X11Monitors*>(self)->readEvents();
            return G_SOURCE_CONTINUE;
        },
        watcher.get());
    return watcher;
}

X11Monitors::~X11Monitors() {
    if (fdSource) g_source_remove(fdSource);
    if (display) XCloseDisplay(display);
}

void X11Monitors::readEvents() {
    bool changed = false;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (x11MonitorsMayHaveChanged(display, &event)) changed = true;
    }
    if (changed) tellChanged();
}

std::vector<DesktopOutput> X11Monitors::outputs() const {
    std::vector<DesktopOutput> list;
    for (const X11Monitor& monitor : readX11Monitors(display)) {
        OutputLocator locator;
        locator.system = OutputLocator::System::X11;
        locator.monitorName = monitor.name;
        list.push_back({"x11-" + monitor.name, formatLocator(locator), monitor.name});
    }
    return list;
}

}  // namespace veltamar
