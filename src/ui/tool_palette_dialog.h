#pragma once

#include <wx/gdicmn.h>
#include <wx/popupwin.h>

#include <array>

#include "ui/dialog_runners.h"
#include "ui/popup_session.h"
#include "ui/tool_palette_layout.h"

// The tool palette: eight picture buttons in a strip that opens with its top-left corner at the
// mouse. A tool button selects its tool, which the palette sends to the view as a menu command;
// the fish and settings buttons run their dialog. Either way the palette closes; Escape or a
// click elsewhere closes it with nothing chosen. The palette object lives as long as the view;
// its window exists only while it is open.

namespace veltamar {

class HoverButton;

class ToolPaletteWindow : public wxPopupWindow {
  public:
    ToolPaletteWindow(wxWindow& owner, UiRect area);

    // Runs the palette; returns the button pressed, or null when it was closed without one.
    const PaletteButton* run();

    HoverButton& button(int index) { return *buttons[static_cast<std::size_t>(index)]; }
    // A button was pressed or the palette dismissed; run() is about to return.
    bool closing() const { return session.ended(); }

  private:
    void onButton(wxCommandEvent& event);
    void onKey(wxKeyEvent& event);

    std::array<HoverButton*, 8> buttons{};
    PopupSession session;
    const PaletteButton* pressed = nullptr;
};

class ToolPaletteDialog {
  public:
    // selectedCommand is where the palette keeps its selection (the view's state); it starts as
    // TOOL_FEED.
    ToolPaletteDialog(int& selectedCommand, DialogRunners runners);

    // Opens the palette over owner at the screen point mouse and returns once it has closed. A
    // chosen tool becomes the selection and is sent to owner as a menu command; after a dialog
    // the selection is TOOL_FEED again.
    void open(wxWindow& owner, wxPoint mouse);

    int selectedCommand() const { return selection; }
    // The palette's window while open() runs, else null.
    ToolPaletteWindow* window() const { return shown; }

  private:
    int& selection;
    DialogRunners runners;
    ToolPaletteWindow* shown = nullptr;
};

}  // namespace veltamar
