#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "ui/aquarium_settings_model.h"

class wxCheckBox;
class wxSlider;
class wxStaticBitmap;
class wxButton;

// "Aquarium Settings": the wave-sound volume, the number of bubbles, fog and light strength, the
// colour of the light and the views of the tank. Every change applies while the dialog is open:
// ten times a second it writes the whole "Aquarium Settings" section and hands the values to the
// scene; the volume changes the moment its slider moves. Closing the window saves once more.

namespace veltamar {

class ColorSlider;
class ColorSwatchButton;
class IconCheckButton;

constexpr int SETTINGS_SAVE_PERIOD_MS = 100;

class AquariumSettingsDialog : public wxDialog {
  public:
    explicit AquariumSettingsDialog(wxWindow* parent = nullptr);
    ~AquariumSettingsDialog() override;

    const AquariumSettingsModel& model() const { return settings; }

    // How a swatch asks for a colour: nothing when the user cancels. A standard colour dialog by
    // default.
    using ColourChooser = std::function<std::optional<ColorRef>()>;
    void setColourChooser(ColourChooser chooser) { chooseColour = std::move(chooser); }

    // Reads the section into the dialog ("R"), and writes it with the scene's copy ("W").
    void load();
    void save();

    ColorSlider& slider(int id) const;
    wxSlider& viewSlider(int id) const;
    IconCheckButton& checkButton(int id) const;
    ColorSwatchButton& swatch(int id) const;
    wxCheckBox& autoViewsBox() const { return *autoViewsCheck; }
    wxStaticBitmap& previewPicture(int id) const;
    wxButton& styleButton(int id) const;

  private:
    void createControls();
    void showState();
    void showModes();
    void showPreview();
    void finish(int result);

    void onButton(wxCommandEvent& event);
    void onVerticalSlider(wxCommandEvent& event);
    void onViewSlider(wxCommandEvent& event);
    void onTimer(wxTimerEvent& event);
    void onCharHook(wxKeyEvent& event);
    void onClose(wxCloseEvent& event);

    AquariumSettingsModel settings;
    std::string settingsFile;
    ColourChooser chooseColour;

    std::map<int, ColorSlider*> verticalSliders;
    std::map<int, wxSlider*> viewSliders;
    std::map<int, IconCheckButton*> checkButtons;
    std::map<int, ColorSwatchButton*> swatches;
    std::map<int, wxStaticBitmap*> previews;
    std::map<int, wxButton*> stepButtons;
    wxCheckBox* autoViewsCheck = nullptr;
    wxTimer saveTimer;
};

// Runs the dialog modally, without a parent.
void runAquariumSettingsDialog();

}  // namespace veltamar
