#include "test_window.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <stdexcept>

namespace veltamar::e2e {

namespace {

// A 24-bit true-colour visual whose OpenGL configuration has no double buffer and no depth buffer.
XVisualInfo bareVisual(Display* display) {
    XVisualInfo wanted{};
    wanted.screen = DefaultScreen(display);
    wanted.depth = 24;
    wanted.c_class = TrueColor;
    int count = 0;
    XVisualInfo* all =
        XGetVisualInfo(display, VisualScreenMask | VisualDepthMask | VisualClassMask, &wanted, &count);
    for (int i = 0; i < count; ++i) {
        int doubleBuffer = 1, depthBits = 1;
        glXGetConfig(display, &all[i], GLX_DOUBLEBUFFER, &doubleBuffer);
        glXGetConfig(display, &all[i], GLX_DEPTH_SIZE, &depthBits);
        if (doubleBuffer == 0 && depthBits == 0) {
            const XVisualInfo found = all[i];
            XFree(all);
            return found;
        }
    }
    if (all) XFree(all);
    throw std::runtime_error("the display has no visual without double buffering and depth buffer");
}

}  // namespace

TestWindow::TestWindow(int x, int y, int width, int height, unsigned long background, Visual visual) {
    display = XOpenDisplay(nullptr);
    if (!display) throw std::runtime_error("no display for the test window");
    XSetWindowAttributes attributes{};
    attributes.background_pixel = background;
    attributes.border_pixel = 0;
    attributes.override_redirect = True;
    unsigned long mask = CWBackPixel | CWBorderPixel | CWOverrideRedirect;
    int depth = CopyFromParent;
    ::Visual* chosen = CopyFromParent;
    if (visual == Visual::Bare) {
        const XVisualInfo info = bareVisual(display);
        depth = info.depth;
        chosen = info.visual;
        attributes.colormap = XCreateColormap(display, DefaultRootWindow(display), info.visual, AllocNone);
        mask |= CWColormap;
    }
    window = XCreateWindow(display, DefaultRootWindow(display), x, y, width, height, 0, depth, InputOutput,
                           chosen, mask, &attributes);
    XMapRaised(display, window);
    XSync(display, False);
}

TestWindow::~TestWindow() {
    destroy();
    XCloseDisplay(display);
}

std::string TestWindow::hexId() const {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", window);
    return text;
}

void TestWindow::resize(int width, int height) {
    XResizeWindow(display, window, width, height);
    XSync(display, False);
}

int TestWindow::childCount() const {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return -1;
    if (children) XFree(children);
    return static_cast<int>(count);
}

void TestWindow::destroy() {
    if (window == 0) return;
    XDestroyWindow(display, window);
    XSync(display, False);
    window = 0;
}

}  // namespace veltamar::e2e
