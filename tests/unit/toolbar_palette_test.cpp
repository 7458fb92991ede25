#include <gtest/gtest.h>

#include "ui/tool_palette_layout.h"
#include "ui/toolbar_layout.h"
#include "ui/toolbar_reveal.h"

using namespace veltamar;

TEST(ToolbarLayout, SpansTheScreenAtTheTopBetweenOneAndTwoPixelsAUnit) {
    EXPECT_DOUBLE_EQ(toolbarScale(948), 1.0);
    EXPECT_DOUBLE_EQ(toolbarScale(1422), 1.5);
    EXPECT_DOUBLE_EQ(toolbarScale(640), 1.0) << "never smaller than one pixel a unit";
    EXPECT_DOUBLE_EQ(toolbarScale(3840), 2.0) << "never larger than two";

    const double scale = toolbarScale(1024);
    EXPECT_EQ(toolbarArea({0, 0, 1024, 768}, scale), (UiRect{0, 0, 1024, 28}));
    const UiRect wide = toolbarArea({0, 0, 2560, 1440}, 2.0);
    EXPECT_EQ(wide, (UiRect{332, 0, 1896, 52})) << "centred where the screen is wider than the strip";
    EXPECT_EQ(toolbarArea({1024, 0, 1024, 768}, scale).x, 1024) << "on the display it belongs to";

    // Dialog units to pixels; neighbours with a gap between them keep one.
    EXPECT_EQ(toolbarPixels({7, 10, 54, 15}, 2.0), (UiRect{14, 20, 108, 30}));
    const UiRect feed = toolbarPixels(toolbarControl(1010)->units, 1.3);
    const UiRect touch = toolbarPixels(toolbarControl(1011)->units, 1.3);
    EXPECT_LT(feed.right(), touch.x);

    // Sliding: fully up and out of view, half way, fully down.
    EXPECT_EQ(toolbarAreaShown({0, 0, 1024, 768}, scale, 0.0).y, -28);
    EXPECT_EQ(toolbarAreaShown({0, 0, 1024, 768}, scale, 0.5).y, -14);
    EXPECT_EQ(toolbarAreaShown({0, 0, 1024, 768}, scale, 1.0).y, 0);
    EXPECT_EQ(toolbarAreaShown({0, 100, 1024, 768}, scale, 1.0).y, 100);
}

TEST(ToolbarReveal, ComesAfterTheMouseRestsOnTheTopEdgeAndSlidesIn) {
    ToolbarReveal reveal;
    EXPECT_EQ(reveal.update(0, false, false), 0.0);
    // Passing over the edge on the way elsewhere does not bring it.
    reveal.update(100, true, false);
    reveal.update(200, false, false);
    reveal.update(300, true, false);
    EXPECT_EQ(reveal.update(300 + ToolbarReveal::REST_MS - 10, true, false), 0.0);
    EXPECT_FALSE(reveal.wanted());

    // Resting long enough does; the slide then takes its time, however often it is asked.
    reveal.update(300 + ToolbarReveal::REST_MS, true, false);
    EXPECT_TRUE(reveal.wanted());
    const double start = 300 + ToolbarReveal::REST_MS;
    EXPECT_NEAR(reveal.update(start + ToolbarReveal::SLIDE_MS / 2, true, true), 0.5, 1e-9);
    EXPECT_TRUE(reveal.sliding());
    EXPECT_EQ(reveal.update(start + ToolbarReveal::SLIDE_MS * 3, true, true), 1.0);
    EXPECT_FALSE(reveal.sliding());
}

TEST(ToolbarReveal, StaysWhileTheMouseIsOnItAndGoesAfterItLeaves) {
    ToolbarReveal reveal;
    reveal.showNow();
    double t = 1000;
    reveal.update(t, false, true);
    for (int i = 0; i < 50; ++i) reveal.update(t += 100, false, true);
    EXPECT_EQ(reveal.shown(), 1.0) << "over the toolbar for five seconds";

    reveal.update(t += 10, false, false);
    reveal.update(t += ToolbarReveal::LEAVE_MS - 20, false, false);
    EXPECT_TRUE(reveal.wanted()) << "a short excursion is forgiven";
    reveal.update(t += 5, false, true);
    reveal.update(t += ToolbarReveal::LEAVE_MS - 20, false, false);
    EXPECT_TRUE(reveal.wanted()) << "coming back starts the count again";

    reveal.update(t += ToolbarReveal::LEAVE_MS, false, false);
    EXPECT_FALSE(reveal.wanted());
    EXPECT_NEAR(reveal.update(t += ToolbarReveal::SLIDE_MS / 4, false, false), 0.75, 1e-9);
    // Caught while sliding away: it comes back without another rest on the edge.
    reveal.update(t += 10, false, true);
    EXPECT_TRUE(reveal.wanted());
    reveal.update(t += ToolbarReveal::SLIDE_MS, false, true);
    EXPECT_EQ(reveal.shown(), 1.0);

    reveal.hideNow();
    EXPECT_EQ(reveal.shown(), 0.0);
    EXPECT_EQ(reveal.update(t += 100, false, true), 0.0) << "a hidden toolbar is not over the mouse";
}

TEST(ToolPaletteLayout, ButtonsFillThe405By40StripInOrderWithoutOverlapping) {
    int previousRight = 0;
    for (const PaletteButton& button : paletteButtons()) {
        const UiRect r = paletteButtonRect(button);
        EXPECT_GE(r.x, previousRight) << button.id;
        EXPECT_EQ(r.y, 0);
        EXPECT_EQ(r.height, PALETTE_HEIGHT);
        EXPECT_GE(r.width, 34) << "room for the 32-pixel picture";
        EXPECT_LE(r.right(), PALETTE_WIDTH);
        previousRight = r.right();
    }
    EXPECT_EQ(paletteButtonRect(*paletteButton(1001)), (UiRect{0, 0, 44, 40}));
    // 1000 at unit 34 ends where 1002 at unit 66 begins (the template lets them overlap by 2 units).
    EXPECT_EQ(paletteButtonRect(*paletteButton(1000)).right(), paletteButtonRect(*paletteButton(1002)).x);
    EXPECT_EQ(paletteButtonRect(*paletteButton(1006)), (UiRect{351, 0, 44, 40}));
}

TEST(ToolPaletteLayout, OpensWithItsCornerAtTheMouseAndStaysOnTheScreen) {
    const UiRect screen{0, 0, 1024, 768};
    EXPECT_EQ(placePalette({300, 400}, screen), (UiRect{300, 400, 405, 40}));
    EXPECT_EQ(placePalette({619, 728}, screen), (UiRect{619, 728, 405, 40})) << "just fits";
    EXPECT_EQ(placePalette({900, 400}, screen), (UiRect{619, 400, 405, 40}));
    EXPECT_EQ(placePalette({300, 760}, screen), (UiRect{300, 728, 405, 40}));
    EXPECT_EQ(placePalette({1500, 20}, {1024, 0, 1024, 768}), (UiRect{1500, 20, 405, 40}));
    EXPECT_EQ(placePalette({10, 10}, {0, 0, 300, 30}), (UiRect{0, 0, 405, 40}))
        << "too small a screen: its corner";
}
