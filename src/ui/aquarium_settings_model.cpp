#include "ui/aquarium_settings_model.h"

#include "platform/profile_file.h"
#include "settings/aquarium_keys.h"
#include "settings/settings_file.h"

namespace veltamar {

namespace {

constexpr ColorRef WHITE = rgbColor(255, 255, 255);

bool isOne(const std::string& text) {
    return leadingInteger(text) == 1;
}

ColorRef colourValue(const std::string& text) {
    return static_cast<ColorRef>(leadingInteger(text));
}

}  // namespace

AquariumSettingsModel::AquariumSettingsModel() {
    back.fixedColour = WHITE;
}

void AquariumSettingsModel::load(const SettingLookup& lookup) {
    auto read = [&](std::string_view key) { return lookup(key); };
    auto number = [&](std::string_view key) { return leadingInteger(read(key)); };

    showWater = isOne(read("Show Water"));
    showLights = isOne(read("Show Light"));
    showTerra = isOne(read("Show Terra"));

    // Within a group the modes are taken in this order, so the last one set to 1 wins.
    auto loadGroup = [&](ColourGroup& group, const char* fixedKey, const char* colourKey,
                         const char* gradualKey, const char* colour1Key, const char* colour2Key,
                         const char* automaticKey) {
        if (isOne(read(fixedKey))) group.mode = ColourMode::Fixed;
        group.fixedColour = colourValue(read(colourKey));
        if (isOne(read(gradualKey))) group.mode = ColourMode::Gradual;
        group.colour1 = colourValue(read(colour1Key));
        group.colour2 = colourValue(read(colour2Key));
        if (isOne(read(automaticKey))) group.mode = ColourMode::Automatic;
    };
    loadGroup(front, "FRONT GUDING", "FRONTCOLOR", "FRONT MANJIANBIAN", "FRONT COLOR1", "FRONT COLOR2",
              "FRONT AUTOJIANBIAN");
    front.lock = isOne(read("CHECK LOCKFORE"));
    savedFrontRotation = static_cast<float>(leadingDecimal(read("LOCKFORE ROT")));

    loadGroup(back, "BACK GUDING", "BACKCOLOR", "BACK MANJIANBIAN", "BACK COLOR1", "BACK COLOR2",
              "BACK AUTOJIANBIAN");
    back.lock = isOne(read("CHECK LOCKBACK"));
    savedBackRotation = static_cast<float>(leadingDecimal(read("LOCKBACK ROT")));

    soundVolume = number("YINLIANG");
    bubbleCount = number("QIPAONUM");
    backgroundIndex = number("BACKGROUND");
    showPreview();
    fog = number("FOGNONGDU");
    light = number("LIGHTQIANGDU");
    autoViews = number("CHECK VIEWS");
    viewLeftRight = number("VIEWSLEFTRIGHT");
    viewNearFar = number("VIEWSNEARFAR");
}

void AquariumSettingsModel::loadFile(const std::string& settingsFile) {
    const ProfileDocument file = ProfileDocument::load(settingsFile);
    load([&](std::string_view key) { return file.get(SECTION_AQUARIUM, key).value_or(""); });
}

LiveSettings AquariumSettingsModel::record(bool autoViewsTicked) const {
    LiveSettings r;
    r.showWater = showWater;
    r.showLight = showLights;
    r.showTerra = showTerra;
    r.frontFixed = front.state(ColourMode::Fixed);
    r.frontColor = front.fixedColour;
    r.frontGradient = front.state(ColourMode::Gradual);
    r.frontColor1 = front.colour1;
    r.frontColor2 = front.colour2;
    r.frontAutoGradient = front.state(ColourMode::Automatic);
    r.frontLock = front.lock;
    r.frontRotation = savedFrontRotation;
    r.backFixed = back.state(ColourMode::Fixed);
    r.backColor = back.fixedColour;
    r.backGradient = back.state(ColourMode::Gradual);
    r.backColor1 = back.colour1;
    r.backColor2 = back.colour2;
    r.backAutoGradient = back.state(ColourMode::Automatic);
    r.backLock = back.lock;
    r.backRotation = savedBackRotation;
    r.soundVolume = soundVolume;
    r.bubbleSetting = bubbleCount;
    r.backgroundIndex = backgroundIndex;
    r.fogSetting = fog;
    r.lightSetting = light;
    r.autoViews = autoViewsTicked ? 1 : 0;
    r.viewLeftRight = viewLeftRight;
    r.viewNearFar = viewNearFar;
    return r;
}

void AquariumSettingsModel::save(const std::string& settingsFile, bool autoViewsTicked) const {
    LiveSettings values = record(autoViewsTicked);
    ProfileWriteBatch file(settingsFile);
    for (const AquariumKey& key : AQUARIUM_KEYS)
        file.write(SECTION_AQUARIUM, key.name, formatKeyValue(key, values));
    file.commit();

    // The scene's copy of the angles is not the dialog's to set.
    values.frontRotation = 0.0f;
    values.backRotation = 0.0f;
    updateLiveSettings(values);
}

int AquariumSettingsModel::verticalSlidersMoved(int volume, int bubbles, int fogPosition, int lightPosition) {
    soundVolume = volume;
    bubbleCount = bubbles;
    fog = fogPosition;
    light = lightPosition;
    return VOLUME_SLIDER_MAX - volume;
}

void AquariumSettingsModel::viewSlidersMoved(int leftRight, int nearFar) {
    viewLeftRight = leftRight;
    viewNearFar = nearFar;
    if (!autoViews) {
        savedViewNearFar = viewNearFar;
        savedViewLeftRight = viewLeftRight;
    }
}

// While the views change by themselves the sliders show the remembered views, and the values
// saved with them are the ones the sliders show.
std::optional<AquariumSettingsModel::ViewPositions> AquariumSettingsModel::timerTick(bool autoViewsTicked) {
    autoViews = autoViewsTicked ? 1 : 0;
    if (!autoViews) return std::nullopt;
    viewLeftRight = savedViewLeftRight;
    viewNearFar = savedViewNearFar;
    return ViewPositions{savedViewLeftRight, savedViewNearFar};
}

void AquariumSettingsModel::colourChosen(int swatchId, ColorRef colour) {
    switch (swatchId) {
        case ID_FRONT_FIXED_COLOUR:
            front.fixedColour = colour;
            front.mode = ColourMode::Fixed;
            break;
        case ID_BACK_FIXED_COLOUR:
            back.fixedColour = colour;
            back.mode = ColourMode::Fixed;
            break;
        case ID_FRONT_COLOUR_1:
            front.colour1 = colour;
            break;
        case ID_FRONT_COLOUR_2:
            front.colour2 = colour;
            break;
        case ID_BACK_COLOUR_1:
            back.colour1 = colour;
            back.mode = ColourMode::Gradual;
            break;
        case ID_BACK_COLOUR_2:
            back.colour2 = colour;
            back.mode = ColourMode::Gradual;
            break;
        default:
            break;
    }
}

ColorRef AquariumSettingsModel::swatchColour(int swatchId) const {
    switch (swatchId) {
        case ID_FRONT_FIXED_COLOUR:
            return front.fixedColour;
        case ID_BACK_FIXED_COLOUR:
            return back.fixedColour;
        case ID_FRONT_COLOUR_1:
            return front.colour1;
        case ID_FRONT_COLOUR_2:
            return front.colour2;
        case ID_BACK_COLOUR_1:
            return back.colour1;
        case ID_BACK_COLOUR_2:
            return back.colour2;
        default:
            return 0;
    }
}

void AquariumSettingsModel::previousStyle() {
    if (backgroundIndex > 0) --backgroundIndex;
    showPreview();
}

void AquariumSettingsModel::nextStyle() {
    if (backgroundIndex < BACKGROUND_STYLE_LAST) ++backgroundIndex;
    showPreview();
}

void AquariumSettingsModel::showPreview() {
    switch (backgroundIndex) {
        case 0:
            shownPreview.shownControl = 0;
            break;
        case 1:
            shownPreview.shownControl = ID_PREVIEW_STYLE_1;
            break;
        case 2:
            shownPreview.shownControl = ID_PREVIEW_STYLE_2;
            break;
        case 3:
            shownPreview.shownControl = ID_PREVIEW_STYLE_3;
            break;
        default:
            return;
    }
    shownPreview.nextEnabled = backgroundIndex < BACKGROUND_STYLE_LAST;
    shownPreview.previousEnabled = backgroundIndex > 0;
}

int AquariumSettingsModel::toggleState(int id) const {
    switch (id) {
        case ID_SHOW_WATER:
            return showWater;
        case ID_SHOW_LIGHTS:
            return showLights;
        case ID_SHOW_TERRA:
            return showTerra;
        case ID_FRONT_LOCK:
            return front.lock;
        case ID_BACK_LOCK:
            return back.lock;
        default:
            return 0;
    }
}

void AquariumSettingsModel::setToggleState(int id, int on) {
    const int value = on ? 1 : 0;
    switch (id) {
        case ID_SHOW_WATER:
            showWater = value;
            break;
        case ID_SHOW_LIGHTS:
            showLights = value;
            break;
        case ID_SHOW_TERRA:
            showTerra = value;
            break;
        case ID_FRONT_LOCK:
            front.lock = value;
            break;
        case ID_BACK_LOCK:
            back.lock = value;
            break;
        default:
            break;
    }
}

}  // namespace veltamar
