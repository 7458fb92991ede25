#include "ui/controls/owner_drawn_button.h"

#include <wx/dcbuffer.h>

namespace veltamar {

OwnerDrawnButton::OwnerDrawnButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                                   const wxSize& size, bool tracksHover)
    : interaction(tracksHover) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);  // the face is painted whole; nothing is erased first
    Create(parent, id, pos, size, wxBORDER_NONE);
    wxControl::SetLabel(label);
    SetInitialSize(size);

    Bind(wxEVT_PAINT, &OwnerDrawnButton::onPaint, this);
    Bind(wxEVT_MOTION, &OwnerDrawnButton::onMotion, this);
    Bind(wxEVT_ENTER_WINDOW, &OwnerDrawnButton::onEnter, this);
    Bind(wxEVT_LEAVE_WINDOW, &OwnerDrawnButton::onLeave, this);
    Bind(wxEVT_LEFT_DOWN, &OwnerDrawnButton::onLeftDown, this);
    // A double click is a second press, so two quick clicks are two clicks.
    Bind(wxEVT_LEFT_DCLICK, &OwnerDrawnButton::onLeftDown, this);
    Bind(wxEVT_LEFT_UP, &OwnerDrawnButton::onLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &OwnerDrawnButton::onCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &OwnerDrawnButton::onKeyDown, this);
    Bind(wxEVT_KEY_UP, &OwnerDrawnButton::onKeyUp, this);
    Bind(wxEVT_SET_FOCUS, &OwnerDrawnButton::onFocus, this);
    Bind(wxEVT_KILL_FOCUS, &OwnerDrawnButton::onKillFocus, this);
}

bool OwnerDrawnButton::Enable(bool enable) {
    if (!wxControl::Enable(enable)) return false;
    if (!enable) {
        apply(interaction.captureLost());
        apply(interaction.focusLost());
        syncCapture();
    }
    Refresh();
    return true;
}

void OwnerDrawnButton::SetLabel(const wxString& label) {
    wxControl::SetLabel(label);
    Refresh();
}

void OwnerDrawnButton::onClicked() {
    sendClick();
}

void OwnerDrawnButton::setTracksHover(bool tracks) {
    apply(interaction.setTracksHover(tracks));
}

wxSize OwnerDrawnButton::DoGetBestClientSize() const {
    int accel = -1;
    const wxSize text = GetTextExtent(visibleLabel(&accel));
    return {text.x + 16, text.y + 8};
}

void OwnerDrawnButton::sendClick() {
    wxCommandEvent event(wxEVT_BUTTON, GetId());
    event.SetEventObject(this);
    ProcessWindowEvent(event);
}

void OwnerDrawnButton::postClick() {
    auto* event = new wxCommandEvent(wxEVT_BUTTON, GetId());
    event->SetEventObject(this);
    QueueEvent(event);
}

wxString OwnerDrawnButton::visibleLabel(int* accelIndex) const {
    wxString text;
    *accelIndex = FindAccelIndex(GetLabel(), &text);
    return text;
}

void OwnerDrawnButton::apply(ButtonFeedback feedback) {
    if (feedback.redraw) Refresh();
}

// The button holds the mouse while a press that began on it is held, so the release is seen
// even outside it.
void OwnerDrawnButton::syncCapture() {
    if (interaction.holdsMouse() && !HasCapture()) CaptureMouse();
    if (!interaction.holdsMouse() && HasCapture()) ReleaseMouse();
}

bool OwnerDrawnButton::inside(const wxMouseEvent& event) const {
    return GetClientRect().Contains(event.GetPosition());
}

void OwnerDrawnButton::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    drawButton(dc, GetClientRect());
}

void OwnerDrawnButton::onMotion(wxMouseEvent& event) {
    apply(interaction.pointerMoved(inside(event), event.LeftIsDown()));
    event.Skip();
}

void OwnerDrawnButton::onEnter(wxMouseEvent& event) {
    apply(interaction.pointerMoved(inside(event), event.LeftIsDown()));
    event.Skip();
}

void OwnerDrawnButton::onLeave(wxMouseEvent& event) {
    // While a press is held the motion events keep telling whether the mouse is inside.
    if (!interaction.holdsMouse()) apply(interaction.pointerLeft());
    event.Skip();
}

void OwnerDrawnButton::onLeftDown(wxMouseEvent& event) {
    if (!IsEnabled()) return;
    if (AcceptsFocus() && FindFocus() != this) SetFocus();
    apply(interaction.leftPressed(inside(event)));
    syncCapture();
}

void OwnerDrawnButton::onLeftUp(wxMouseEvent& event) {
    const ButtonFeedback feedback = interaction.leftReleased(inside(event));
    syncCapture();
    apply(feedback);
    if (feedback.clicked && IsEnabled()) onClicked();
}

void OwnerDrawnButton::onCaptureLost(wxMouseCaptureLostEvent&) {
    apply(interaction.captureLost());
}

void OwnerDrawnButton::onKeyDown(wxKeyEvent& event) {
    if (event.GetKeyCode() != WXK_SPACE || !IsEnabled()) {
        event.Skip();
        return;
    }
    apply(interaction.spacePressed());
}

void OwnerDrawnButton::onKeyUp(wxKeyEvent& event) {
    if (event.GetKeyCode() != WXK_SPACE) {
        event.Skip();
        return;
    }
    const ButtonFeedback feedback = interaction.spaceReleased();
    apply(feedback);
    if (feedback.clicked && IsEnabled()) onClicked();
}

void OwnerDrawnButton::onFocus(wxFocusEvent& event) {
    Refresh();
    event.Skip();
}

void OwnerDrawnButton::onKillFocus(wxFocusEvent& event) {
    apply(interaction.focusLost());
    Refresh();
    event.Skip();
}

}  // namespace veltamar
