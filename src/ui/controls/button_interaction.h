#pragma once

// How the owner-drawn buttons react to the mouse and the space bar, apart from any window: the
// mouse-over flag that makes flat buttons light up, the pressed look, and when a press becomes a
// click. A button is clicked when the left button goes down and comes up inside it, or when the
// space bar goes down and up while it has the focus; each such press gives exactly one click.

namespace veltamar {

struct ButtonFeedback {
    bool redraw = false;
    bool clicked = false;
};

class ButtonInteraction {
  public:
    // tracksHover: the button lights up while the mouse is over it (flat buttons, check buttons).
    explicit ButtonInteraction(bool tracksHover = true) : tracksHover(tracksHover) {}

    // Turning hover tracking off also puts the light out.
    ButtonFeedback setTracksHover(bool tracks);

    // The mouse moved; inside tells whether it is over the button, leftDown whether the left
    // button is held. Entering while the left button is held (a drag that began elsewhere) does
    // not light the button.
    ButtonFeedback pointerMoved(bool inside, bool leftDown);
    // The mouse left the button's window.
    ButtonFeedback pointerLeft();
    ButtonFeedback leftPressed(bool inside);
    ButtonFeedback leftReleased(bool inside);
    ButtonFeedback spacePressed();
    ButtonFeedback spaceReleased();
    // Focus or mouse capture lost: the button forgets hover and any press in progress.
    ButtonFeedback focusLost();
    ButtonFeedback captureLost();

    bool mouseOver() const { return over; }
    bool pressed() const { return (mouseArmed && mouseInside) || keyArmed; }
    // While the left button press that began on the button is held, the button keeps the mouse.
    bool holdsMouse() const { return mouseArmed; }

  private:
    ButtonFeedback changed(bool wasOver, bool wasPressed) const;

    bool tracksHover;
    bool over = false;
    bool mouseArmed = false;
    bool mouseInside = false;
    bool keyArmed = false;
};

}  // namespace veltamar
