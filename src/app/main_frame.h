#pragma once

#include <wx/frame.h>

// The one top-level window: borderless, covering the whole display, filled by the aquarium view.

namespace veltamar {

class AquariumView;

class MainFrame : public wxFrame {
public:
    MainFrame();

    // Shows the frame over the whole display and starts the aquarium in it.
    void showAndStart();

    AquariumView* view() const { return aquariumView; }

private:
    void onCharHook(wxKeyEvent& event);
    void onSetFocus(wxFocusEvent& event);
    void onMenu(wxCommandEvent& event);

    AquariumView* aquariumView = nullptr;
    wxWindow* keyTarget = nullptr;  // the client area when there is no aquarium
};

}  // namespace veltamar
