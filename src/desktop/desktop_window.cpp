#include "desktop/desktop_window.h"

#include <glib-unix.h>
#include <unistd.h>

#include <algorithm>

#include "platform/gl_release.h"
#include "render/glx_window.h"

// Last: Xlib's macros (None, Status, Bool, ...) would clash with names of the program's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

namespace veltamar {

namespace {

// Errors on the window's own connection (a window manager may destroy the window under it) are
// noted, never fatal; GlxWindow installs its own handler of the same kind once it is made.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

void setAtoms(Display* display, Window window, const char* property,
              std::initializer_list<const char*> values) {
    std::vector<Atom> atoms;
    for (const char* value : values) atoms.push_back(XInternAtom(display, value, False));
    XChangeProperty(display, window, XInternAtom(display, property, False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
}

void setCardinal(Display* display, Window window, const char* property, unsigned long value) {
    XChangeProperty(display, window, XInternAtom(display, property, False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&value), 1);
}

// Where the window manager is to put the window: the monitor's place and size, given by the program.
void setPlacement(Display* display, Window window, const X11Monitor& monitor) {
    XSizeHints* hints = XAllocSizeHints();
    hints->flags = USPosition | USSize | PMinSize | PMaxSize;
    hints->x = monitor.x;
    hints->y = monitor.y;
    hints->width = hints->min_width = hints->max_width = monitor.width;
    hints->height = hints->min_height = hints->max_height = monitor.height;
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
}

}  // namespace

std::unique_ptr<DesktopWindow> DesktopWindow::open(const std::string& monitorName, SurfaceEnd& why,
                                                   std::string& problem) {
    std::unique_ptr<DesktopWindow> surface(new DesktopWindow());
    surface->monitorName = monitorName;
    surface->display = XOpenDisplay(nullptr);
    if (!surface->display) {
        why = SurfaceEnd::Failed;
        problem = "cannot open the display (is DISPLAY set?)";
        return nullptr;
    }
    XSetErrorHandler(ignoreXError);
    const std::vector<X11Monitor> monitors = readX11Monitors(surface->display);
    const auto monitor = std::find_if(monitors.begin(), monitors.end(),
                                      [&monitorName](const X11Monitor& m) { return m.name == monitorName; });
    if (monitor == monitors.end()) {
        why = SurfaceEnd::OutputGone;
        return nullptr;
    }
    if (!surface->create(*monitor, problem)) {
        why = SurfaceEnd::Failed;
        return nullptr;
    }
    return surface;
}

bool DesktopWindow::create(const X11Monitor& monitor, std::string& problem) {
    const Window root = DefaultRootWindow(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
    attributes.event_mask = VisibilityChangeMask | StructureNotifyMask;
    placed = monitor;
    window = XCreateWindow(display, root, monitor.x, monitor.y, static_cast<unsigned>(monitor.width),
                           static_cast<unsigned>(monitor.height), 0, CopyFromParent, InputOutput,
                           CopyFromParent, CWBackPixel | CWEventMask, &attributes);

    // What window managers read before they map it (EWMH): a desktop window, below the others, on
    // every workspace, in no task bar or pager, never given the keyboard.
    XClassHint classHint{const_cast<char*>("veltamar"), const_cast<char*>("Veltamar")};
    XWMHints wmHints{};
    wmHints.flags = InputHint;
    wmHints.input = False;
    XTextProperty title{};
    char* titleText = const_cast<char*>("Veltamar Aquarium");
    XStringListToTextProperty(&titleText, 1, &title);
    XSetWMProperties(display, window, &title, &title, nullptr, 0, nullptr, &wmHints, &classHint);
    XFree(title.value);
    setPlacement(display, window, monitor);
    setAtoms(display, window, "_NET_WM_WINDOW_TYPE", {"_NET_WM_WINDOW_TYPE_DESKTOP"});
    setAtoms(display, window, "_NET_WM_STATE",
             {"_NET_WM_STATE_BELOW", "_NET_WM_STATE_STICKY", "_NET_WM_STATE_SKIP_TASKBAR",
              "_NET_WM_STATE_SKIP_PAGER"});
    setCardinal(display, window, "_NET_WM_DESKTOP", 0xFFFFFFFFul);
    setCardinal(display, window, "_NET_WM_PID", static_cast<unsigned long>(getpid()));

    // Clicks go through to the root window.
    int shapeEvents = 0, shapeErrors = 0, shapeMajor = 0, shapeMinor = 0;
    if (!XShapeQueryExtension(display, &shapeEvents, &shapeErrors) ||
        !XShapeQueryVersion(display, &shapeMajor, &shapeMinor) || (shapeMajor == 1 && shapeMinor < 1)) {
        problem =
            "the X server has no input shapes (SHAPE 1.1), so the wallpaper would take the desktop's clicks";
        return false;
    }
    XShapeCombineRectangles(display, window, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);

    watchX11Monitors(display);
    XMapWindow(display, window);
    XSync(display, False);

    glx = GlxWindow::adopt(window, problem);
    if (!glx) return false;
    requestSwapSync();
    fdSource = g_unix_fd_add(
        ConnectionNumber(display), G_IO_IN,
        [](int, GIOCondition, gpointer self) -> gboolean {
            static_cast<DesktopWindow*>(self)->readEvents();
            return G_SOURCE_CONTINUE;
        },
        this);
    readEvents();
    return true;
}

DesktopWindow::~DesktopWindow() {
    if (fdSource) g_source_remove(fdSource);
    glx.reset();
    if (!display) return;
    if (window && end != SurfaceEnd::Closed) XDestroyWindow(display, window);
    XCloseDisplay(display);
}

int DesktopWindow::width() const {
    return glx ? glx->width() : 0;
}

int DesktopWindow::height() const {
    return glx ? glx->height() : 0;
}

void DesktopWindow::readEvents() {
    const bool couldDraw = mayDraw();
    bool monitorsChanged = false;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.xany.window == window) {
            switch (event.type) {
                case VisibilityNotify:
                    fullyObscured = event.xvisibility.state == VisibilityFullyObscured;
                    break;
                case MapNotify:
                    mapped = true;
                    break;
                case UnmapNotify:
                    mapped = false;
                    break;
                case DestroyNotify:
                    end = SurfaceEnd::Closed;
                    break;
                default:
                    break;
            }
        } else if (x11MonitorsMayHaveChanged(display, &event)) {
            monitorsChanged = true;
        }
    }
    if (monitorsChanged) followMonitor();
    if (end != SurfaceEnd::NotEnded || mayDraw() != couldDraw) tellChanged();
}

// The monitor moved or changed size: the window is put over it again. (When it has gone, the
// program that started this process ends it.)
void DesktopWindow::followMonitor() {
    for (const X11Monitor& monitor : readX11Monitors(display)) {
        if (monitor.name != monitorName) continue;
        if (monitor.x == placed.x && monitor.y == placed.y && monitor.width == placed.width &&
            monitor.height == placed.height)
            return;
        placed = monitor;
        setPlacement(display, window, monitor);
        XMoveResizeWindow(display, window, monitor.x, monitor.y, static_cast<unsigned>(monitor.width),
                          static_cast<unsigned>(monitor.height));
        XFlush(display);
        return;
    }
}

void DesktopWindow::beforeFrame() {
    readEvents();
    glx->processEvents();
    if (glx->gone() && end == SurfaceEnd::NotEnded) end = SurfaceEnd::Closed;
}

void DesktopWindow::swapBuffers() {
    glx->swapBuffers();
}

}  // namespace veltamar
