#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include <wx/uiaction.h>

#include "test_frame.h"
#include "ui/controls/check_layout.h"
#include "ui/controls/color_swatch_button.h"
#include "ui/controls/hover_button.h"
#include "ui/controls/icon_check_button.h"
#include "ui/wx_color.h"

using namespace veltamar;
using namespace veltamar::uitest;

namespace {

constexpr ColorRef GREEN = rgbColor(0, 255, 0);
constexpr ColorRef BLACK = rgbColor(0, 0, 0);

wxPoint markCentre(const IconCheckButton& button) {
    const wxSize size = button.GetClientSize();
    const UiRect mark = layoutCheckButton({0, 0, size.x, size.y}, button.markSize(), false).mark;
    return {mark.x + mark.width / 2, mark.y + mark.height / 2};
}

}  // namespace

TEST(IconCheckButton, TwoClicksReturnToTheFirstStateWithTwoNotifications) {
    TestFrame frame;
    auto* button = new IconCheckButton(frame, 1023, "Repeat One", {20, 20}, {140, 24});
    button->setColours(GREEN, BLACK);
    std::vector<std::pair<int, int>> notices;  // id, state the parent saw
    frame->Bind(wxEVT_BUTTON,
                [&](wxCommandEvent& e) { notices.emplace_back(e.GetId(), button->getCheck()); });
    pump();

    const int first = button->getCheck();
    clickAt(screenCentre(*button));
    clickAt(screenCentre(*button));  // soon enough to arrive as a double click
    pump(100);
    EXPECT_EQ(button->getCheck(), first);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0], std::make_pair(1023, 1 - first)) << "the parent sees the already toggled state";
    EXPECT_EQ(notices[1], std::make_pair(1023, first));

    // The space bar toggles it too, once per press; a click gave it the focus, and the keyboard
    // moves the focus on to the next control.
    auto* next = new IconCheckButton(frame, 1024, "Repeat All", {20, 50}, {140, 24});
    pump();
    EXPECT_EQ(wxWindow::FindFocus(), button);
    button->Navigate();
    pump();
    EXPECT_EQ(wxWindow::FindFocus(), next);
    button->SetFocus();
    pump();
    wxUIActionSimulator().Char(WXK_SPACE);
    pump();
    EXPECT_EQ(button->getCheck(), 1 - first);
    EXPECT_EQ(notices.size(), 3u);
}

TEST(IconCheckButton, SetCheckValuesAndTheDotTheyShow) {
    TestFrame frame;
    auto* button = new IconCheckButton(frame, 1013, "Fix Color", {20, 20}, {140, 24});
    button->setColours(GREEN, BLACK);
    int notices = 0;
    frame->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { ++notices; });

    const std::vector<std::pair<int, int>> cases{{0, 0}, {1, 1}, {2, 1}, {3, 0}, {2, 1}, {-1, 0}};
    for (auto [value, expected] : cases) {
        button->setCheck(value);
        EXPECT_EQ(button->getCheck(), expected) << "setCheck(" << value << ")";
    }
    pump();
    EXPECT_EQ(notices, 0) << "setting the state is not a click";

    button->setCheck(1);
    Screenshot on = shoot("check-dot-on");
    EXPECT_TRUE(near(pixelOf(on, *button, markCentre(*button)), *wxGREEN));
    button->setCheck(0);
    Screenshot off = shoot("check-dot-off");
    EXPECT_TRUE(near(pixelOf(off, *button, markCentre(*button)), *wxBLACK));
    button->Disable();
    Screenshot disabled = shoot("check-dot-disabled");
    EXPECT_TRUE(near(pixelOf(disabled, *button, markCentre(*button)),
                     wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
}

TEST(IconCheckButton, IconMarksFollowTheState) {
    TestFrame frame;
    auto* button = new IconCheckButton(frame, 1026, "Show Water", {20, 20}, {140, 24});
    button->setIcons(184, 183);
    EXPECT_EQ(button->markSize(), 16) << "the mark takes the icon's width";
    button->setCheck(1);
    const wxColour lit = pixelOf(shoot("check-icon-on"), *button, markCentre(*button));
    button->setCheck(0);
    const wxColour dark = pixelOf(shoot("check-icon-off"), *button, markCentre(*button));
    EXPECT_GT(lit.Green(), 180);
    EXPECT_LT(dark.Green(), 90);
    EXPECT_GT(lit.Green() - lit.Red(), 60) << "the on lamp is green";

    // A missing picture leaves the mark empty instead of failing.
    auto* missing = new IconCheckButton(frame, 1027, "Show Terra", {20, 60}, {140, 24});
    missing->setIcons(9999, 9998);
    EXPECT_EQ(missing->markSize(), CHECK_MARK_SIZE);
    shoot("check-icon-missing");
}

TEST(HoverButton, LightsUnderTheMouseAndClicksOnce) {
    TestFrame frame;
    auto* button = new HoverButton(frame, 1007, "&Add", {40, 40}, {80, 26});
    const wxColour normal(200, 200, 200), active(255, 220, 0);
    button->setColour(HoverButton::NORMAL_BACKGROUND, normal);
    button->setColour(HoverButton::ACTIVE_BACKGROUND, active);
    int clicks = 0;
    frame->Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) { clicks += e.GetId() == 1007; });

    moveMouse(screenPoint(*frame, {300, 150}));
    EXPECT_TRUE(near(pixelOf(shoot("hover-button-normal"), *button, {5, 5}), normal));
    moveMouse(screenCentre(*button));
    EXPECT_TRUE(button->isMouseOver());
    EXPECT_TRUE(near(pixelOf(shoot("hover-button-over"), *button, {5, 5}), active));

    pressLeft();
    EXPECT_TRUE(button->isPressed());
    releaseLeft();
    EXPECT_EQ(clicks, 1);

    // Pressed, dragged away and let go outside: no click, and the light goes out.
    pressLeft();
    moveMouse(screenPoint(*frame, {300, 150}));
    EXPECT_FALSE(button->isPressed());
    releaseLeft();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->isMouseOver());
    EXPECT_TRUE(near(pixelOf(shoot("hover-button-left"), *button, {5, 5}), normal));

    // A button that is not flat does not light up.
    button->setFlat(false);
    moveMouse(screenCentre(*button));
    EXPECT_FALSE(button->isMouseOver());
}

TEST(ColorSwatchButton, ShowsItsColourInAWhiteFrame) {
    TestFrame frame;
    auto* swatch = new ColorSwatchButton(frame, 1015, {30, 30}, {40, 20});
    swatch->setColor(rgbColor(200, 30, 90));
    int clicks = 0;
    frame->Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) { clicks += e.GetId() == 1015; });
    const Screenshot shot = shoot("swatch");
    EXPECT_TRUE(near(pixelOf(shot, *swatch, {20, 10}), wxColour(200, 30, 90), 2));
    EXPECT_TRUE(near(pixelOf(shot, *swatch, {0, 10}), *wxWHITE, 2));
    EXPECT_TRUE(near(pixelOf(shot, *swatch, {39, 19}), *wxWHITE, 2));
    clickAt(screenCentre(*swatch));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(swatch->getColor(), rgbColor(200, 30, 90));
}
