#include <gtest/gtest.h>

#include "ui/icon_menu_layout.h"
#include "ui/menu_tracking.h"

using namespace veltamar;

namespace {

using Outcome = MenuStep::Outcome;

}  // namespace

TEST(PopupMenuLayout, EveryEntryIs140By48WithA25PixelIconStrip) {
    EXPECT_EQ(measureMenuItem(), (UiSize{140, 48}));

    const UiRect item{1, 49, 140, 48};
    const MenuItemParts normal = menuItemParts(item, false);
    EXPECT_EQ(normal.iconStrip, (UiRect{1, 49, 25, 48}));
    EXPECT_EQ(normal.labelArea, (UiRect{26, 49, 115, 48}));
    EXPECT_EQ(normal.iconStrip.right(), normal.labelArea.x) << "strip and label area meet without a gap";
    EXPECT_EQ(normal.labelArea.right(), item.right());
    // The icon sits in the strip shrunk by 3 pixels, at its top-left corner; the label starts 8
    // pixels into the label area and keeps the entry's full height (it is centred vertically).
    EXPECT_EQ(normal.icon, (UiPoint{4, 52}));
    EXPECT_EQ(normal.text, (UiRect{34, 49, 107, 48}));

    const MenuItemParts lit = menuItemParts(item, true);
    EXPECT_EQ(lit.frame, item);
    EXPECT_EQ(lit.fill, (UiRect{2, 50, 138, 46})) << "filled 1 pixel inside the black frame";
    EXPECT_EQ(lit.icon, (UiPoint{3, 51})) << "highlighted icon moves 1 pixel left and up";
    EXPECT_EQ(lit.text, normal.text);
}

TEST(PopupMenuLayout, WindowHoldsTheEntriesInsideAOnePixelFrame) {
    EXPECT_EQ(menuWindowSize(2), (UiSize{142, 98}));
    EXPECT_LE(menuWindowSize(2).height, 2 * 48 + 16);
    EXPECT_EQ(menuItemRect(0), (UiRect{1, 1, 140, 48}));
    EXPECT_EQ(menuItemRect(1), (UiRect{1, 49, 140, 48}));

    EXPECT_EQ(menuItemAt({0, 0}, 2), -1) << "the frame belongs to no entry";
    EXPECT_EQ(menuItemAt({1, 1}, 2), 0);
    EXPECT_EQ(menuItemAt({140, 48}, 2), 0);
    EXPECT_EQ(menuItemAt({1, 49}, 2), 1);
    EXPECT_EQ(menuItemAt({140, 96}, 2), 1);
    EXPECT_EQ(menuItemAt({141, 60}, 2), -1);
    EXPECT_EQ(menuItemAt({70, 97}, 2), -1);
    EXPECT_EQ(menuItemAt({70, 60}, 1), -1) << "no entry where a shorter menu has none";
}

TEST(PopupMenuLayout, OpensAtTheClickAndFlipsWhereItWouldLeaveTheScreen) {
    const UiRect screen{0, 0, 1024, 768};
    const UiSize size = menuWindowSize(2);
    EXPECT_EQ(placeMenuWindow({400, 300}, size, screen), (UiPoint{400, 300}));
    EXPECT_EQ(placeMenuWindow({882, 670}, size, screen), (UiPoint{882, 670})) << "just fits";
    EXPECT_EQ(placeMenuWindow({1000, 300}, size, screen), (UiPoint{858, 300})) << "left of the click";
    EXPECT_EQ(placeMenuWindow({400, 760}, size, screen), (UiPoint{400, 662})) << "above the click";
    EXPECT_EQ(placeMenuWindow({1023, 767}, size, screen), (UiPoint{881, 669}));
    // On a second display to the right, and on a screen too small for the menu.
    EXPECT_EQ(placeMenuWindow({2040, 10}, size, {1024, 0, 1024, 768}), (UiPoint{1898, 10}));
    EXPECT_EQ(placeMenuWindow({50, 50}, size, {0, 0, 100, 60}), (UiPoint{0, 0}));
}

TEST(PopupMenuTracking, KeysMoveTheHighlightRoundAndEnterChooses) {
    MenuTracking menu(2, {0, 0});
    EXPECT_EQ(menu.highlighted(), -1) << "nothing is highlighted at first";
    EXPECT_EQ(menu.keyPressed(MenuKey::Choose).outcome, Outcome::StillOpen)
        << "Enter with nothing highlighted";

    EXPECT_TRUE(menu.keyPressed(MenuKey::Down).redraw);
    EXPECT_EQ(menu.highlighted(), 0);
    menu.keyPressed(MenuKey::Down);
    EXPECT_EQ(menu.highlighted(), 1);
    menu.keyPressed(MenuKey::Down);
    EXPECT_EQ(menu.highlighted(), 0) << "wraps round at the bottom";
    menu.keyPressed(MenuKey::Up);
    EXPECT_EQ(menu.highlighted(), 1) << "and at the top";
    menu.keyPressed(MenuKey::Home);
    EXPECT_EQ(menu.highlighted(), 0);
    EXPECT_FALSE(menu.keyPressed(MenuKey::Other).redraw);
    menu.keyPressed(MenuKey::End);

    const MenuStep chosen = menu.keyPressed(MenuKey::Choose);
    EXPECT_EQ(chosen.outcome, Outcome::Chosen);
    EXPECT_EQ(chosen.chosenIndex, 1);

    MenuTracking fresh(2, {0, 0});
    fresh.keyPressed(MenuKey::Up);
    EXPECT_EQ(fresh.highlighted(), 1) << "Up first highlights the last entry";
    EXPECT_EQ(fresh.keyPressed(MenuKey::Cancel).outcome, Outcome::Dismissed);
    EXPECT_EQ(MenuTracking(0, {0, 0}).keyPressed(MenuKey::Down).outcome, Outcome::StillOpen)
        << "an empty menu";
}

TEST(PopupMenuTracking, TheMouseHighlightsAndAClickOnAnEntryChoosesIt) {
    MenuTracking menu(2, {0, 0});
    EXPECT_TRUE(menu.pointerMoved({50, 70}).redraw);
    EXPECT_EQ(menu.highlighted(), 1);
    EXPECT_FALSE(menu.pointerMoved({60, 72}).redraw) << "still the same entry";
    EXPECT_TRUE(menu.pointerMoved({-5, 70}).redraw);
    EXPECT_EQ(menu.highlighted(), -1) << "off the entries the highlight goes out";

    EXPECT_EQ(menu.buttonPressed({50, 20}).outcome, Outcome::StillOpen);
    EXPECT_EQ(menu.highlighted(), 0);
    const MenuStep chosen = menu.buttonReleased({50, 20});
    EXPECT_EQ(chosen.outcome, Outcome::Chosen);
    EXPECT_EQ(chosen.chosenIndex, 0);

    MenuTracking onFrame(2, {0, 0});
    onFrame.buttonPressed({0, 50});
    EXPECT_EQ(onFrame.buttonReleased({0, 50}).outcome, Outcome::StillOpen)
        << "a click on the frame chooses nothing";
    EXPECT_EQ(MenuTracking(2, {0, 0}).buttonPressed({-1, 20}).outcome, Outcome::Dismissed);
    EXPECT_EQ(MenuTracking(2, {0, 0}).buttonPressed({20, 98}).outcome, Outcome::Dismissed);
}

TEST(PopupMenuTracking, TheReleaseOfTheOpeningClickChoosesOnlyAfterADrag) {
    // The menu opens under the pointer; releasing the button there must not choose the entry.
    MenuTracking still(2, {3, 3});
    EXPECT_EQ(still.buttonReleased({3, 3}).outcome, Outcome::StillOpen);
    EXPECT_EQ(still.highlighted(), 0);

    // Pressing in the view, dragging onto "Exit" and releasing there chooses it.
    MenuTracking dragged(2, {0, 0});
    dragged.pointerMoved({30, 60});
    const MenuStep step = dragged.buttonReleased({30, 60});
    EXPECT_EQ(step.outcome, Outcome::Chosen);
    EXPECT_EQ(step.chosenIndex, 1);

    MenuTracking outside(2, {0, 0});
    outside.pointerMoved({300, 60});
    EXPECT_EQ(outside.buttonReleased({300, 60}).outcome, Outcome::StillOpen)
        << "released outside: stays open";
}
