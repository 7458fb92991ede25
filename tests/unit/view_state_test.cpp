#include <gtest/gtest.h>

#include "render/idle_counter.h"
#include "render/view_state.h"
#include "view/view_commands.h"

using namespace veltamar;

TEST(ViewCommands, EveryIdBecomesTheToolModeAndDialogsReturnToNone) {
    for (int id : {TOOL_TOUCH, TOOL_FEED, TOOL_ZOOM_IN, TOOL_ZOOM_OUT, TOOL_SPARE, TOOL_RIPPLE, TOOL_POINT,
                   TOOL_SWIRL, 1234, 59648}) {
        ViewState state;
        EXPECT_EQ(beginCommand(state, id), CommandAction::Nothing) << id;
        finishCommand(state, id);
        EXPECT_EQ(state.toolMode, id) << "ids without meaning stay the tool mode too";
    }

    struct DialogCase {
        int id;
        CommandAction action;
        int idleAfter;
    };
    for (const DialogCase& c : {DialogCase{CMD_FISH_DIALOG, CommandAction::RunFishDialog, 0},
                                DialogCase{CMD_SETTINGS_DIALOG, CommandAction::RunSettingsDialog, -1000},
                                DialogCase{CMD_MUSIC_DIALOG, CommandAction::ShowMusicDialog, -1000},
                                DialogCase{CMD_BACKGROUND_DIALOG, CommandAction::ShowBackgroundDialog, -1000}}) {
        ViewState state;
        state.toolMode = TOOL_SWIRL;
        state.paletteSelection = TOOL_RIPPLE;
        idleCounter = 57;
        EXPECT_EQ(beginCommand(state, c.id), c.action);
        EXPECT_EQ(state.toolMode, c.id) << "while the dialog runs the mode is the dialog's id";
        EXPECT_EQ(idleCounter, c.idleAfter);
        finishCommand(state, c.id);
        EXPECT_EQ(state.toolMode, TOOL_NONE);
        EXPECT_EQ(state.paletteSelection, TOOL_FEED);
    }

    ViewState state;
    EXPECT_EQ(beginCommand(state, CMD_EXIT), CommandAction::Exit);
    EXPECT_EQ(beginCommand(state, 0x10000 | TOOL_FEED), CommandAction::Nothing) << "only the low word counts";
    EXPECT_EQ(state.toolMode, TOOL_FEED);
}

TEST(ViewMouse, ClicksSetTheRequestOfTheirToolAndReleaseClearsOnlyInSomeModes) {
    ViewState state;
    EXPECT_TRUE(state.swirlRequest) << "the swirl request starts out set";

    state.toolMode = TOOL_FEED;
    EXPECT_FALSE(leftButtonDown(state, 10, 20));
    EXPECT_TRUE(state.feedRequest);
    EXPECT_TRUE(state.buttonHeld);
    EXPECT_EQ(state.mouseX, 10);
    EXPECT_EQ(state.mouseY, 20);
    leftButtonUp(state);
    EXPECT_FALSE(state.buttonHeld);

    for (int mode : {TOOL_TOUCH, TOOL_POINT, TOOL_SWIRL, TOOL_NONE, TOOL_RIPPLE}) {
        ViewState s;
        s.toolMode = mode;
        s.swirlRequest = false;
        EXPECT_EQ(leftButtonDown(s, 1, 2), mode == TOOL_RIPPLE) << mode;
        EXPECT_EQ(s.pointRequest, mode == TOOL_POINT);
        EXPECT_EQ(s.swirlRequest, mode == TOOL_SWIRL);
        EXPECT_FALSE(s.feedRequest);
        leftButtonUp(s);
        EXPECT_TRUE(s.buttonHeld) << "the picking clears the flag in mode " << mode;
    }
    for (int mode : {TOOL_ZOOM_IN, TOOL_ZOOM_OUT}) {
        ViewState s;
        s.toolMode = mode;
        leftButtonDown(s, 1, 2);
        leftButtonUp(s);
        EXPECT_FALSE(s.buttonHeld);
    }
}

TEST(ViewKeys, F1TogglesTheHelpText) {
    ViewState state;
    toggleHelpOverlay(state);
    EXPECT_FALSE(state.helpOverlayOn);
    toggleHelpOverlay(state);
    EXPECT_TRUE(state.helpOverlayOn);
}

TEST(IdleCounter, CursorHidesAfterHundredStillFramesAndAfterDialogsAfter1100) {
    ViewState state;
    idleCounter = 0;
    int hiddenAt = 0;
    for (int frame = 1; frame <= 150 && hiddenAt == 0; ++frame)
        if (advanceIdleCounter()) hiddenAt = frame;
    EXPECT_EQ(hiddenAt, 100);
    EXPECT_TRUE(advanceIdleCounter()) << "stays hidden";
    EXPECT_EQ(idleCounter, 100);

    mouseMoved(state, 5, 6);
    EXPECT_EQ(idleCounter, 0);
    EXPECT_FALSE(advanceIdleCounter());

    beginCommand(state, CMD_SETTINGS_DIALOG);
    int frames = 0;
    while (!advanceIdleCounter()) ++frames;
    EXPECT_EQ(frames + 1, 1100);
}
