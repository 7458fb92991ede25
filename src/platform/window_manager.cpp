#include "platform/window_manager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <wx/utils.h>

namespace veltamar {

namespace {

// Reads the root window's _NET_SUPPORTED list, which an EWMH window manager publishes.
bool rootAdvertises(Display* display, const char* hint) {
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", True);
    const Atom wanted = XInternAtom(display, hint, True);
    if (supported == None || wanted == None) return false;

    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, DefaultRootWindow(display), supported, 0, 4096, False, XA_ATOM, &type, &format,
                           &count, &remaining, &data) == Success &&
        data != nullptr && format == 32) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == wanted;
    }
    if (data) XFree(data);
    return found;
}

}  // namespace

bool windowManagerSupportsFullScreen() {
    const wxDisplayInfo info = wxGetDisplayInfo();
    if (info.type != wxDisplayX11 || info.dpy == nullptr) return true;
    return rootAdvertises(static_cast<Display*>(info.dpy), "_NET_WM_STATE_FULLSCREEN");
}

}  // namespace veltamar
