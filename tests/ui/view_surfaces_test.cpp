#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "render/commands.h"
#include "surface_support.h"
#include "ui/icon_menu_window.h"
#include "ui/tool_palette_dialog.h"
#include "ui/toolbar_dialog.h"
#include "view/aquarium_view.h"

using namespace veltamar;
using namespace veltamar::uitest;

namespace {

IconMenuWindow* openMenu(const wxWindow& view) {
    for (wxWindow* child : view.GetChildren())
        if (auto* menu = dynamic_cast<IconMenuWindow*>(child); menu && menu->IsShown() && !menu->closing())
            return menu;
    return nullptr;
}

// Reveals the toolbar by resting the mouse on the top edge and presses one of its buttons.
void pressToolbarButton(ToolbarDialog& toolbar, int id) {
    moveMouse({600, 0});
    pump(700);
    ASSERT_TRUE(toolbar.IsShown());
    clickAt(screenCentre(*toolbar.FindWindow(id)));
    pump();
}

// Closes the modal dialog with this title once it is up (its own event loop keeps timers running),
// as the person who opened it would.
class DialogCloser : public wxTimer {
public:
    explicit DialogCloser(wxString title) : title(std::move(title)) { Start(100); }
    void Notify() override {
        for (wxWindow* window : wxTopLevelWindows)
            if (window->GetLabel() == title && window->IsShown()) {
                closed = true;
                window->Close();
                Stop();
                return;
            }
    }
    bool closed = false;

private:
    wxString title;
};

void closePalette(AquariumView& view) {
    wxCommandEvent press(wxEVT_BUTTON, 1004);
    view.toolPalette().window()->GetEventHandler()->ProcessEvent(press);
}

}  // namespace

// The whole aquarium view in a window of its own: every surface's command arrives at the view's
// command handler and sets the tool mode as a menu command does.
TEST(ViewSurfaces, EverySurfaceReachesTheViewsCommandHandler) {
    auto* frame =
        new wxFrame(nullptr, wxID_ANY, "VeltamarScr", wxPoint(0, 0), wxSize(1024, 768), wxBORDER_NONE);
    AquariumView* view = AquariumView::create(frame);
    frame->Show();
    frame->Raise();  // the keyboard goes to the aquarium's window, as it does for the program
    pump(200);
    view->SetFocus();
    view->initialiseScene();
    pump(300);
    ASSERT_NE(view->toolbar(), nullptr);
    ToolbarDialog& toolbar = *view->toolbar();
    const ViewState& state = view->viewState();
    EXPECT_EQ(state.toolMode, TOOL_NONE);
    EXPECT_EQ(state.paletteSelection, TOOL_FEED);

    // "Feed Fish" on the toolbar, then a click in the tank.
    pressToolbarButton(toolbar, 1010);
    EXPECT_EQ(state.toolMode, TOOL_FEED);
    clickAt({500, 420});
    EXPECT_EQ(state.toolMode, TOOL_FEED);
    EXPECT_EQ(state.mouseX, 500);
    EXPECT_EQ(state.mouseY, 420);
    pump(900);
    EXPECT_FALSE(toolbar.IsShown()) << "the toolbar went away when the mouse left it";

    // The right-click menu: "Add/Delete Fish" runs the fish dialog and leaves no tool.
    DialogCloser fishDialog("Fish Settings - Free Veltamar Screensaver 1.0");
    moveMouse({400, 300});
    whileOpen(
        [&] {
            wxUIActionSimulator().MouseClick(wxMOUSE_BTN_RIGHT);
            pump(200);
        },
        [&] {
            EXPECT_EQ(openMenu(*view)->GetScreenPosition(), wxPoint(400, 300));
            pressKey(WXK_DOWN);
            pressKey(WXK_RETURN);
        },
        [&] { return openMenu(*view) != nullptr; },
        [&] {
            wxKeyEvent escape(wxEVT_KEY_DOWN);
            escape.m_keyCode = WXK_ESCAPE;
            openMenu(*view)->onKey(escape);
        });
    pump();
    EXPECT_TRUE(fishDialog.closed) << "the fish dialog was shown";
    EXPECT_EQ(state.toolMode, TOOL_NONE);

    // The palette by middle click: the swirl.
    moveMouse({300, 400});
    whileOpen(
        [&] {
            wxUIActionSimulator().MouseClick(wxMOUSE_BTN_MIDDLE);
            pump(200);
        },
        [&] {
            ToolPaletteWindow& palette = *view->toolPalette().window();
            EXPECT_EQ(palette.GetScreenRect(), wxRect(300, 400, 405, 40));
            clickAt(screenCentre(*palette.FindWindow(1007)));
        },
        [&] { return view->toolPalette().window() && !view->toolPalette().window()->closing(); },
        [&] { closePalette(*view); });
    pump();
    EXPECT_EQ(state.toolMode, TOOL_SWIRL);
    EXPECT_EQ(state.paletteSelection, TOOL_SWIRL);

    // "Custom Music" is a dialog command: no tool afterwards, and the palette's selection is back
    // to feeding.
    pressToolbarButton(toolbar, 1008);
    EXPECT_EQ(state.toolMode, TOOL_NONE);
    EXPECT_EQ(state.paletteSelection, TOOL_FEED);

    frame->Destroy();
    pump();
}
