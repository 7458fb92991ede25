#pragma once

#include <wx/event.h>
#include <wx/eventfilter.h>

#include <functional>

class wxGUIEventLoop;
class wxWindow;

// Runs a popup (the right-click menu, the tool palette) as a desktop menu runs: shown above
// everything, with every key the program receives going to it, until it ends itself or a mouse
// button is pressed anywhere outside it. That press only closes the popup; it does nothing else.
// The rest of the program carries on meanwhile (the aquarium keeps animating).

namespace veltamar {

class PopupSession : private wxEventFilter {
  public:
    using KeyHandler = std::function<void(wxKeyEvent&)>;

    PopupSession(wxWindow& popup, KeyHandler keys);
    ~PopupSession() override;
    PopupSession(const PopupSession&) = delete;
    PopupSession& operator=(const PopupSession&) = delete;

    // Shows the popup and returns once the session has ended; the popup is hidden again then.
    void run();
    // Ends the session (from the popup's own handlers); run() returns soon after.
    void end();
    bool ended() const { return finished; }

  private:
    int FilterEvent(wxEvent& event) override;
    bool belongsToPopup(const wxWindow* window) const;

    wxWindow& popup;
    KeyHandler keys;
    wxGUIEventLoop* loop = nullptr;
    bool finished = false;
    bool filtering = false;
};

}  // namespace veltamar
