// Preloaded into the program by the end-to-end tests: delivers commands to the main frame as a
// toolbar or menu does (a wxEVT_MENU event with the command id), for commands that no surface of
// the program under test issues yet. The tests append command ids, one per line, to the file named
// by $VELTAMAR_COMMAND_FILE; each new line is delivered once, on the user-interface thread.
#include <wx/app.h>
#include <wx/event.h>
#include <wx/window.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace {

void deliver(int id) {
    wxWindow* frame = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    if (!frame) return;
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(frame);
    frame->GetEventHandler()->ProcessEvent(event);
}

void watch(std::string path) {
    std::size_t delivered = 0;
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!wxTheApp) continue;
        std::ifstream in(path, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        // Only whole lines: the last one may still be being written.
        for (std::size_t end; (end = text.find('\n', delivered)) != std::string::npos; delivered = end + 1) {
            const int id = std::atoi(text.c_str() + delivered);
            if (id != 0) wxTheApp->CallAfter([id] { deliver(id); });
        }
    }
}

__attribute__((constructor)) void startWatching() {
    const char* path = std::getenv("VELTAMAR_COMMAND_FILE");
    if (path && *path) std::thread(watch, std::string(path)).detach();
}

}  // namespace
