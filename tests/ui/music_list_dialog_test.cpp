#include <gtest/gtest.h>
#include <wx/timer.h>

#include <cstdlib>

#include "ui/controls/icon_check_button.h"
#include "ui/music_list_dialog.h"
#include "ui_support.h"

using namespace veltamar;
using namespace veltamar::uitest;

// The "On/Off" button shows its new state at once and tells the dialog afterwards. The dialog's
// 200 ms timer shows the list's state on the button; when a tick falls between the two, the click
// must still turn the list over (it used to be lost: the dialog read the button back).
TEST(MusicListDialog, OnOffClickTellingTheDialogAfterATimerTickStillTurnsTheListOver) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    wxFrame* frame = showFrame({400, 300});
    auto* dialog = new MusicListDialog(frame);
    dialog->centreAndShow();
    pump();
    auto* onOff = dynamic_cast<IconCheckButton*>(dialog->FindWindow(MusicListDialog::ID_ON_OFF));
    ASSERT_NE(onOff, nullptr);

    wxTimer elsewhere;
    for (const bool expected : {true, false, true}) {
        ASSERT_EQ(dialog->playlist().onOff(), !expected);
        // What a click does: the new state at once, the notification queued.
        onOff->setState(expected);
        onOff->GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_BUTTON, MusicListDialog::ID_ON_OFF));
        wxTimerEvent tick(elsewhere);
        dialog->ProcessWindowEvent(tick);
        pump();
        EXPECT_EQ(dialog->playlist().onOff(), expected);
        EXPECT_EQ(onOff->getState(), expected ? 1 : 0);
    }
    dialog->Destroy();
    frame->Destroy();
    pump();
}
