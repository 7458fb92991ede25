#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/slider.h>
#include <wx/statbmp.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/builtin_sound.h"
#include "render/idle_counter.h"
#include "settings/live_settings.h"
#include "settings/settings_file.h"
#include "test_frame.h"
#include "ui/aquarium_settings_dialog.h"
#include "ui/controls/color_slider.h"
#include "ui/controls/color_swatch_button.h"
#include "ui/controls/icon_check_button.h"
#include "ui/fish_number_dialog.h"
#include "ui/ui_pictures.h"

using namespace veltamar;
using namespace veltamar::uitest;

namespace {

void writeSettings(const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(settingsPath()).parent_path());
    std::ofstream(settingsPath(), std::ios::trunc) << text;
}

std::string readSettings() {
    std::ifstream in(settingsPath());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool settingsHold(const std::string& line) {
    return readSettings().find(line + "\n") != std::string::npos;
}

// A dialog shown without its modal loop, closed and destroyed with the test.
template <typename Dialog>
struct Shown {
    Shown() : dialog(new Dialog()) {
        dialog->Show();
        pump(300);
    }
    ~Shown() {
        dialog->Destroy();
        pump();
    }
    Dialog* operator->() const { return dialog; }
    Dialog& operator*() const { return *dialog; }
    Dialog* dialog;
};

// The middle of a species' picture cell, in the dialog's client coordinates.
wxPoint cellCentre(int species) {
    const UiRect cell = FishNumberModel::cellRect(species);
    return {cell.x + cell.width / 2, cell.y + cell.height / 2};
}

}  // namespace

TEST(FishNumberDialog, ClicksKeysAndDoubleClicksChangeTheCounts) {
    writeSettings("[Fish Number]\nFish0=1\nFish3=2\n");
    Shown<FishNumberDialog> dialog;
    EXPECT_EQ(dialog->GetTitle(), "Fish Settings - Free Veltamar Screensaver 1.0");
    EXPECT_EQ(dialog->totalLabel(), "Total: 3/50");

    clickAt(screenPoint(*dialog, cellCentre(3)));
    EXPECT_EQ(dialog->model().selection(), 3);
    pressKey('a');
    EXPECT_EQ(dialog->model().counts()[3], 3);
    EXPECT_EQ(dialog->totalLabel(), "Total: 4/50");

    // The selected picture shows inside an inverted oval; the others as they are.
    const Screenshot shot = shoot("fish-dialog-selected");
    const wxImage picture = uiImage(FISH_PICTURE_ID);
    ASSERT_TRUE(picture.IsOk());
    for (int species : {3, 0}) {
        const wxPoint p = cellCentre(species) + wxPoint(-30, 20);  // water, away from the fish
        const wxColour original(picture.GetRed(p.x, p.y), picture.GetGreen(p.x, p.y),
                                picture.GetBlue(p.x, p.y));
        const wxColour expected =
            species == 3 ? wxColour(255 - original.Red(), 255 - original.Green(), 255 - original.Blue())
                         : original;
        EXPECT_PRED3(near, pixelOf(shot, *dialog, p), expected, 6) << "species " << species;
    }

    // A double-click selects with its first click and adds with the second; a right double-click
    // takes one away again.
    moveMouse(screenPoint(*dialog, cellCentre(5)));
    wxUIActionSimulator().MouseDblClick();
    pump(200);
    EXPECT_EQ(dialog->model().selection(), 5);
    EXPECT_EQ(dialog->model().counts()[5], 1);
    wxUIActionSimulator().MouseDblClick(wxMOUSE_BTN_RIGHT);
    pump(200);
    EXPECT_EQ(dialog->model().counts()[5], 0);
    pressKey('d');
    EXPECT_EQ(dialog->model().counts()[5], 0) << "never below 0";

    // The Clear button, and a click in the button row that drops the selection.
    clickAt(screenPoint(*dialog->FindWindow(ID_FISH_CLEAR), {5, 5}));
    EXPECT_EQ(dialog->model().total(), 0);
    EXPECT_EQ(dialog->totalLabel(), "Total: 0/50");
    clickAt(screenPoint(*dialog, {300, 470}));
    EXPECT_EQ(dialog->model().selection(), FISH_NO_SELECTION);
}

TEST(FishNumberDialog, TimerSavesAndTheCloseSavesAtOnce) {
    writeSettings("[Fish Number]\nFish1=49\n");
    liveSettings.speciesCounts.fill(0);
    Shown<FishNumberDialog> dialog;
    clickAt(screenPoint(*dialog, cellCentre(2)));
    pressKey('A');
    pressKey('a');
    EXPECT_EQ(dialog->model().counts()[2], 1) << "the second Add is refused at 50";
    idleCounter = 500;
    pump(FISH_SAVE_PERIOD_MS + 150);
    EXPECT_TRUE(settingsHold("Fish2=1"));
    EXPECT_EQ(liveSettings.speciesCounts[2], 1);
    EXPECT_EQ(idleCounter, 0) << "the cursor stays visible while the dialog is open";

    // Random through its key, then the window is closed before the timer can run again.
    pressKey('r');
    const FishCounts drawn = dialog->model().counts();
    EXPECT_LE(dialog->model().total(), 50);
    dialog->Close();
    EXPECT_FALSE(dialog->IsShown());
    for (int s = 0; s < SPECIES_COUNT; ++s)
        EXPECT_TRUE(settingsHold(fishKey(s) + "=" + std::to_string(drawn[s]))) << readSettings();
    EXPECT_EQ(liveSettings.speciesCounts, drawn);
}

TEST(AquariumSettingsDialog, MissingFileOpensWithEverySliderAtZero) {
    std::filesystem::remove(settingsPath());
    savedFrontRotation = 5.0f;
    Shown<AquariumSettingsDialog> dialog;
    EXPECT_EQ(savedFrontRotation, 0.0f);
    EXPECT_EQ(dialog->GetTitle(), "Aquarium Settings - Free Veltamar Screensaver 1.0");
    for (int id : {ID_VOLUME_SLIDER, ID_BUBBLE_SLIDER, ID_FOG_SLIDER, ID_LIGHT_SLIDER})
        EXPECT_EQ(dialog->slider(id).getPos(), 0) << id;
    EXPECT_EQ(dialog->viewSlider(ID_VIEW_LEFT_RIGHT).GetValue(), 0);
    EXPECT_EQ(dialog->viewSlider(ID_VIEW_NEAR_FAR).GetValue(), 0);
    EXPECT_FALSE(dialog->autoViewsBox().IsChecked());
    EXPECT_EQ(dialog->swatch(ID_FRONT_FIXED_COLOUR).getColor(), 0u);
    EXPECT_EQ(dialog->checkButton(ID_FRONT_AUTOMATIC).getState(), 1);
    EXPECT_EQ(dialog->checkButton(ID_BACK_AUTOMATIC).getState(), 1);
    EXPECT_EQ(dialog->checkButton(ID_FRONT_LOCK).getState(), 0);
    EXPECT_EQ(dialog->checkButton(ID_SHOW_TERRA).getState(), 0);
    EXPECT_FALSE(dialog->checkButton(ID_SHOW_TERRA).IsShown()) << "created hidden";
    EXPECT_EQ(dialog->slider(ID_VOLUME_SLIDER).getRangeMax(), 65535);
    EXPECT_EQ(dialog->slider(ID_BUBBLE_SLIDER).getRangeMax(), 110);
    EXPECT_EQ(dialog->viewSlider(ID_VIEW_LEFT_RIGHT).GetMax(), 7000);
    shoot("settings-dialog-empty");
}

TEST(AquariumSettingsDialog, VolumeSliderTopIsFullVolumeAtOnce) {
    writeSettings("[Aquarium Settings]\nYINLIANG=20000\n");
    Shown<AquariumSettingsDialog> dialog;
    EXPECT_EQ(dialog->slider(ID_VOLUME_SLIDER).getPos(), 20000);
    setWaveOutVolume(12345);
    pump(150);
    EXPECT_EQ(waveOutVolume(), 12345) << "loading and saving leave the device alone";

    dialog->slider(ID_VOLUME_SLIDER).SetFocus();
    pump();
    pressKey(WXK_HOME);
    EXPECT_EQ(dialog->slider(ID_VOLUME_SLIDER).getPos(), 0);
    EXPECT_EQ(waveOutVolume(), 65535);
    pressKey(WXK_END);
    EXPECT_EQ(waveOutVolume(), 0);
    pump(150);
    EXPECT_TRUE(settingsHold("YINLIANG=65535"));
    EXPECT_EQ(liveSettings.soundVolume, 65535);
}

TEST(AquariumSettingsDialog, TickedAutoViewsSnapADraggedSliderBack) {
    writeSettings("[Aquarium Settings]\nCHECK VIEWS=1\nVIEWSLEFTRIGHT=2000\nVIEWSNEARFAR=700\n");
    savedViewLeftRight = 2000;
    savedViewNearFar = 700;
    Shown<AquariumSettingsDialog> dialog;
    ASSERT_TRUE(dialog->autoViewsBox().IsChecked());
    wxSlider& leftRight = dialog->viewSlider(ID_VIEW_LEFT_RIGHT);
    std::vector<int> moves;
    leftRight.Bind(wxEVT_SLIDER, [&](wxCommandEvent& e) {
        moves.push_back(leftRight.GetValue());
        e.Skip();
    });

    const wxSize size = leftRight.GetSize();
    clickAt(screenPoint(leftRight, {size.x * 3 / 4, size.y / 2}));
    ASSERT_FALSE(moves.empty()) << "the click moved the slider";
    EXPECT_GT(*std::max_element(moves.begin(), moves.end()), 2000);
    pump(SETTINGS_SAVE_PERIOD_MS + 100);
    EXPECT_EQ(leftRight.GetValue(), 2000) << "back where it was stored";
    EXPECT_EQ(savedViewLeftRight, 2000);
    EXPECT_TRUE(settingsHold("VIEWSLEFTRIGHT=2000"));

    // With the box clear, the dragged place stays and becomes the stored view.
    clickAt(screenPoint(dialog->autoViewsBox(), {6, 6}));
    ASSERT_FALSE(dialog->autoViewsBox().IsChecked());
    pump(SETTINGS_SAVE_PERIOD_MS + 50);
    clickAt(screenPoint(leftRight, {size.x * 3 / 4, size.y / 2}));
    pump(SETTINGS_SAVE_PERIOD_MS + 100);
    EXPECT_GT(leftRight.GetValue(), 2000);
    EXPECT_EQ(savedViewLeftRight, leftRight.GetValue());
    EXPECT_TRUE(settingsHold("CHECK VIEWS=0"));
}

TEST(AquariumSettingsDialog, FixedColourSwatchSelectsFixColor) {
    writeSettings("[Aquarium Settings]\nFRONT AUTOJIANBIAN=1\n");
    Shown<AquariumSettingsDialog> dialog;
    std::optional<ColorRef> answer;
    dialog->setColourChooser([&] { return answer; });
    ASSERT_EQ(dialog->checkButton(ID_FRONT_AUTOMATIC).getState(), 1);

    clickAt(screenCentre(dialog->swatch(ID_FRONT_FIXED_COLOUR)));  // cancelled: nothing changes
    EXPECT_EQ(dialog->checkButton(ID_FRONT_AUTOMATIC).getState(), 1);

    answer = rgbColor(255, 0, 0);
    clickAt(screenCentre(dialog->swatch(ID_FRONT_FIXED_COLOUR)));
    EXPECT_EQ(dialog->swatch(ID_FRONT_FIXED_COLOUR).getColor(), rgbColor(255, 0, 0));
    EXPECT_EQ(dialog->checkButton(ID_FRONT_FIXED).getState(), 1);
    EXPECT_EQ(dialog->checkButton(ID_FRONT_AUTOMATIC).getState(), 0);

    // Clicking the active member keeps it on; clicking the other one moves the mark.
    clickAt(screenCentre(dialog->checkButton(ID_FRONT_FIXED)));
    EXPECT_EQ(dialog->checkButton(ID_FRONT_FIXED).getState(), 1);
    clickAt(screenCentre(dialog->checkButton(ID_FRONT_AUTOMATIC)));
    EXPECT_EQ(dialog->checkButton(ID_FRONT_FIXED).getState(), 0);
    EXPECT_EQ(dialog->checkButton(ID_FRONT_AUTOMATIC).getState(), 1);
    pump(SETTINGS_SAVE_PERIOD_MS + 50);
    EXPECT_TRUE(settingsHold("FRONTCOLOR=255"));
    EXPECT_TRUE(settingsHold("FRONT AUTOJIANBIAN=1"));
}

TEST(AquariumSettingsDialog, BackgroundStylePreview) {
    writeSettings("[Aquarium Settings]\nBACKGROUND=0\n");
    {
        Shown<AquariumSettingsDialog> dialog;
        for (int id : {ID_PREVIEW_STYLE_1, ID_PREVIEW_STYLE_2, ID_PREVIEW_STYLE_3})
            EXPECT_FALSE(dialog->previewPicture(id).IsShown());
        EXPECT_FALSE(dialog->styleButton(ID_PREVIOUS_STYLE).IsEnabled());
        EXPECT_TRUE(dialog->styleButton(ID_NEXT_STYLE).IsEnabled());
    }
    writeSettings("[Aquarium Settings]\nBACKGROUND=2\n");
    Shown<AquariumSettingsDialog> dialog;
    EXPECT_TRUE(dialog->previewPicture(ID_PREVIEW_STYLE_2).IsShown());
    EXPECT_FALSE(dialog->previewPicture(ID_PREVIEW_STYLE_1).IsShown());
    EXPECT_TRUE(dialog->styleButton(ID_PREVIOUS_STYLE).IsEnabled());
    const Screenshot shot = shoot("settings-dialog-preview");
    const wxStaticBitmap& preview = dialog->previewPicture(ID_PREVIEW_STYLE_2);
    const wxColour top = pixelOf(shot, preview, {preview.GetSize().x / 2, 5});
    EXPECT_GT(top.Green(), 150) << "the gradient preview is green at the top";
}

TEST(AquariumSettingsDialog, CloseRightAfterAChangeSavesIt) {
    writeSettings("[Aquarium Settings]\nCHECK LOCKFORE=0\nFOGNONGDU=3\n");
    Shown<AquariumSettingsDialog> dialog;
    pump(SETTINGS_SAVE_PERIOD_MS);
    // Two changes as the controls report them, and the close without any event in between.
    dialog->checkButton(ID_FRONT_LOCK).setState(1);
    wxCommandEvent lockClicked(wxEVT_BUTTON, ID_FRONT_LOCK);
    dialog->ProcessWindowEvent(lockClicked);
    dialog->slider(ID_FOG_SLIDER).setPos(21);
    wxCommandEvent fogMoved(wxEVT_SLIDER, ID_FOG_SLIDER);
    dialog->ProcessWindowEvent(fogMoved);
    dialog->Close();
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_TRUE(settingsHold("CHECK LOCKFORE=1")) << readSettings();
    EXPECT_TRUE(settingsHold("FOGNONGDU=21"));
    EXPECT_EQ(liveSettings.frontLock, 1);
    EXPECT_EQ(liveSettings.fogSetting, 21);
}
