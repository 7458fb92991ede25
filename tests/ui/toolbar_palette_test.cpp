#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/datetime.h>

#include <map>
#include <vector>

#include "render/commands.h"
#include "surface_support.h"
#include "test_frame.h"
#include "ui/controls/hover_button.h"
#include "ui/led_clock.h"
#include "ui/tool_palette_dialog.h"
#include "ui/toolbar_dialog.h"
#include "ui/ui_picture_ids.h"
#include "ui/ui_pictures.h"

using namespace veltamar;
using namespace veltamar::uitest;

namespace {

const wxRect SCREEN(0, 0, 1024, 768);

// The window the surfaces send their commands to, and the dialogs they run.
struct Receiver {
    explicit Receiver(wxWindow* window) : window(window) {
        window->Bind(wxEVT_MENU, [this](wxCommandEvent& e) { commands.push_back(e.GetId()); });
        window->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { ++clicks; });
    }
    DialogRunners runners() {
        return {[this] { ++fishDialogs; }, [this] { ++settingsDialogs; }};
    }
    wxWindow* window;
    std::vector<int> commands;
    int clicks = 0;
    int fishDialogs = 0;
    int settingsDialogs = 0;
};

// Opens the palette at a screen point and runs script while it is open.
void openPalette(ToolPaletteDialog& palette, Receiver& receiver, wxPoint mouse,
                 const std::function<void()>& script) {
    whileOpen([&] { palette.open(*receiver.window, mouse); }, script,
              [&] { return palette.window() && !palette.window()->closing(); },
              [&] {
                  wxCommandEvent press(wxEVT_BUTTON, 1001);
                  palette.window()->GetEventHandler()->ProcessEvent(press);
              });
}

int brightPixels(const Screenshot& shot, const wxWindow& window, const wxRect& box) {
    int count = 0;
    for (int y = box.y; y < box.GetBottom(); ++y)
        for (int x = box.x; x < box.GetRight(); ++x) {
            const wxColour c = pixelOf(shot, window, {x, y});
            if (c.Red() > 200 && c.Green() > 200 && c.Blue() > 200) ++count;
        }
    return count;
}

}  // namespace

TEST(ToolPalette, OpensAtTheMouseAndEveryButtonDoesItsPart) {
    TestFrame frame({900, 600});
    Receiver receiver(frame);
    int selection = 0;
    ToolPaletteDialog palette(selection, receiver.runners());
    EXPECT_EQ(palette.selectedCommand(), TOOL_FEED) << "starts with the feed tool selected";

    const wxPoint mouse = screenPoint(*receiver.window, {120, 200});
    std::map<int, int> commandOf;
    for (const PaletteButton& entry : paletteButtons()) {
        moveMouse(mouse);
        const std::size_t commandsBefore = receiver.commands.size();
        const int fishBefore = receiver.fishDialogs, settingsBefore = receiver.settingsDialogs;
        selection = TOOL_TOUCH;
        openPalette(palette, receiver, mouse, [&] {
            ToolPaletteWindow& window = *palette.window();
            EXPECT_EQ(window.GetScreenRect(), wxRect(mouse, wxSize(405, 40)));
            wxWindow* button = window.FindWindow(entry.id);
            ASSERT_NE(button, nullptr);
            const UiRect r = paletteButtonRect(entry);
            EXPECT_EQ(button->GetRect(), wxRect(r.x, r.y, r.width, r.height));
            if (entry.tool == TOOL_SWIRL) {
                moveMouse(screenCentre(*button));
                shoot("palette-swirl-hover");
            }
            clickAt(screenCentre(*button));
        });
        EXPECT_EQ(palette.window(), nullptr) << entry.id << " closes the palette";
        pump();
        switch (entry.action) {
            case PaletteAction::SelectTool:
                ASSERT_EQ(receiver.commands.size(), commandsBefore + 1) << entry.id;
                commandOf[entry.id] = receiver.commands.back();
                EXPECT_EQ(selection, entry.tool);
                break;
            case PaletteAction::RunFishDialog:
                EXPECT_EQ(receiver.commands.size(), commandsBefore) << "no command after a dialog";
                EXPECT_EQ(receiver.fishDialogs, fishBefore + 1);
                EXPECT_EQ(selection, TOOL_FEED) << "the selection returns to feeding after a dialog";
                break;
            case PaletteAction::RunSettingsDialog:
                EXPECT_EQ(receiver.commands.size(), commandsBefore);
                EXPECT_EQ(receiver.settingsDialogs, settingsBefore + 1);
                EXPECT_EQ(selection, TOOL_FEED);
                break;
        }
    }
    const std::map<int, int> expected{{1001, TOOL_FEED},   {1000, TOOL_TOUCH}, {1004, TOOL_SPARE},
                                      {1005, TOOL_RIPPLE}, {1007, TOOL_SWIRL}, {1006, TOOL_POINT}};
    EXPECT_EQ(commandOf, expected);
    EXPECT_EQ(receiver.clicks, 0);
}

TEST(ToolPalette, EscapeOrAClickElsewhereClosesItWithNothingChosen) {
    TestFrame frame({900, 600});
    Receiver receiver(frame);
    int selection = TOOL_FEED;
    ToolPaletteDialog palette(selection, receiver.runners());
    const wxPoint mouse = screenPoint(*receiver.window, {100, 100});
    moveMouse(mouse);
    openPalette(palette, receiver, mouse, [] {
        shoot("palette-open");
        pressKey(WXK_ESCAPE);
    });
    openPalette(palette, receiver, mouse, [&] { clickAt(screenPoint(*receiver.window, {600, 500})); });
    pump();
    EXPECT_TRUE(receiver.commands.empty());
    EXPECT_EQ(receiver.clicks, 0) << "the closing click does nothing else";
    EXPECT_EQ(receiver.fishDialogs + receiver.settingsDialogs, 0);
    EXPECT_EQ(selection, TOOL_FEED);
}

TEST(Toolbar, EveryButtonSendsItsCommandAndAddFishRunsTheDialog) {
    TestFrame frame({600, 400});
    Receiver receiver(frame);
    auto* toolbar = new ToolbarDialog(*receiver.window, SCREEN, [&] { ++receiver.fishDialogs; });
    toolbar->showNow();
    pump(300);
    EXPECT_TRUE(toolbar->IsShown());
    EXPECT_EQ(toolbar->GetScreenRect(), wxRect(0, 0, 1024, 28));

    std::map<wxString, int> commands;
    for (const ToolbarControl& control : toolbarControls()) {
        if (control.kind != ToolbarControlKind::Button) continue;
        wxWindow* button = toolbar->FindWindow(control.id);
        ASSERT_NE(button, nullptr) << control.text;
        const UiRect r = toolbarPixels(control.units, toolbar->scale());
        EXPECT_EQ(button->GetRect(), wxRect(r.x, r.y, r.width, r.height)) << control.text;
        const std::size_t before = receiver.commands.size();
        clickAt(screenCentre(*button));
        pump();
        if (receiver.commands.size() == before + 1) {
            commands[control.text] = receiver.commands.back();
            EXPECT_EQ(toolbar->selectedCommand(), receiver.commands.back());
        }
        EXPECT_LE(receiver.commands.size(), before + 1) << "one command a click";
    }
    const std::map<wxString, int> expected{
        {"Feed Fish", TOOL_FEED},
        {"Touch Fish", TOOL_TOUCH},
        {"ZoomIn Fish", TOOL_ZOOM_IN},
        {"ZoomOut Fish", TOOL_ZOOM_OUT},
        {"Custom Music", CMD_MUSIC_DIALOG},
        {"Custom Image", CMD_BACKGROUND_DIALOG},
        {"Exit", CMD_EXIT},
    };
    EXPECT_EQ(commands, expected);
    EXPECT_EQ(receiver.fishDialogs, 1) << "\"Add Fish\" runs the fish dialog itself";
    toolbar->Destroy();
    pump();
}

TEST(Toolbar, WhiteTextAndTheClockOverItsPicture) {
    TestFrame frame({600, 400});
    const wxDateTime before = wxDateTime::Now();
    auto* toolbar = new ToolbarDialog(*frame.panel, SCREEN, [] {});
    toolbar->showNow();
    moveMouse({500, 10});
    pump(300);
    const Screenshot shot = shoot("toolbar");

    // The picture fills the strip where no control is.
    wxImage picture = uiImage(TOOLBAR_BACKGROUND_PICTURE);
    ASSERT_TRUE(picture.IsOk());
    picture.Rescale(1024, 28, wxIMAGE_QUALITY_HIGH);
    for (const wxPoint p : {wxPoint(3, 14), wxPoint(1010, 20), wxPoint(600, 3)}) {
        const wxColour expected(picture.GetRed(p.x, p.y), picture.GetGreen(p.x, p.y),
                                picture.GetBlue(p.x, p.y));
        EXPECT_TRUE(near(pixelOf(shot, *toolbar, p), expected, 3)) << p.x << "," << p.y;
    }

    // The address and the button labels in white over it; the title without a box of its own.
    auto boxOf = [&](int id) {
        const UiRect r = toolbarPixels(toolbarControl(id)->units, toolbar->scale());
        return wxRect(r.x, r.y, r.width, r.height);
    };
    EXPECT_GT(brightPixels(shot, *toolbar, boxOf(1037)), 30);
    EXPECT_GT(brightPixels(shot, *toolbar, boxOf(1010)), 20);
    const UiRect title = toolbarPixels({574, 4, 153, 13}, toolbar->scale());
    EXPECT_LT(pixelOf(shot, *toolbar, {title.right() - 2, title.y + 1}).Red(), 150)
        << "no light box behind it";

    // The clock shows the local time and follows it (the minute may turn while the test runs).
    const LedClock& clock = toolbar->clock();
    const int shown = clock.hour() * 60 + clock.minute();
    const wxDateTime after = wxDateTime::Now();
    EXPECT_TRUE(shown == before.GetHour() * 60 + before.GetMinute() ||
                shown == after.GetHour() * 60 + after.GetMinute())
        << clock.hour() << ":" << clock.minute() << " between " << before.FormatISOTime() << " and "
        << after.FormatISOTime();
    const int second = clock.second();
    pump(1100);
    EXPECT_NE(clock.second(), second) << "refreshed every second";
    toolbar->Destroy();
    pump();
}
