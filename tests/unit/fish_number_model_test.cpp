#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/crt_rand.h"
#include "settings/live_settings.h"
#include "temp_config_home.h"
#include "ui/fish_number_model.h"
#include "ui/inverted_oval.h"

using namespace veltamar;
using veltamar::testsupport::TempConfigHome;

namespace {

FishCounts countsWithTotal49() {
    return {5, 5, 5, 5, 5, 5, 5, 5, 5, 4};
}

bool contains(const std::vector<UiRect>& rects, const UiRect& r) {
    return std::find(rects.begin(), rects.end(), r) != rects.end();
}

// A click that selects a cell, as the dialog forwards it.
void select(FishNumberModel& model, int index) {
    const UiRect cell = FishNumberModel::cellRect(index);
    model.leftButtonDown(cell.x + 50, cell.y + 45);
}

}  // namespace

TEST(FishNumberModel, AddStopsAtFiftyFishInTheTank) {
    FishNumberModel model(countsWithTotal49());
    select(model, 9);
    EXPECT_EQ(model.add(), std::vector<UiRect>{FishNumberModel::countArea(9)});
    EXPECT_EQ(model.counts()[9], 5);
    EXPECT_EQ(model.total(), 50);
    EXPECT_EQ(model.totalText(), "Total: 50/50");

    EXPECT_TRUE(model.add().empty()) << "a second Add is refused";
    select(model, 0);
    EXPECT_TRUE(model.add().empty()) << "for every species";
    EXPECT_EQ(model.total(), 50);
}

TEST(FishNumberModel, DeleteStopsAtZeroAndActsOnlyOnASpecies) {
    FishNumberModel model({0, 3, 0, 0, 0, 0, 0, 0, 0, 0});
    select(model, 0);
    EXPECT_TRUE(model.remove().empty());
    EXPECT_EQ(model.counts()[0], 0);
    select(model, 1);
    model.remove();
    EXPECT_EQ(model.counts()[1], 2);
    EXPECT_EQ(model.totalText(), "Total: 2/50");

    // Below the two rows of pictures: a cell that names no species.
    model.leftButtonDown(150, 200);
    EXPECT_EQ(model.selection(), 11);
    EXPECT_FALSE(model.speciesSelected());
    EXPECT_TRUE(model.remove().empty());
    EXPECT_TRUE(model.add().empty());
    EXPECT_EQ(model.total(), 2);
}

TEST(FishNumberModel, ClickFormulaReachesBeyondThePicture) {
    EXPECT_EQ(FishNumberModel::cellAt(0, 0), 0);
    EXPECT_EQ(FishNumberModel::cellAt(499, 89), 4);
    EXPECT_EQ(FishNumberModel::cellAt(0, 90), 5);
    EXPECT_EQ(FishNumberModel::cellAt(520, 10), 5) << "right of the picture counts into the next row";
    EXPECT_EQ(FishNumberModel::cellAt(999, 100), 14);
    EXPECT_EQ(FishNumberModel::cellRect(7), (UiRect{202, 92, 100, 90}));
    EXPECT_EQ(FishNumberModel::countArea(7), (UiRect{202, 92, 25, 20}));

    FishNumberModel model;
    model.leftButtonDown(520, 10);
    EXPECT_EQ(model.selection(), 5);
    model.add();
    EXPECT_EQ(model.counts()[5], 1) << "the click beside the picture selected species 5";
}

TEST(FishNumberModel, ClickBelowThePictureClearsTheSelectionAndItsOval) {
    FishNumberModel model;
    model.leftButtonDown(10, 10);  // nothing selected before: the remembered cell is forgotten
    EXPECT_EQ(model.selection(), 0);
    auto repaint = model.leftButtonDown(250, 100);
    EXPECT_EQ(model.selection(), 7);
    EXPECT_TRUE(contains(repaint, FishNumberModel::cellRect(0))) << "old oval goes";
    EXPECT_TRUE(contains(repaint, FishNumberModel::cellRect(7))) << "new oval comes";

    // y = 450 still belongs to the picture; one pixel further down is the button row.
    model.leftButtonDown(50, 450);
    EXPECT_EQ(model.selection(), 25);
    model.leftButtonDown(250, 100);
    repaint = model.leftButtonDown(250, 451);
    EXPECT_EQ(model.selection(), FISH_NO_SELECTION);
    EXPECT_TRUE(contains(repaint, FishNumberModel::cellRect(7)));
    EXPECT_TRUE(model.add().empty());
}

TEST(FishNumberModel, SelectionBeyondTheRepaintedCellsStillRemovesTheOldOval) {
    FishNumberModel model;
    model.leftButtonDown(10, 10);
    model.leftButtonDown(350, 10);
    ASSERT_EQ(model.selection(), 3);
    const auto repaint = model.leftButtonDown(900, 400);  // 9 + 5 x 4 = 29
    EXPECT_EQ(model.selection(), 29);
    EXPECT_EQ(repaint, std::vector<UiRect>{FishNumberModel::cellRect(3)});
    EXPECT_EQ(FishNumberModel::previousSelection(), 29);
}

TEST(FishNumberModel, RandomNeverGoesAboveFiftyAndClearsTheSelection) {
    for (unsigned seed = 1; seed < 400; ++seed) {
        crtSrand(seed);
        FishNumberModel model;
        select(model, 2);
        model.randomize(crtRand);
        EXPECT_LE(model.total(), 50);
        for (auto c : model.counts()) EXPECT_TRUE(c >= 0 && c <= 5);
        EXPECT_EQ(model.selection(), FISH_NO_SELECTION);
    }

    // Ten fives reach 50 with the last species, which then gets none.
    FishNumberModel fives;
    fives.randomize([] { return 5; });
    EXPECT_EQ(fives.counts(), (FishCounts{5, 5, 5, 5, 5, 5, 5, 5, 5, 0}));
    // Every draw a multiple of six: an empty tank.
    FishNumberModel none({9, 9, 9, 0, 0, 0, 0, 0, 0, 0});
    const auto repaint = none.randomize([] { return 12; });
    EXPECT_EQ(none.total(), 0);
    EXPECT_EQ(repaint.size(), 10u) << "every count area";
}

TEST(FishNumberModel, ClearKeepsTheSelection) {
    FishNumberModel model(countsWithTotal49());
    select(model, 4);
    EXPECT_EQ(model.clear().size(), 10u);
    EXPECT_EQ(model.total(), 0);
    EXPECT_EQ(model.selection(), 4);
    model.add();
    EXPECT_EQ(model.counts()[4], 1);
}

TEST(FishNumberSettings, CountsAboveFiftyShowAsTheyAreButTheTankGetsFifty) {
    TempConfigHome home;
    home.writeSettings("[Fish Number]\nFish0=2\nFish3=77\nFish5=-4\nFish7=3abc\n");
    const FishCounts counts = loadFishCounts(home.settingsFile());
    EXPECT_EQ(counts, (FishCounts{2, 0, 0, 77, 0, -4, 0, 3, 0, 0})) << "missing keys read 0";
    FishNumberModel model(counts);
    EXPECT_EQ(model.totalText(), "Total: 78/50");

    liveSettings.speciesCounts.fill(9);
    saveFishCounts(model.counts(), home.settingsFile());
    EXPECT_EQ(liveSettings.speciesCounts, (FishCounts{2, 0, 0, 50, 0, -4, 0, 3, 0, 0}));
    const std::string text = home.readSettings();
    EXPECT_NE(text.find("Fish3=77"), std::string::npos);
    EXPECT_NE(text.find("Fish9=0"), std::string::npos) << "all ten keys are written";
}

TEST(InvertedOval, InvertsTheEllipseInsideItsRectangleOnly) {
    constexpr int W = 12, H = 8;
    std::vector<std::uint8_t> rgb(W * H * 3, 200);
    const UiRect box{2, 1, 10, 6};  // reaches past the right edge
    invertOval(rgb.data(), W, H, box);
    auto pixel = [&](int x, int y) { return rgb[(y * W + x) * 3]; };
    EXPECT_EQ(pixel(7, 4), 55) << "centre";
    EXPECT_EQ(pixel(2, 1), 200) << "rectangle corner lies outside the ellipse";
    EXPECT_EQ(pixel(0, 4), 200) << "left of the rectangle";
    EXPECT_EQ(pixel(11, 4), 55) << "inside, at the picture's edge";
    int inverted = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) inverted += pixel(x, y) == 55 ? 1 : 0;
    EXPECT_GT(inverted, 30);
    EXPECT_LT(inverted, 60) << "pi/4 of the rectangle, cut at the edge";
}
