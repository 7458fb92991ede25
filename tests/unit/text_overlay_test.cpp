#include <gtest/gtest.h>

#include "render/text_overlay.h"
#include "render/view_state.h"

using namespace veltamar;

TEST(TextOverlay, ShowsForTwoHundredFramesThenHidesAndRestartsItsCount) {
    overlayFrameCounter = 0;
    ViewState view;
    for (int frame = 1; frame <= 200; ++frame) ASSERT_TRUE(advanceTextOverlay(view)) << frame;
    EXPECT_FALSE(advanceTextOverlay(view)) << "frame 201 hides it";
    EXPECT_FALSE(view.helpOverlayOn);
    EXPECT_EQ(overlayFrameCounter, 0);
    for (int frame = 0; frame < 50; ++frame) EXPECT_FALSE(advanceTextOverlay(view));
    EXPECT_EQ(overlayFrameCounter, 0) << "the count stands still while hidden";

    toggleHelpOverlay(view);  // F1 after the automatic hide: another 200 frames
    for (int frame = 1; frame <= 200; ++frame) ASSERT_TRUE(advanceTextOverlay(view)) << frame;
    EXPECT_FALSE(advanceTextOverlay(view));
}

TEST(TextOverlay, F1DuringTheFirstFramesHidesAtOnceAndResumesTheCount) {
    overlayFrameCounter = 0;
    ViewState view;
    for (int frame = 0; frame < 60; ++frame) advanceTextOverlay(view);
    toggleHelpOverlay(view);
    EXPECT_FALSE(advanceTextOverlay(view));
    EXPECT_EQ(overlayFrameCounter, 60);
    toggleHelpOverlay(view);
    int shown = 0;
    while (advanceTextOverlay(view)) ++shown;
    EXPECT_EQ(shown, 140) << "shown until the count passes 200";
}
