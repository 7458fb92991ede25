#include "platform/pointer_grab.h"

#include <dlfcn.h>
#include <wx/window.h>

namespace veltamar {

#ifdef __WXGTK__

namespace {

// GDK is loaded with wx; its seat functions are looked up rather than linked (as for the other
// desktop calls the program makes beside wx).
struct GdkSeatCalls {
    using GetDisplay = void* (*)(void* gdkWindow);
    using DefaultSeat = void* (*)(void* display);
    using Grab = int (*)(void* seat, void* gdkWindow, int capabilities, int ownerEvents, void* cursor,
                         const void* event, void* prepare, void* prepareData);
    using Ungrab = void (*)(void* seat);

    GetDisplay getDisplay = reinterpret_cast<GetDisplay>(dlsym(RTLD_DEFAULT, "gdk_window_get_display"));
    DefaultSeat defaultSeat =
        reinterpret_cast<DefaultSeat>(dlsym(RTLD_DEFAULT, "gdk_display_get_default_seat"));
    Grab grab = reinterpret_cast<Grab>(dlsym(RTLD_DEFAULT, "gdk_seat_grab"));
    Ungrab ungrab = reinterpret_cast<Ungrab>(dlsym(RTLD_DEFAULT, "gdk_seat_ungrab"));

    bool available() const { return getDisplay && defaultSeat && grab && ungrab; }
};

const GdkSeatCalls& gdk() {
    static const GdkSeatCalls calls;
    return calls;
}

constexpr int SEAT_CAPABILITY_ALL_POINTING = 7;
constexpr int GRAB_SUCCESS = 0;

}  // namespace

PointerGrab::PointerGrab(wxWindow& window) {
    if (!gdk().available()) return;
    void* gdkWindow = window.GTKGetDrawingWindow();
    if (!gdkWindow) return;
    void* display = gdk().getDisplay(gdkWindow);
    void* candidate = display ? gdk().defaultSeat(display) : nullptr;
    if (candidate && gdk().grab(candidate, gdkWindow, SEAT_CAPABILITY_ALL_POINTING, 1, nullptr, nullptr,
                                nullptr, nullptr) == GRAB_SUCCESS)
        seat = candidate;
}

PointerGrab::~PointerGrab() {
    if (seat) gdk().ungrab(seat);
}

#else

PointerGrab::PointerGrab(wxWindow&) {}
PointerGrab::~PointerGrab() {}

#endif

}  // namespace veltamar
