#pragma once

#include <wx/frame.h>
#include <wx/gdicmn.h>

#include <string>

#include "harness.h"

// Helpers for the window tests: running the event loop for a while, real mouse input through the
// X server's test extension, and looking at the screen.

namespace veltamar::uitest {

// Processes events for the given time (at least one round).
void pump(int milliseconds = 60);

// Real pointer input at screen positions.
void moveMouse(wxPoint screen);
void pressLeft();
void releaseLeft();
void clickAt(wxPoint screen);
// A real key press and release on the keyboard.
void pressKey(int code);

// The centre of a window and a point of it, in screen coordinates.
wxPoint screenCentre(const wxWindow& window);
wxPoint screenPoint(const wxWindow& window, wxPoint client);

// A screenshot kept as <artifacts>/<name>.png; colour of the pixel at a window's client point.
using e2e::Screenshot;
Screenshot shoot(const std::string& name);
wxColour pixelOf(const Screenshot& shot, const wxWindow& window, wxPoint client);
// How many pixels of a window's client area differ between two screenshots.
int changedPixels(const Screenshot& before, const Screenshot& after, const wxWindow& window);

// A plain frame at the top-left of the screen with one panel filling it, shown and drawn.
wxFrame* showFrame(const wxSize& clientSize, const wxColour& background = wxNullColour);

}  // namespace veltamar::uitest
