#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "settings/live_settings.h"
#include "temp_config_home.h"
#include "ui/aquarium_settings_model.h"

using namespace veltamar;
using veltamar::testsupport::TempConfigHome;

namespace {

SettingLookup lookupIn(const std::map<std::string, std::string>& values) {
    return [values](std::string_view key) {
        const auto found = values.find(std::string(key));
        return found == values.end() ? std::string() : found->second;
    };
}

std::vector<std::string> sectionLines(const std::string& text, const std::string& section) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] == '[') {
            inside = line == "[" + section + "]";
            continue;
        }
        if (inside && !line.empty()) lines.push_back(line);
    }
    return lines;
}

}  // namespace

TEST(AquariumSettingsModel, AutomaticViewsSnapBackToTheViewsStoredWhileOff) {
    savedViewLeftRight = 0;
    savedViewNearFar = 0;
    AquariumSettingsModel model;
    model.autoViews = 0;
    model.viewSlidersMoved(1200, 300);
    EXPECT_EQ(savedViewLeftRight, 1200);
    EXPECT_EQ(savedViewNearFar, 300);
    EXPECT_FALSE(model.timerTick(false).has_value()) << "sliders stay where the user put them";

    ASSERT_TRUE(model.timerTick(true).has_value());
    model.viewSlidersMoved(6000, 1900);  // dragged while the views change by themselves
    EXPECT_EQ(savedViewLeftRight, 1200) << "nothing is stored while the box is ticked";
    const auto back = model.timerTick(true);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->leftRight, 1200);
    EXPECT_EQ(back->nearFar, 300);
    EXPECT_EQ(model.record(true).viewLeftRight, 1200) << "the saved value is the one the slider shows";
    EXPECT_EQ(model.record(true).autoViews, 1);
    EXPECT_EQ(model.record(false).autoViews, 0) << "the check box as it is at the save";
}

TEST(AquariumSettingsModel, SwatchesSelectTheirModes) {
    AquariumSettingsModel model;
    ASSERT_EQ(model.front.mode, ColourMode::Automatic);
    model.colourChosen(ID_FRONT_FIXED_COLOUR, 255);
    EXPECT_EQ(model.front.state(ColourMode::Fixed), 1);
    EXPECT_EQ(model.front.state(ColourMode::Automatic), 0);
    EXPECT_EQ(model.swatchColour(ID_FRONT_FIXED_COLOUR), 255u);

    model.colourChosen(ID_FRONT_COLOUR_1, 65280);
    EXPECT_EQ(model.front.mode, ColourMode::Fixed) << "front gradient colours change no mode";
    EXPECT_EQ(model.front.colour1, 65280u);

    model.colourChosen(ID_BACK_COLOUR_2, 16711680);
    EXPECT_EQ(model.back.mode, ColourMode::Gradual);
    model.colourChosen(ID_BACK_FIXED_COLOUR, 1);
    EXPECT_EQ(model.back.mode, ColourMode::Fixed);
    model.selectBackMode(ColourMode::Automatic);
    const LiveSettings r = model.record(false);
    EXPECT_EQ(r.backFixed + r.backGradient + r.backAutoGradient, 1) << "exactly one mode per group";
    EXPECT_EQ(r.backAutoGradient, 1);
    EXPECT_EQ(r.backColor2, 16711680u);
}

TEST(AquariumSettingsModel, BackgroundPreviewAndStepButtons) {
    AquariumSettingsModel model;
    model.load(lookupIn({{"BACKGROUND", "0"}}));
    EXPECT_EQ(model.preview(), (BackgroundPreview{0, false, true})) << "no picture, \"<<\" disabled";
    model.nextStyle();
    EXPECT_EQ(model.preview(), (BackgroundPreview{ID_PREVIEW_STYLE_1, true, true}));
    model.nextStyle();
    EXPECT_EQ(model.preview().shownControl, ID_PREVIEW_STYLE_2);
    model.nextStyle();
    model.nextStyle();
    EXPECT_EQ(model.backgroundIndex, 3);
    EXPECT_EQ(model.preview(), (BackgroundPreview{ID_PREVIEW_STYLE_3, true, false}));
    model.previousStyle();
    EXPECT_EQ(model.backgroundIndex, 2);

    // An index from outside the range changes nothing that shows.
    model.load(lookupIn({{"BACKGROUND", "7"}}));
    EXPECT_EQ(model.backgroundIndex, 7);
    EXPECT_EQ(model.preview().shownControl, ID_PREVIEW_STYLE_2);
}

TEST(AquariumSettingsModel, LoadTakesTheLastModeSetAndExactOnes) {
    AquariumSettingsModel model;
    model.load(lookupIn({{"FRONT GUDING", "1"},
                         {"FRONT MANJIANBIAN", "1"},
                         {"BACK GUDING", "1"},
                         {"BACK AUTOJIANBIAN", "2"},
                         {"Show Water", "1"},
                         {"Show Light", "2"},
                         {"CHECK LOCKBACK", "1"},
                         {"BACKCOLOR", "16777215"},
                         {"LOCKBACK ROT", "123.900000"},
                         {"YINLIANG", "32767.5"},
                         {"QIPAONUM", "200"}}));
    EXPECT_EQ(model.front.mode, ColourMode::Gradual) << "the later of two modes wins";
    EXPECT_EQ(model.back.mode, ColourMode::Fixed) << "2 is not on";
    EXPECT_EQ(model.showWater, 1);
    EXPECT_EQ(model.showLights, 0);
    EXPECT_EQ(model.back.lock, 1);
    EXPECT_EQ(model.back.fixedColour, 16777215u);
    EXPECT_FLOAT_EQ(savedBackRotation, 123.9f);
    EXPECT_EQ(model.soundVolume, 32767);
    EXPECT_EQ(model.bubbleCount, 200) << "kept as it is; the slider shows its end";
}

TEST(AquariumSettingsModel, SaveWritesTheSectionInOrderAndHandsTheValuesToTheScene) {
    TempConfigHome home;
    home.writeSettings("[Fish Number]\nFish0=4\n");
    savedFrontRotation = 12.5f;
    savedBackRotation = 321.25f;
    liveSettings = LiveSettings{};
    liveSettings.speciesCounts[0] = 4;
    liveSettings.reservedSlots[2] = 77;

    AquariumSettingsModel model;
    model.verticalSlidersMoved(1000, 90, 20, 30);
    model.viewSlidersMoved(4000, 500);
    model.colourChosen(ID_FRONT_FIXED_COLOUR, 255);
    model.setToggleState(ID_SHOW_TERRA, 0);
    model.nextStyle();
    model.save(home.settingsFile(), true);

    const std::vector<std::string> expected = {"Show Water=1",
                                               "Show Light=1",
                                               "Show Terra=0",
                                               "FRONT GUDING=1",
                                               "FRONTCOLOR=255",
                                               "FRONT MANJIANBIAN=0",
                                               "FRONT COLOR1=0",
                                               "FRONT COLOR2=0",
                                               "FRONT AUTOJIANBIAN=0",
                                               "CHECK LOCKFORE=0",
                                               "LOCKFORE ROT=12.500000",
                                               "BACK GUDING=0",
                                               "BACKCOLOR=16777215",
                                               "BACK MANJIANBIAN=0",
                                               "BACK COLOR1=0",
                                               "BACK COLOR2=0",
                                               "BACK AUTOJIANBIAN=1",
                                               "CHECK LOCKBACK=0",
                                               "LOCKBACK ROT=321.250000",
                                               "YINLIANG=1000",
                                               "QIPAONUM=90",
                                               "BACKGROUND=1",
                                               "FOGNONGDU=20",
                                               "LIGHTQIANGDU=30",
                                               "CHECK VIEWS=1",
                                               "VIEWSLEFTRIGHT=4000",
                                               "VIEWSNEARFAR=500"};
    const std::string text = home.readSettings();
    EXPECT_EQ(sectionLines(text, "Aquarium Settings"), expected) << text;
    EXPECT_EQ(sectionLines(text, "Fish Number"), std::vector<std::string>{"Fish0=4"});

    EXPECT_EQ(liveSettings.soundVolume, 1000);
    EXPECT_EQ(liveSettings.bubbleSetting, 90);
    EXPECT_EQ(liveSettings.frontFixed, 1);
    EXPECT_EQ(liveSettings.backAutoGradient, 1);
    EXPECT_EQ(liveSettings.backgroundIndex, 1);
    EXPECT_EQ(liveSettings.autoViews, 1);
    EXPECT_EQ(liveSettings.frontRotation, 0.0f) << "the scene's angles are not the dialog's";
    EXPECT_EQ(liveSettings.backRotation, 0.0f);
    EXPECT_EQ(liveSettings.speciesCounts[0], 4);
    EXPECT_EQ(liveSettings.reservedSlots[2], 77);
}
