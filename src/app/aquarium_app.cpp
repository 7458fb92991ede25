// Application start-up: one aquarium per desktop, then the main frame.

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/snglinst.h>

#include <cstdlib>
#include <memory>

#include "app/aquarium_app.h"
#include "app/display_backend.h"
#include "app/main_frame.h"
#include "platform/message_box.h"

namespace veltamar {

class AquariumApp : public wxApp {
public:
    bool OnInit() override;

private:
    std::unique_ptr<wxSingleInstanceChecker> firstGuard;
    std::unique_ptr<wxSingleInstanceChecker> secondGuard;
};

bool AquariumApp::OnInit() {
    // A second start ends at once, without a window and without a message.
    firstGuard = std::make_unique<wxSingleInstanceChecker>("FirstMyProject_Tavik");
    if (firstGuard->IsAnotherRunning()) std::exit(0);

    SetAppName("VeltamarScr");
    SetVendorName("Local AppWizard-Generated Applications");
    secondGuard = std::make_unique<wxSingleInstanceChecker>(GetAppName());
    if (secondGuard->IsAnotherRunning()) return false;

    setMessageHandler([](const std::string& text, const std::string& caption) {
        wxMessageBox(wxString::FromUTF8(text), caption.empty() ? wxString("VeltamarScr") : wxString::FromUTF8(caption),
                     wxOK, wxTheApp ? wxTheApp->GetTopWindow() : nullptr);
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
