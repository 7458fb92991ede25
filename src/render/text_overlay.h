#pragma once

#include "render/view_state.h"

// The few lines of title and help text that float in the scene at start-up. They are drawn first
// in every frame, with extruded outline glyphs, and hide themselves after 200 frames; F1 shows and
// hides them.

namespace veltamar {

constexpr int OVERLAY_FRAMES = 200;

// Frames the text has been shown for since it last hid itself.
extern int overlayFrameCounter;

// Counts one frame while the text is on and switches it off after 200 counted frames. Returns
// whether the text is drawn in this frame.
bool advanceTextOverlay(ViewState& view);

// The frame's text step: counts the frame and, while the text is on, draws the four lines at their
// places in front of the camera. Sets no colour, lighting, blending or texture state of its own.
void drawTextOverlay(ViewState& view);

// Formats the text (printf rules, cut to 255 characters) and draws it with the outline font at
// the current model-view position. A null format draws nothing.
void printText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace veltamar
