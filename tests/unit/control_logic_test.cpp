#include <gtest/gtest.h>

#include "ui/controls/button_interaction.h"
#include "ui/controls/check_layout.h"
#include "ui/controls/hyperlink_errors.h"
#include "ui/controls/slider_geometry.h"
#include "ui/controls/slider_model.h"
#include "ui/controls/text_fit.h"

using namespace veltamar;

TEST(CheckButtonRules, CheckValuesOneAndTwoMeanOn) {
    EXPECT_EQ(onStateForCheck(0), 0);
    EXPECT_EQ(onStateForCheck(1), 1);
    EXPECT_EQ(onStateForCheck(2), 1);
    EXPECT_EQ(onStateForCheck(3), 0);
    EXPECT_EQ(onStateForCheck(-1), 0);
}

TEST(CheckButtonRules, MarkSidesAndTextStart) {
    const UiRect client{0, 0, 120, 21};
    const CheckButtonLayout left = layoutCheckButton(client, 15, false);
    EXPECT_EQ(left.mark, (UiRect{2, 3 + 2, 15, 15})) << "vertically centred, then 2 pixels lower";
    EXPECT_EQ(left.text.x, left.mark.right() + 3);
    EXPECT_EQ(left.text.right(), 118);

    const CheckButtonLayout right = layoutCheckButton(client, 16, true);
    EXPECT_EQ(right.mark.right(), 118);
    EXPECT_EQ(right.text.x, 2);
    EXPECT_EQ(right.text.right(), right.mark.x - 3);

    EXPECT_EQ(layoutCheckButton({0, 0, 10, 21}, 15, false).text.width, 0) << "no negative text box";
}

TEST(ButtonInteraction, OnePressInsideIsOneClick) {
    ButtonInteraction b;
    b.pointerMoved(true, false);
    EXPECT_TRUE(b.mouseOver());
    EXPECT_TRUE(b.leftPressed(true).redraw);
    EXPECT_TRUE(b.pressed());
    EXPECT_TRUE(b.holdsMouse());
    const ButtonFeedback up = b.leftReleased(true);
    EXPECT_TRUE(up.clicked);
    EXPECT_FALSE(b.pressed());
    EXPECT_FALSE(b.holdsMouse());
    EXPECT_FALSE(b.leftReleased(true).clicked) << "a release without a press is no click";
}

TEST(ButtonInteraction, DraggingOutCancelsAndBackInRestores) {
    ButtonInteraction b;
    b.leftPressed(true);
    b.pointerMoved(false, true);
    EXPECT_FALSE(b.pressed());
    EXPECT_FALSE(b.mouseOver());
    EXPECT_TRUE(b.holdsMouse()) << "the press stays with the button while held";
    EXPECT_FALSE(b.leftReleased(false).clicked);

    b.leftPressed(true);
    b.pointerMoved(false, true);
    b.pointerMoved(true, true);
    EXPECT_TRUE(b.pressed());
    EXPECT_TRUE(b.mouseOver());
    EXPECT_TRUE(b.leftReleased(true).clicked);
}

TEST(ButtonInteraction, HoverRules) {
    ButtonInteraction b;
    EXPECT_FALSE(b.pointerMoved(true, true).redraw) << "a drag from elsewhere does not light it";
    EXPECT_FALSE(b.mouseOver());
    EXPECT_TRUE(b.pointerMoved(true, false).redraw);
    EXPECT_FALSE(b.pointerMoved(true, false).redraw) << "no redraw without a change";
    EXPECT_TRUE(b.pointerLeft().redraw);
    EXPECT_FALSE(b.mouseOver());
    b.pointerMoved(true, false);
    EXPECT_TRUE(b.focusLost().redraw);
    b.pointerMoved(true, false);
    EXPECT_TRUE(b.captureLost().redraw);
    EXPECT_FALSE(b.mouseOver());

    b.pointerMoved(true, false);
    EXPECT_TRUE(b.setTracksHover(false).redraw) << "a button that stops lighting up goes dark";
    EXPECT_FALSE(b.pointerMoved(true, false).redraw);

    ButtonInteraction plain(false);
    EXPECT_FALSE(plain.pointerMoved(true, false).redraw);
    EXPECT_FALSE(plain.mouseOver());
    plain.leftPressed(true);
    EXPECT_TRUE(plain.pressed());
    EXPECT_TRUE(plain.leftReleased(true).clicked);
}

TEST(ButtonInteraction, SpaceBarClicksOnceAndFocusLossCancels) {
    ButtonInteraction b;
    EXPECT_TRUE(b.spacePressed().redraw);
    EXPECT_FALSE(b.spacePressed().redraw) << "key repeat changes nothing";
    EXPECT_TRUE(b.spaceReleased().clicked);
    EXPECT_FALSE(b.spaceReleased().clicked);
    b.spacePressed();
    b.focusLost();
    EXPECT_FALSE(b.spaceReleased().clicked);
}

TEST(SliderModel, RangePositionAndSteps) {
    SliderModel s;
    s.setRange(0, 1000);
    EXPECT_EQ(s.pageSize(), 200) << "a page is a fifth of the range";
    EXPECT_EQ(s.lineSize(), 1);
    EXPECT_TRUE(s.setPos(990));
    EXPECT_FALSE(s.setPos(990));
    EXPECT_TRUE(s.apply(SliderAction::PageDown));
    EXPECT_EQ(s.getPos(), 1000) << "steps stop at the end";
    EXPECT_FALSE(s.apply(SliderAction::LineDown));
    EXPECT_TRUE(s.apply(SliderAction::LineUp));
    EXPECT_EQ(s.getPos(), 999);
    s.apply(SliderAction::Top);
    EXPECT_EQ(s.getPos(), 0);
    s.apply(SliderAction::Bottom);
    EXPECT_EQ(s.getPos(), 1000);

    s.setRange(0, 25);
    EXPECT_EQ(s.getPos(), 25) << "the position follows a smaller range";
    EXPECT_EQ(s.pageSize(), 5);
    s.setRange(0, 3);
    EXPECT_EQ(s.pageSize(), 1) << "never a page of 0";
    s.setPageSize(7);
    s.setRange(0, 65535);
    EXPECT_EQ(s.pageSize(), 7) << "a page set explicitly stays";
    s.setRange(10, -10);
    EXPECT_EQ(s.rangeMin(), -10);
    EXPECT_EQ(s.rangeMax(), 10);

    SliderModel wide;
    wide.setRange(INT_MIN, INT_MAX);
    wide.setPos(INT_MAX - 1);
    wide.apply(SliderAction::PageDown);
    EXPECT_EQ(wide.getPos(), INT_MAX) << "no overflow at the ends of int";
}

TEST(SliderModel, KeysMoveTowardsTheMinimumOrMaximum) {
    EXPECT_EQ(actionForKey(SliderKey::Up), SliderAction::LineUp)
        << "up on a vertical slider is towards 0 at the top";
    EXPECT_EQ(actionForKey(SliderKey::Left), SliderAction::LineUp);
    EXPECT_EQ(actionForKey(SliderKey::Down), SliderAction::LineDown);
    EXPECT_EQ(actionForKey(SliderKey::Right), SliderAction::LineDown);
    EXPECT_EQ(actionForKey(SliderKey::PageUp), SliderAction::PageUp);
    EXPECT_EQ(actionForKey(SliderKey::PageDown), SliderAction::PageDown);
    EXPECT_EQ(actionForKey(SliderKey::Home), SliderAction::Top);
    EXPECT_EQ(actionForKey(SliderKey::End), SliderAction::Bottom);
}

TEST(SliderGeometry, ValuesAndPixelsMapBothWays) {
    const SliderGeometry g(200, 30, false, false);
    EXPECT_EQ(g.pixelForValue(0, 0, 100), g.trackStart());
    EXPECT_EQ(g.pixelForValue(100, 0, 100), g.trackEnd());
    EXPECT_EQ(g.pixelForValue(-5, 0, 100), g.trackStart());
    EXPECT_EQ(g.valueForPixel(0, 0, 100), 0);
    EXPECT_EQ(g.valueForPixel(1000, 0, 100), 100);
    for (int v = 0; v <= 100; ++v) EXPECT_EQ(g.valueForPixel(g.pixelForValue(v, 0, 100), 0, 100), v);
    // A range wider than the track: every pixel maps into the range and back onto itself.
    for (int p = g.trackStart(); p <= g.trackEnd(); ++p)
        EXPECT_EQ(g.pixelForValue(g.valueForPixel(p, 0, 65535), 0, 65535), p);
    EXPECT_EQ(g.pixelForValue(5, 5, 5), g.trackStart()) << "an empty range keeps the thumb at the start";

    const SliderGeometry v(30, 200, true, false);
    EXPECT_LT(v.pixelForValue(0, 0, 65535), v.pixelForValue(65535, 0, 65535)) << "minimum at the top";
    EXPECT_EQ(v.thumbRect(100).y + SliderGeometry::THUMB_ALONG / 2, 100);
    EXPECT_EQ(v.along({3, 77}), 77);
}

TEST(SliderGeometry, EndCirclesSitBesideTheThumbsTravel) {
    for (bool vertical : {false, true}) {
        for (bool marksTopLeft : {false, true}) {
            const SliderGeometry g(vertical ? 30 : 160, vertical ? 160 : 30, vertical, marksTopLeft);
            const UiRect first = g.startCircle(), last = g.endCircle();
            const UiRect lowest = g.thumbRect(g.trackStart()), highest = g.thumbRect(g.trackEnd());
            EXPECT_EQ(first.width, 7);
            if (vertical) {
                EXPECT_LE(first.bottom(), lowest.y);
                EXPECT_GE(last.y, highest.bottom());
                EXPECT_EQ(first.x, marksTopLeft ? 1 : 30 - 7 - 1);
            } else {
                EXPECT_LE(first.right(), lowest.x);
                EXPECT_GE(last.x, highest.right());
                EXPECT_EQ(first.y, marksTopLeft ? 1 : 30 - 7 - 1);
            }
        }
    }
}

TEST(HyperlinkText, ErrorTextsByCode) {
    EXPECT_EQ(linkErrorText(0), "The operating system is out\nof memory or resources.");
    EXPECT_EQ(linkErrorText(2), "The specified file was not found.");
    EXPECT_EQ(linkErrorText(3), "The specified path was not found.");
    EXPECT_EQ(linkErrorText(5), "The operating system denied\naccess to the specified file.");
    EXPECT_EQ(linkErrorText(8), "There was not enough memory to complete the operation.");
    EXPECT_EQ(linkErrorText(11), "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
    EXPECT_EQ(linkErrorText(26), "A sharing violation occurred. ");
    EXPECT_EQ(linkErrorText(27), "The filename association is\nincomplete or invalid.");
    EXPECT_EQ(linkErrorText(28),
              "The DDE transaction could not\nbe completed because the request timed out.");
    EXPECT_EQ(linkErrorText(29), "The DDE transaction failed.");
    EXPECT_EQ(
        linkErrorText(30),
        "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.");
    EXPECT_EQ(linkErrorText(31), "There is no application associated\nwith the given filename extension.");
    EXPECT_EQ(linkErrorText(32), "The specified dynamic-link library was not found.");
    EXPECT_EQ(linkErrorText(1), "Unknown Error (1) occurred.");
    EXPECT_EQ(linkErrorText(-7), "Unknown Error (-7) occurred.");
    EXPECT_EQ(linkErrorMessage(31),
              "Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename "
              "extension.");
}

TEST(HyperlinkText, OpenResults) {
    EXPECT_EQ(linkOpenResult(true, false), 2);
    EXPECT_EQ(linkOpenResult(false, false), 31);
    EXPECT_TRUE(linkOpened(linkOpenResult(false, true)));
    EXPECT_FALSE(linkOpened(32));
}

TEST(TextFit, KeepsTheEdgeOrCentreOfItsAlignment) {
    const UiRect box{100, 50, 120, 20};
    EXPECT_EQ(fitToText(box, 80, 14, TextAlign::Left), (UiRect{100, 50, 80, 14}));
    EXPECT_EQ(fitToText(box, 80, 14, TextAlign::Right), (UiRect{140, 50, 80, 14}));
    EXPECT_EQ(fitToText(box, 80, 14, TextAlign::Centre), (UiRect{120, 53, 80, 14}));
    EXPECT_EQ(fitToText(box, 150, 14, TextAlign::Right).right(), 220) << "growing keeps the edge too";
}
