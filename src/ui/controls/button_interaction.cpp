#include "ui/controls/button_interaction.h"

namespace veltamar {

ButtonFeedback ButtonInteraction::changed(bool wasOver, bool wasPressed) const {
    return {wasOver != over || wasPressed != pressed(), false};
}

ButtonFeedback ButtonInteraction::setTracksHover(bool tracks) {
    const bool wasOver = over, wasPressed = pressed();
    tracksHover = tracks;
    if (!tracks) over = false;
    return changed(wasOver, wasPressed);
}

ButtonFeedback ButtonInteraction::pointerMoved(bool inside, bool leftDown) {
    const bool wasOver = over, wasPressed = pressed();
    mouseInside = inside;
    if (tracksHover) {
        if (inside && !over && !(leftDown && !mouseArmed)) over = true;
        if (!inside) over = false;
    }
    return changed(wasOver, wasPressed);
}

ButtonFeedback ButtonInteraction::pointerLeft() {
    const bool wasOver = over, wasPressed = pressed();
    over = false;
    mouseInside = false;
    return changed(wasOver, wasPressed);
}

ButtonFeedback ButtonInteraction::leftPressed(bool inside) {
    const bool wasOver = over, wasPressed = pressed();
    mouseInside = inside;
    mouseArmed = inside;
    if (tracksHover && inside) over = true;
    return changed(wasOver, wasPressed);
}

ButtonFeedback ButtonInteraction::leftReleased(bool inside) {
    const bool wasOver = over, wasPressed = pressed();
    const bool click = mouseArmed && inside;
    mouseArmed = false;
    mouseInside = inside;
    if (!inside) over = false;
    ButtonFeedback feedback = changed(wasOver, wasPressed);
    feedback.clicked = click;
    return feedback;
}

ButtonFeedback ButtonInteraction::spacePressed() {
    const bool wasOver = over, wasPressed = pressed();
    keyArmed = true;
    return changed(wasOver, wasPressed);
}

ButtonFeedback ButtonInteraction::spaceReleased() {
    const bool wasOver = over, wasPressed = pressed();
    const bool click = keyArmed;
    keyArmed = false;
    ButtonFeedback feedback = changed(wasOver, wasPressed);
    feedback.clicked = click;
    return feedback;
}

ButtonFeedback ButtonInteraction::focusLost() {
    const bool wasOver = over, wasPressed = pressed();
    over = false;
    keyArmed = false;
    return changed(wasOver, wasPressed);
}

ButtonFeedback ButtonInteraction::captureLost() {
    const bool wasOver = over, wasPressed = pressed();
    over = false;
    mouseArmed = false;
    return changed(wasOver, wasPressed);
}

}  // namespace veltamar
