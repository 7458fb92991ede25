#include "app/main_frame.h"

#include <wx/display.h>

#include <cstdlib>

#include "platform/data_directory.h"
#include "platform/message_box.h"
#include "platform/window_manager.h"
#include "view/aquarium_view.h"

namespace veltamar {

namespace {

constexpr const char* FRAME_TITLE = "VeltamarScr";

}  // namespace

// Without a usable data directory the frame says so and comes up as an ordinary, decorated window
// without the aquarium.
MainFrame::MainFrame() {
    const bool dataDirectoryUsable = locateDataDirectory().has_value();
    const long style = dataDirectoryUsable ? (wxBORDER_NONE | wxCLIP_CHILDREN) : wxDEFAULT_FRAME_STYLE;
    Create(nullptr, wxID_ANY, FRAME_TITLE, wxDefaultPosition, wxDefaultSize, style);
    SetBackgroundColour(*wxBLACK);

    Bind(wxEVT_CHAR_HOOK, &MainFrame::onCharHook, this);
    Bind(wxEVT_SET_FOCUS, &MainFrame::onSetFocus, this);
    Bind(wxEVT_MENU, &MainFrame::onMenu, this);

    if (!dataDirectoryUsable) {
        showMessage("Error Find TempPath.", "ERROR");
        // An empty client area that can hold the keyboard focus, so Escape still ends the program.
        keyTarget = new wxWindow(this, wxID_ANY);
        keyTarget->SetBackgroundColour(*wxBLACK);
        return;
    }
    aquariumView = AquariumView::create(this);
}

void MainFrame::showAndStart() {
    int display = wxDisplay::GetFromWindow(this);
    const wxRect screen = wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetGeometry();
    SetSize(screen);
    Centre();
    Show();
    Maximize();
    if (!aquariumView) {
        if (keyTarget) keyTarget->SetFocus();
        return;
    }
    // Full screen where the window manager offers it, so desktop panels do not cover the tank;
    // without one the display's geometry set above already covers everything.
    if (windowManagerSupportsFullScreen()) ShowFullScreen(true, wxFULLSCREEN_ALL);
    aquariumView->SetFocus();
    aquariumView->initialiseScene();
}

// Escape anywhere in the frame ends the program at once. Modal dialogs are top-level windows of
// their own and keep their Escape as Cancel.
void MainFrame::onCharHook(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE) std::exit(0);
    event.Skip();
}

void MainFrame::onSetFocus(wxFocusEvent& event) {
    if (aquariumView) aquariumView->SetFocus();
    event.Skip();
}

// Commands reaching the frame are offered to the view.
void MainFrame::onMenu(wxCommandEvent& event) {
    if (aquariumView)
        aquariumView->onCommand(event.GetId());
    else
        event.Skip();
}

}  // namespace veltamar
