#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "settings/live_settings.h"
#include "ui/color_ref.h"

// The rules of the aquarium settings dialog, apart from any window: the values its controls stand
// for, how they are read from and written to the "Aquarium Settings" section, the two colour-mode
// groups, the background style preview and the tank-view sliders. The dialog forwards its
// controls' events here and shows what the model holds.

namespace veltamar {

// Control ids of the dialog.
enum AquariumSettingsId {
    ID_SHOW_LIGHTS = 1012,
    ID_FRONT_FIXED = 1013,
    ID_FRONT_FIXED_COLOUR = 1015,
    ID_BACK_FIXED_COLOUR = 1016,
    ID_FRONT_COLOUR_1 = 1017,
    ID_FRONT_COLOUR_2 = 1018,
    ID_BACK_COLOUR_1 = 1019,
    ID_BACK_COLOUR_2 = 1020,
    ID_FRONT_GRADUAL = 1021,
    ID_FRONT_AUTOMATIC = 1022,
    ID_BACK_FIXED = 1023,
    ID_BACK_GRADUAL = 1024,
    ID_BACK_AUTOMATIC = 1025,
    ID_SHOW_WATER = 1026,
    ID_SHOW_TERRA = 1027,
    ID_FRONT_LOCK = 1028,
    ID_BACK_LOCK = 1029,
    ID_BUBBLE_SLIDER = 1009,
    ID_VOLUME_SLIDER = 1010,
    ID_FOG_SLIDER = 1011,
    ID_LIGHT_SLIDER = 1030,
    ID_LOAD_BUTTON = 1031,
    ID_SAVE_BUTTON = 1032,
    ID_PREVIEW_STYLE_2 = 1034,
    ID_PREVIOUS_STYLE = 1035,
    ID_NEXT_STYLE = 1036,
    ID_WEB_ADDRESS = 1037,
    ID_PREVIEW_STYLE_1 = 1038,
    ID_PREVIEW_STYLE_3 = 1039,
    ID_AUTO_VIEWS = 1040,
    ID_VIEW_LEFT_RIGHT = 1041,
    ID_VIEW_NEAR_FAR = 1042,
};

// Pictures of the background styles 1, 2 and 3 (style 0 has none).
constexpr int PREVIEW_PICTURE_STYLE_1 = 238;
constexpr int PREVIEW_PICTURE_STYLE_2 = 156;
constexpr int PREVIEW_PICTURE_STYLE_3 = 244;

constexpr int BACKGROUND_STYLE_LAST = 3;
constexpr int VOLUME_SLIDER_MAX = 65535;
constexpr int BUBBLE_SLIDER_MAX = 110;
constexpr int FOG_SLIDER_MAX = 25;
constexpr int LIGHT_SLIDER_MAX = 100;
constexpr int VIEW_LEFT_RIGHT_MAX = 7000;
constexpr int VIEW_NEAR_FAR_MAX = 2000;

enum class ColourMode { Fixed, Gradual, Automatic };

// One of the two colour groups: the light's ("front") and the backdrop's ("back").
struct ColourGroup {
    ColourMode mode = ColourMode::Automatic;
    ColorRef fixedColour = 0;
    ColorRef colour1 = 0;
    ColorRef colour2 = 0;
    int lock = 0;

    int state(ColourMode m) const { return mode == m ? 1 : 0; }
};

// Which preview picture shows (its control id, 0 for none) and which step buttons are enabled.
struct BackgroundPreview {
    int shownControl = 0;
    bool previousEnabled = true;
    bool nextEnabled = true;

    bool operator==(const BackgroundPreview&) const = default;
};

// The text of a key as the file holds it; empty when the key is missing.
using SettingLookup = std::function<std::string(std::string_view key)>;

class AquariumSettingsModel {
  public:
    // The values the dialog starts with before it loads the file.
    AquariumSettingsModel();

    // Reads every key of the section (a missing key reads as 0). The colour modes keep their
    // current selection when none of a group's mode keys is 1. Also sets savedFrontRotation and
    // savedBackRotation from the file.
    void load(const SettingLookup& lookup);
    void loadFile(const std::string& settingsFile);

    // The record the dialog saves: its values in the slots they belong to, the two angles from
    // savedFrontRotation and savedBackRotation, and "CHECK VIEWS" from the check box as it is now.
    LiveSettings record(bool autoViewsTicked) const;
    // Writes the 27 keys in their order as one file update, then hands the record (with both
    // angle slots 0) to updateLiveSettings.
    void save(const std::string& settingsFile, bool autoViewsTicked) const;

    // A vertical slider moved: the four positions become the values. Returns the device volume to
    // set at once: 65535 minus the volume position (the top of the slider is full volume).
    int verticalSlidersMoved(int volume, int bubbles, int fog, int light);
    // A view slider moved: both positions become the values and, unless the views change by
    // themselves, the remembered views.
    void viewSlidersMoved(int leftRight, int nearFar);
    // The 100 ms tick: the automatic-views flag follows the check box, and while it is set the
    // view sliders (and their values) go back to the remembered views. Returns the positions the
    // sliders must take, or nothing when they stay.
    struct ViewPositions {
        int leftRight;
        int nearFar;
    };
    std::optional<ViewPositions> timerTick(bool autoViewsTicked);

    // A mode button of a group was clicked: it is the one on.
    void selectFrontMode(ColourMode mode) { front.mode = mode; }
    void selectBackMode(ColourMode mode) { back.mode = mode; }
    // A colour was chosen on a swatch: the colour is kept and the swatch's mode, if it has one,
    // selected (fixed colours select the fixed mode, the back gradient colours the gradual mode).
    void colourChosen(int swatchId, ColorRef colour);
    // The colour a swatch shows.
    ColorRef swatchColour(int swatchId) const;

    // "<<" and ">>": one style down or up, within 0..3.
    void previousStyle();
    void nextStyle();
    const BackgroundPreview& preview() const { return shownPreview; }

    // On/off buttons: showWater, showLights, showTerra, front lock, back lock by control id.
    int toggleState(int id) const;
    void setToggleState(int id, int on);

    int soundVolume = 32767;
    int bubbleCount = 100;
    int fog = 12;
    int light = 50;
    int viewLeftRight = 3500;
    int viewNearFar = 1000;
    int autoViews = 0;
    int backgroundIndex = 0;
    int showWater = 1;
    int showLights = 1;
    int showTerra = 1;
    ColourGroup front;
    ColourGroup back;

  private:
    // Shows the preview of the style index; an index outside 0..3 changes nothing.
    void showPreview();

    BackgroundPreview shownPreview;
};

}  // namespace veltamar
