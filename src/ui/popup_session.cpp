#include "ui/popup_session.h"

#include <wx/evtloop.h>
#include <wx/window.h>

#include "platform/pointer_grab.h"

namespace veltamar {

namespace {

bool isButtonPress(wxEventType type) {
    return type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN || type == wxEVT_MIDDLE_DOWN ||
           type == wxEVT_LEFT_DCLICK || type == wxEVT_RIGHT_DCLICK || type == wxEVT_MIDDLE_DCLICK ||
           type == wxEVT_AUX1_DOWN || type == wxEVT_AUX2_DOWN;
}

}  // namespace

PopupSession::PopupSession(wxWindow& popup, KeyHandler keys) : popup(popup), keys(std::move(keys)) {}

PopupSession::~PopupSession() {
    if (filtering) wxEvtHandler::RemoveFilter(this);
}

void PopupSession::run() {
    popup.Show();
    popup.Update();
    {
        PointerGrab grab(popup);
        wxEvtHandler::AddFilter(this);
        filtering = true;
        if (!finished) {
            wxGUIEventLoop nested;
            loop = &nested;
            nested.Run();
            loop = nullptr;
        }
        wxEvtHandler::RemoveFilter(this);
        filtering = false;
    }
    popup.Hide();
}

void PopupSession::end() {
    finished = true;
    if (loop && loop->IsRunning()) loop->Exit();
}

bool PopupSession::belongsToPopup(const wxWindow* window) const {
    for (; window; window = window->GetParent())
        if (window == &popup) return true;
    return false;
}

int PopupSession::FilterEvent(wxEvent& event) {
    const wxEventType type = event.GetEventType();
    if (finished) return Event_Skip;

    // The keyboard stays with the window that has the focus; its keys are the popup's meanwhile.
    // A key reaches a window first as a "char hook" and, unless that was handled, as a key-down;
    // the popup sees it once.
    if (type == wxEVT_CHAR_HOOK || type == wxEVT_KEY_DOWN) {
        if (keys) keys(static_cast<wxKeyEvent&>(event));
        return Event_Processed;
    }
    if (type == wxEVT_CHAR || type == wxEVT_KEY_UP) return Event_Processed;

    if (isButtonPress(type)) {
        auto* window = dynamic_cast<wxWindow*>(event.GetEventObject());
        bool outside = !belongsToPopup(window);
        if (!outside && window == &popup) {
            // With the mouse held for the popup, presses elsewhere on the screen come to it with
            // positions outside it.
            const wxPoint at = static_cast<wxMouseEvent&>(event).GetPosition();
            outside = !popup.GetClientRect().Contains(at);
        }
        if (outside) {
            end();
            return Event_Processed;
        }
    }
    return Event_Skip;
}

}  // namespace veltamar
