#include "ui_support.h"

#include <wx/app.h>
#include <wx/panel.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <chrono>

namespace veltamar::uitest {

void pump(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    } while (std::chrono::steady_clock::now() < end);
}

void moveMouse(wxPoint screen) {
    wxUIActionSimulator().MouseMove(screen);
    pump();
}

void pressLeft() {
    wxUIActionSimulator().MouseDown();
    pump();
}

void releaseLeft() {
    wxUIActionSimulator().MouseUp();
    pump();
}

void clickAt(wxPoint screen) {
    moveMouse(screen);
    pressLeft();
    releaseLeft();
}

void pressKey(int code) {
    wxUIActionSimulator().Char(code);
    pump();
}

wxPoint screenCentre(const wxWindow& window) {
    const wxSize size = window.GetClientSize();
    return window.ClientToScreen(wxPoint(size.x / 2, size.y / 2));
}

wxPoint screenPoint(const wxWindow& window, wxPoint client) {
    return window.ClientToScreen(client);
}

Screenshot shoot(const std::string& name) {
    pump(150);
    return e2e::screenshot(name);
}

wxColour pixelOf(const Screenshot& shot, const wxWindow& window, wxPoint client) {
    const wxPoint p = window.ClientToScreen(client);
    const auto rgb = shot.at(p.x, p.y);
    return wxColour(rgb[0], rgb[1], rgb[2]);
}

int changedPixels(const Screenshot& before, const Screenshot& after, const wxWindow& window) {
    const wxSize size = window.GetClientSize();
    int changed = 0;
    for (int y = 0; y < size.y; ++y)
        for (int x = 0; x < size.x; ++x) {
            const wxPoint p = window.ClientToScreen({x, y});
            if (before.at(p.x, p.y) != after.at(p.x, p.y)) ++changed;
        }
    return changed;
}

wxFrame* showFrame(const wxSize& clientSize, const wxColour& background) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "controls", wxPoint(0, 0), wxDefaultSize, wxBORDER_NONE);
    auto* panel = new wxPanel(frame);
    if (background.IsOk()) panel->SetBackgroundColour(background);
    frame->SetClientSize(clientSize);
    frame->Show();
    pump(200);
    return frame;
}

}  // namespace veltamar::uitest
