#include "test_window.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <stdexcept>

namespace veltamar::e2e {

TestWindow::TestWindow(int x, int y, int width, int height, unsigned long background) {
    display = XOpenDisplay(nullptr);
    if (!display) throw std::runtime_error("no display for the test window");
    XSetWindowAttributes attributes{};
    attributes.background_pixel = background;
    attributes.override_redirect = True;
    window = XCreateWindow(display, DefaultRootWindow(display), x, y, width, height, 0, CopyFromParent, InputOutput,
                           CopyFromParent, CWBackPixel | CWOverrideRedirect, &attributes);
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

void TestWindow::destroy() {
    if (window == 0) return;
    XDestroyWindow(display, window);
    XSync(display, False);
    window = 0;
}

}  // namespace veltamar::e2e
