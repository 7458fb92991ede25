#include "render/glx_window.h"

#include <cstdio>

// Last: Xlib's macros (None, Status, Bool, ...) would clash with names of the program's headers.
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace veltamar {

namespace {

// X errors arrive late and name a resource; a window another client destroys makes our next
// request on it fail. The default handler would end the process, so errors are only noted here and
// the window is looked at again before the next frame.
bool xErrorSeen = false;

int noteXError(Display*, XErrorEvent*) {
    xErrorSeen = true;
    return 0;
}

std::string hex(unsigned long id) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", id);
    return text;
}

int glxValue(Display* display, XVisualInfo* info, int attribute) {
    int value = 0;
    return glXGetConfig(display, info, attribute, &value) == 0 ? value : 0;
}

// Double-buffered RGBA with at least 5 bits a colour and a depth buffer of 16 bits or more: what
// the scene needs.
bool drawableVisual(Display* display, XVisualInfo* info) {
    return glxValue(display, info, GLX_USE_GL) && glxValue(display, info, GLX_RGBA) &&
           glxValue(display, info, GLX_DOUBLEBUFFER) && glxValue(display, info, GLX_DEPTH_SIZE) >= 16 &&
           glxValue(display, info, GLX_RED_SIZE) >= 5;
}

// The best visual of the screen for the scene, as the aquarium view asks for its pixel format:
// 24-bit colour, double-buffered, a 32-bit depth buffer where there is one, else 24 (16 last).
XVisualInfo* chooseSceneVisual(Display* display, int screen) {
    for (int depthBits : {32, 24, 16}) {
        int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
                            8,        GLX_DEPTH_SIZE,   depthBits,    None};
        if (XVisualInfo* info = glXChooseVisual(display, screen, attributes)) return info;
    }
    return nullptr;
}

XVisualInfo* visualInfoFor(Display* display, unsigned long visualId) {
    XVisualInfo wanted{};
    wanted.visualid = visualId;
    int count = 0;
    return XGetVisualInfo(display, VisualIDMask, &wanted, &count);
}

}  // namespace

std::unique_ptr<GlxWindow> GlxWindow::connect(std::string& error) {
    std::unique_ptr<GlxWindow> window(new GlxWindow());
    window->display = XOpenDisplay(nullptr);
    if (!window->display) {
        error = "cannot open the display (is DISPLAY set?)";
        return nullptr;
    }
    XSetErrorHandler(noteXError);
    return window;
}

std::unique_ptr<GlxWindow> GlxWindow::createOwn(int width, int height, std::string& error) {
    std::unique_ptr<GlxWindow> window = connect(error);
    if (!window) return nullptr;
    Display* display = window->display;
    XVisualInfo* info = chooseSceneVisual(display, DefaultScreen(display));
    if (!info) {
        error = "the display has no double-buffered RGBA visual with a depth buffer";
        return nullptr;
    }
    XSetWindowAttributes attributes{};
    attributes.colormap =
        XCreateColormap(display, RootWindow(display, info->screen), info->visual, AllocNone);
    attributes.override_redirect = True;
    const Window own =
        XCreateWindow(display, RootWindow(display, info->screen), 0, 0, width, height, 0, info->depth,
                      InputOutput, info->visual, CWColormap | CWOverrideRedirect, &attributes);
    window->visualId = info->visualid;
    XFree(info);
    window->target = window->drawable = own;
    window->ownsTarget = true;
    window->currentWidth = width;
    window->currentHeight = height;
    window->screenWidthPixels = DisplayWidth(display, DefaultScreen(display));
    window->screenHeightPixels = DisplayHeight(display, DefaultScreen(display));
    XSelectInput(display, own, StructureNotifyMask);
    XMapWindow(display, own);
    XSync(display, False);
    if (!window->makeContext(error)) return nullptr;
    return window;
}

std::unique_ptr<GlxWindow> GlxWindow::adopt(unsigned long windowId, std::string& error) {
    std::unique_ptr<GlxWindow> window = connect(error);
    if (!window) return nullptr;
    Display* display = window->display;
    const Window target = windowId != 0 ? windowId : DefaultRootWindow(display);
    window->target = target;

    // Only the structure events of the window: its size and its end. Other clients' event masks
    // are their own, so the daemon keeps the keyboard and mouse.
    xErrorSeen = false;
    XSelectInput(display, target, StructureNotifyMask);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, target, &attributes) || (XSync(display, False), xErrorSeen)) {
        error = "there is no window " + hex(target);
        return nullptr;
    }
    window->currentWidth = attributes.width;
    window->currentHeight = attributes.height;
    window->screenWidthPixels = WidthOfScreen(attributes.screen);
    window->screenHeightPixels = HeightOfScreen(attributes.screen);

    XVisualInfo* own = visualInfoFor(display, XVisualIDFromVisual(attributes.visual));
    if (own && drawableVisual(display, own)) {
        window->visualId = own->visualid;
        window->drawable = target;
        XFree(own);
    } else {
        if (own) XFree(own);
        XVisualInfo* info = chooseSceneVisual(display, XScreenNumberOfScreen(attributes.screen));
        if (!info) {
            error = "the display has no double-buffered RGBA visual with a depth buffer";
            return nullptr;
        }
        // A child of the root window would be a top-level window that a window manager frames.
        XSetWindowAttributes childAttributes{};
        childAttributes.colormap = XCreateColormap(display, target, info->visual, AllocNone);
        childAttributes.border_pixel = 0;
        childAttributes.background_pixel = 0;
        childAttributes.override_redirect = target == attributes.root ? True : False;
        window->child = XCreateWindow(
            display, target, 0, 0, attributes.width, attributes.height, 0, info->depth, InputOutput,
            info->visual, CWColormap | CWBorderPixel | CWBackPixel | CWOverrideRedirect, &childAttributes);
        window->visualId = info->visualid;
        XFree(info);
        window->drawable = window->child;
        XMapWindow(display, window->child);
    }
    XSync(display, False);
    if (!window->makeContext(error)) return nullptr;
    return window;
}

bool GlxWindow::makeContext(std::string& error) {
    XVisualInfo* info = visualInfoFor(display, visualId);
    if (!info) {
        error = "the window's visual is gone";
        return false;
    }
    context = glXCreateContext(display, info, nullptr, True);
    XFree(info);
    xErrorSeen = false;
    if (!context || !glXMakeCurrent(display, drawable, context) || (XSync(display, False), xErrorSeen)) {
        error = "cannot draw with OpenGL on window " + hex(drawable);
        return false;
    }
    return true;
}

GlxWindow::~GlxWindow() {
    if (!display) return;
    glXMakeCurrent(display, None, nullptr);
    if (context) glXDestroyContext(display, context);
    if (!windowGone) {
        if (child) XDestroyWindow(display, child);
        if (ownsTarget) XDestroyWindow(display, target);
    }
    XCloseDisplay(display);
}

int GlxWindow::connectionFd() const {
    return ConnectionNumber(display);
}

void GlxWindow::processEvents() {
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == ConfigureNotify && event.xconfigure.window == target) {
            currentWidth = event.xconfigure.width;
            currentHeight = event.xconfigure.height;
            if (child) XResizeWindow(display, child, currentWidth, currentHeight);
        } else if (event.type == DestroyNotify && event.xdestroywindow.window == target) {
            windowGone = true;
        }
    }
    if (windowGone) return;
    // Its owner may end the window at any moment, and drawing on a window that is gone can corrupt
    // the heap inside Mesa's software renderer (seen as "free(): invalid next size" when a daemon
    // destroyed the saver's window mid-frame). So the window is asked after with one round trip
    // here, just before each frame.
    xErrorSeen = false;
    Window root = 0;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    const bool found =
        XGetGeometry(display, drawable, &root, &x, &y, &width, &height, &border, &depth) != 0;
    if (!found || xErrorSeen) windowGone = true;
    xErrorSeen = false;
}

void GlxWindow::swapBuffers() {
    if (!windowGone) glXSwapBuffers(display, drawable);
}

}  // namespace veltamar
