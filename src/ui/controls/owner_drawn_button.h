#pragma once

#include <wx/control.h>

#include "ui/controls/button_interaction.h"

// The common ground of the owner-drawn buttons (hover button, icon check button, colour swatch):
// a focusable control that follows the mouse and the space bar like a push button, paints its
// whole face through an off-screen picture in one step, and reports a click to its parent as a
// wxEVT_BUTTON command event carrying the control's id.

namespace veltamar {

class OwnerDrawnButton : public wxControl {
  public:
    OwnerDrawnButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                     const wxSize& size, bool tracksHover);

    bool Enable(bool enable = true) override;
    void SetLabel(const wxString& label) override;

    bool isMouseOver() const { return interaction.mouseOver(); }
    bool isPressed() const { return interaction.pressed(); }

  protected:
    // Paints the whole face of the button; dc covers the client area.
    virtual void drawButton(wxDC& dc, const wxRect& client) = 0;
    // A completed click. The default sends wxEVT_BUTTON to the parent at once.
    virtual void onClicked();

    wxSize DoGetBestClientSize() const override;

    void setTracksHover(bool tracks);

    // Sends wxEVT_BUTTON with this control's id through the usual command routing.
    void sendClick();
    // Queues wxEVT_BUTTON so that the parent sees it after the current event has finished.
    void postClick();

    // Text of the label without its mnemonic marker, and the position of the marked letter.
    wxString visibleLabel(int* accelIndex) const;

  private:
    void apply(ButtonFeedback feedback);
    void syncCapture();
    bool inside(const wxMouseEvent& event) const;

    void onPaint(wxPaintEvent& event);
    void onMotion(wxMouseEvent& event);
    void onEnter(wxMouseEvent& event);
    void onLeave(wxMouseEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onLeftUp(wxMouseEvent& event);
    void onCaptureLost(wxMouseCaptureLostEvent& event);
    void onKeyDown(wxKeyEvent& event);
    void onKeyUp(wxKeyEvent& event);
    void onFocus(wxFocusEvent& event);
    void onKillFocus(wxFocusEvent& event);

    ButtonInteraction interaction;
};

}  // namespace veltamar
