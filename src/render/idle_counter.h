#pragma once

// Frames drawn without mouse movement. The frame drawing hides the mouse cursor when it reaches
// 100; mouse movement and the popup menu set it to 0, and the dialogs keep it low while they are
// open so the cursor stays visible over them.

namespace veltamar {

extern int idleCounter;

// One frame's step of the rule: returns true when the cursor is to be hidden in this frame.
bool advanceIdleCounter();

}  // namespace veltamar
