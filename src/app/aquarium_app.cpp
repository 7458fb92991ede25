// Application start-up: one aquarium per desktop, then the main frame.

#include <wx/app.h>
#include <wx/msgdlg.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "app/aquarium_app.h"
#include "app/display_backend.h"
#include "app/main_frame.h"
#include "platform/instance_lock.h"
#include "platform/message_box.h"

namespace veltamar {

namespace {

// The two single-instance locks, held until the process ends. They are static so that every way
// out removes their files: Escape and the Exit command end the program with std::exit, which runs
// the destructors of static objects but never the application object's.
std::optional<InstanceLock> firstGuard;
std::optional<InstanceLock> secondGuard;

}  // namespace

class AquariumApp : public wxApp {
  public:
    bool OnInit() override;
};

bool AquariumApp::OnInit() {
    const std::string locks = lockDirectory().value_or("");
    // A second start ends at once, without a window and without a message.
    firstGuard.emplace(locks, "FirstMyProject_Tavik");
    if (firstGuard->heldElsewhere()) std::exit(0);

    SetAppName("VeltamarScr");
    SetVendorName("Local AppWizard-Generated Applications");
    secondGuard.emplace(locks, GetAppName().ToStdString());
    if (secondGuard->heldElsewhere()) return false;

    setMessageHandler([](const std::string& text, const std::string& caption) {
        wxMessageBox(wxString::FromUTF8(text),
                     caption.empty() ? wxString("VeltamarScr") : wxString::FromUTF8(caption), wxOK,
                     wxTheApp ? wxTheApp->GetTopWindow() : nullptr);
    });

    auto* frame = new MainFrame();
    SetTopWindow(frame);
    frame->showAndStart();
    return true;
}

int runAquarium(int argc, char** argv) {
    // GTK picks its backend when it starts, inside wxEntry.
    requestX11BackendOnWayland();
    return wxEntry(argc, argv);
}

}  // namespace veltamar

// The entry point is the program's own (main.cpp), which starts wx only for the aquarium.
wxIMPLEMENT_APP_NO_MAIN(veltamar::AquariumApp);
