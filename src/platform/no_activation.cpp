#include "platform/no_activation.h"

#include <dlfcn.h>
#include <wx/toplevel.h>

namespace veltamar {

// wx has no portable call for this. Under GTK the window asks the desktop not to give it the
// input focus; GTK is already loaded by wx, so its function is looked up rather than linked.
void keepFromActivation(wxTopLevelWindow& window) {
#ifdef __WXGTK__
    using SetFlag = void (*)(void* gtkWindow, int setting);
    const auto acceptFocus = reinterpret_cast<SetFlag>(dlsym(RTLD_DEFAULT, "gtk_window_set_accept_focus"));
    const auto focusOnMap = reinterpret_cast<SetFlag>(dlsym(RTLD_DEFAULT, "gtk_window_set_focus_on_map"));
    if (void* handle = window.GetHandle()) {
        if (acceptFocus) acceptFocus(handle, 0);
        if (focusOnMap) focusOnMap(handle, 0);
    }
#else
    (void)window;
#endif
}

}  // namespace veltamar
