#include "ui/tool_palette_dialog.h"

#include "render/commands.h"
#include "ui/command_delivery.h"
#include "ui/controls/hover_button.h"
#include "ui/screen_area.h"
#include "ui/ui_picture_ids.h"

namespace veltamar {

namespace {

const wxColour PALETTE_COLOUR(20, 44, 72);
const wxColour BUTTON_LIT_COLOUR(50, 96, 146);

}  // namespace

ToolPaletteWindow::ToolPaletteWindow(wxWindow& owner, UiRect area)
    : wxPopupWindow(&owner, wxBORDER_NONE), session(*this, [this](wxKeyEvent& event) { onKey(event); }) {
    SetBackgroundColour(PALETTE_COLOUR);
    SetSize(area.x, area.y, area.width, area.height);
    for (std::size_t i = 0; i < paletteButtons().size(); ++i) {
        const PaletteButton& entry = paletteButtons()[i];
        const UiRect r = paletteButtonRect(entry);
        auto* button =
            new HoverButton(this, entry.id, wxString(), wxPoint(r.x, r.y), wxSize(r.width, r.height));
        button->setShowText(false);
        button->setIcons(entry.picture, 0, PALETTE_PICTURE_SIZE, PALETTE_PICTURE_SIZE);
        button->setColour(HoverButton::NORMAL_BACKGROUND, PALETTE_COLOUR);
        button->setColour(HoverButton::ACTIVE_BACKGROUND, BUTTON_LIT_COLOUR);
        button->SetToolTip(entry.tip);
        buttons[i] = button;
    }
    Bind(wxEVT_BUTTON, &ToolPaletteWindow::onButton, this);
}

const PaletteButton* ToolPaletteWindow::run() {
    session.run();
    return pressed;
}

void ToolPaletteWindow::onButton(wxCommandEvent& event) {
    if (session.ended()) return;
    pressed = paletteButton(event.GetId());
    session.end();
}

void ToolPaletteWindow::onKey(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE) session.end();
}

ToolPaletteDialog::ToolPaletteDialog(int& selectedCommand, DialogRunners runners)
    : selection(selectedCommand), runners(std::move(runners)) {
    selection = TOOL_FEED;
}

// The dialogs run once the palette has closed, so that the palette neither covers them nor can be
// pressed again while they are open.
void ToolPaletteDialog::open(wxWindow& owner, wxPoint mouse) {
    auto* palette = new ToolPaletteWindow(owner, placePalette({mouse.x, mouse.y}, screenAreaAt(mouse)));
    shown = palette;
    const PaletteButton* pressed = palette->run();
    shown = nullptr;
    palette->Destroy();
    if (!pressed) return;

    switch (pressed->action) {
        case PaletteAction::SelectTool:
            selection = pressed->tool;
            sendCommand(owner, selection);
            break;
        case PaletteAction::RunFishDialog:
            if (runners.fishNumber) runners.fishNumber();
            selection = TOOL_FEED;
            break;
        case PaletteAction::RunSettingsDialog:
            if (runners.aquariumSettings) runners.aquariumSettings();
            selection = TOOL_FEED;
            break;
    }
}

}  // namespace veltamar
