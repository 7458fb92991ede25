#pragma once

#include <cstdlib>
#include <ostream>

#include <wx/panel.h>
#include <wx/settings.h>

#include "ui_support.h"

// A shown frame that goes away with the test, and a loose colour comparison for screenshots.

namespace veltamar::uitest {

// Controls go on its panel (a frame would stretch a lone child over its whole client area).
struct TestFrame {
    explicit TestFrame(wxSize size = {400, 200}, const wxColour& background = wxNullColour)
        : frame(showFrame(size, background)), panel(static_cast<wxPanel*>(frame->GetChildren().front())) {}
    ~TestFrame() {
        frame->Destroy();
        pump();
    }
    TestFrame(const TestFrame&) = delete;
    TestFrame& operator=(const TestFrame&) = delete;
    wxFrame* operator->() const { return frame; }
    operator wxWindow*() const { return panel; }
    wxFrame* frame;
    wxPanel* panel;
};

inline bool near(const wxColour& a, const wxColour& b, int tolerance = 8) {
    return std::abs(a.Red() - b.Red()) <= tolerance && std::abs(a.Green() - b.Green()) <= tolerance &&
           std::abs(a.Blue() - b.Blue()) <= tolerance;
}

}  // namespace veltamar::uitest

// Readable colours in test failures.
inline void PrintTo(const wxColour& colour, std::ostream* out) {
    *out << colour.GetAsString(wxC2S_HTML_SYNTAX);
}
